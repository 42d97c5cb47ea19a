#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_texts.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kSwahili = MAKELANGID(LANG_SWAHILI, SUBLANG_DEFAULT);

bool hasJapanese(const std::wstring& text) {
    for (const wchar_t c : text) {
        if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF61 && c <= 0xFF9F)) {
            return true;
        }
    }
    return false;
}

// The tests run in a Japanese locale, where the system's own choice is Japanese too: asking for English shows
// that the language asked for is the one given.
TEST(SystemErrorTest, TheSystemsTextIsAskedForInJapaneseWhateverItsOwnChoice) {
    for (const DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_DISK_FULL, ERROR_SHARING_VIOLATION}) {
        const std::wstring japanese = systemText(code, kJapanese);
        const std::wstring english = systemText(code, kEnglish);
        ASSERT_TRUE(hasJapanese(japanese)) << code;
        ASSERT_FALSE(english.empty()) << code;
        ASSERT_FALSE(hasJapanese(english)) << code;
        EXPECT_EQ(systemMessage(code), narrow(japanese)) << code;
        EXPECT_EQ(systemMessage(code, kEnglish), narrow(english)) << code;
        // One line, with no line break or blank at its end.
        EXPECT_EQ(narrow(japanese).find_first_of("\r\n"), std::string::npos) << code;
        EXPECT_NE(japanese.back(), L' ') << code;
    }
}

TEST(SystemErrorTest, WithoutTextInTheLanguageTheSystemsOwnChoiceIsGiven) {
    ASSERT_EQ(systemText(ERROR_FILE_NOT_FOUND, kSwahili), L"");
    const std::wstring ownChoice = systemText(ERROR_FILE_NOT_FOUND, 0);
    ASSERT_NE(ownChoice, L"");
    EXPECT_EQ(systemMessage(ERROR_FILE_NOT_FOUND, kSwahili), narrow(ownChoice));
}

TEST(SystemErrorTest, WithoutAnyTextTheNumberIsGivenInTheProgramsWords) {
    // The picture loader's "invalid picture" has no text of the system's; HRESULTs in hexadecimal.
    EXPECT_EQ(systemMessage(0x800A01E1), std::string(texts::kErrorNumber) + "0x800A01E1");
    EXPECT_EQ(systemMessage(0xFFFF), std::string(texts::kErrorNumber) + "65535");
}

} // namespace
} // namespace hopwick::win32
