#include "platform/system_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace hopwick::win32 {
namespace {

// The bytes that the Linux build's store writes for the same texts: a store moves between the two unchanged.
struct Encoding {
    const char* what;
    std::string text;
    std::string bytes;
};

class CodePage932Test : public ::testing::Test {
protected:
    SystemPlatform platform;
};

TEST_F(CodePage932Test, TextsEncodeToTheBytesOfTheLinuxBuildAndReadBack) {
    const Encoding encodings[] = {
        {"ASCII path", "C:\\Program Files\\a~b.exe", "C:\\Program Files\\a~b.exe"},
        {"表, whose trail byte is the backslash", "C:\\表\\x", "C:\\\x95\x5c\\x"},
        {"half-width katakana", "ﾄﾞﾛｯﾌﾟ", "\xc4\xde\xdb\xaf\xcc\xdf"},
        {"circled one, NEC row 13", "①", "\x87\x40"},
        {"full-width tilde", "\xef\xbd\x9e", "\x81\x60"},
        {"full-width parentheses and ideographic comma", "（、）", "\x81\x69\x81\x41\x81\x6a"},
        {"CR LF and NUL", std::string("a\r\n\0b", 5), std::string("a\r\n\0b", 5)},
    };
    for (const Encoding& encoding : encodings) {
        EXPECT_EQ(platform.encodeCodePage932(encoding.text), encoding.bytes) << encoding.what;
        EXPECT_EQ(platform.decodeCodePage932(encoding.bytes), encoding.text) << encoding.what;
    }
    EXPECT_EQ(platform.encodeCodePage932(""), "");
    EXPECT_EQ(platform.decodeCodePage932(""), "");
}

TEST_F(CodePage932Test, CharactersWithoutTheirOwnCodeAreRefusedNotReplaced) {
    EXPECT_EQ(platform.encodeCodePage932("caf\xc3\xa9"), std::nullopt) << "é would become e by best fit";
    EXPECT_EQ(platform.encodeCodePage932("\xf0\x9f\x98\x80"), std::nullopt) << "an emoji";
    EXPECT_EQ(platform.encodeCodePage932("\xc2\xa5"), std::nullopt) << "U+00A5 would become the backslash";
    EXPECT_EQ(platform.encodeCodePage932("\xe3\x80\x9c"), std::nullopt) << "U+301C, the other wave dash";
    EXPECT_EQ(platform.encodeCodePage932("ok\xff"), std::nullopt) << "not UTF-8";
}

TEST_F(CodePage932Test, BytesThatAreNotCodePage932AreRefused) {
    EXPECT_EQ(platform.decodeCodePage932("\x81\x20"), std::nullopt) << "lead byte before a space";
    EXPECT_EQ(platform.decodeCodePage932("abc\x95"), std::nullopt) << "lead byte at the end";
}

TEST(WineLocaleTest, TheSuitesRunWithCodePage932AsTheAnsiCodePage) {
    // What the Japanese systems that the store is made for have; the wrapper that starts Wine sets it up.
    EXPECT_EQ(GetACP(), 932u);
}

} // namespace
} // namespace hopwick::win32
