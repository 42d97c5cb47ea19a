#include "platform/posix/error_texts.h"
#include "platform/posix/posix_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <locale.h>

namespace hopwick::testing {
namespace {

// The failures that the save, the picture load, the path search and a program start report.
constexpr int kCommonErrors[] = {ENOENT, EACCES, EPERM,   ENOSPC,       EROFS,  EISDIR, ENOTDIR, EEXIST,
                                 EFBIG,  EIO,    ELOOP,   ENAMETOOLONG, EMFILE, ENFILE, EDQUOT,  ETXTBSY,
                                 EBUSY,  ENOMEM, ENOEXEC, ENXIO,        ENODEV, EINVAL, EAGAIN};

bool isJapaneseSentence(const std::string& text) {
    // Every Japanese character is outside ASCII in UTF-8; the program's sentences end with "。".
    const bool hasJapanese = std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    return hasJapanese && text.ends_with("。");
}

bool systemSpeaksJapanese() {
    const locale_t japanese = newlocale(LC_ALL_MASK, "ja_JP.UTF-8", locale_t{});
    if (japanese == locale_t{}) {
        return false;
    }
    const bool translated = std::string(strerror_l(ENOENT, japanese)) != std::strerror(ENOENT);
    freelocale(japanese);
    return translated;
}

TEST(ErrorTexts, EveryCommonFailureIsReportedInJapanese) {
    for (int error : kCommonErrors) {
        EXPECT_TRUE(isJapaneseSentence(posix::errorText(error))) << error << ": " << posix::errorText(error);
        // Also where the system has no Japanese messages.
        ASSERT_NE(posix::ownErrorText(error), nullptr) << error;
        EXPECT_TRUE(isJapaneseSentence(posix::ownErrorText(error))) << error;
    }
}

TEST(ErrorTexts, TheFailuresStayTellableApart) {
    EXPECT_NE(posix::errorText(ENOENT), posix::errorText(EACCES));
    EXPECT_NE(posix::errorText(ENOSPC), posix::errorText(EROFS));
    EXPECT_NE(std::string(posix::ownErrorText(ENOSPC)), posix::ownErrorText(EDQUOT));
    EXPECT_NE(std::string(posix::ownErrorText(EISDIR)), posix::ownErrorText(ENOTDIR));
}

TEST(ErrorTexts, TheSystemsOwnJapaneseComesFirst) {
    if (!systemSpeaksJapanese()) {
        GTEST_SKIP() << "the C library has no Japanese messages here";
    }
    const locale_t japanese = newlocale(LC_ALL_MASK, "ja_JP.UTF-8", locale_t{});
    const std::string system = strerror_l(ENOSPC, japanese);
    freelocale(japanese);
    EXPECT_EQ(posix::systemJapaneseErrorText(ENOSPC), system + "。");
    EXPECT_EQ(posix::errorText(ENOSPC), system + "。");
}

TEST(ErrorTexts, ARareFailureKeepsTheSystemsText) {
    constexpr int kUnheardOf = 4095;
    EXPECT_EQ(posix::ownErrorText(kUnheardOf), nullptr);
    EXPECT_EQ(posix::systemErrorText(kUnheardOf), std::strerror(kUnheardOf));
    if (systemSpeaksJapanese()) {
        EXPECT_TRUE(isJapaneseSentence(posix::errorText(kUnheardOf))) << posix::errorText(kUnheardOf);
    } else {
        EXPECT_EQ(posix::errorText(kUnheardOf), std::strerror(kUnheardOf));
    }
}

} // namespace
} // namespace hopwick::testing
