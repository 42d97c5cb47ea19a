#include "posix_test_support.h"

#include <gtest/gtest.h>

namespace hopwick::testing {
namespace {

struct Pair {
    const char* label;
    std::string utf8;
    std::string cp932;
};

class CodePage932Test : public ::testing::Test {
protected:
    WindowlessPlatform platform;
};

TEST_F(CodePage932Test, RoundTripsBothWays) {
    const std::vector<Pair> pairs = {
        {"ASCII with backslash and tilde", "C:\\Tools\\run~1.exe", "C:\\Tools\\run~1.exe"},
        {"kanji with 0x5C as its trail byte", "表", "\x95\x5c"},
        {"half-width katakana", "ﾊﾟｽ が違います。", "\xca\xdf\xbd \x82\xaa\x88\xe1\x82\xa2\x82\xdc\x82\xb7\x81\x42"},
        {"NEC row 13", "①Ⅰ㈱", "\x87\x40\x87\x54\x87\x8a"},
        {"wave dash as Windows maps it", "\xef\xbd\x9e", "\x81\x60"},
        {"IBM extension", "纊", "\xfa\x5c"},
        {"control characters and NUL", std::string("\r\n\0\t", 4), std::string("\r\n\0\t", 4)},
    };
    for (const Pair& pair : pairs) {
        EXPECT_EQ(platform.encodeCodePage932(pair.utf8), pair.cp932) << pair.label;
        EXPECT_EQ(platform.decodeCodePage932(pair.cp932), pair.utf8) << pair.label;
    }
}

TEST_F(CodePage932Test, EmptyInGivesEmptyOut) {
    EXPECT_EQ(platform.encodeCodePage932(""), std::string());
    EXPECT_EQ(platform.decodeCodePage932(""), std::string());
}

TEST_F(CodePage932Test, CharactersWithoutACodeAreNotEncoded) {
    EXPECT_EQ(platform.encodeCodePage932("caf\xc3\xa9"), std::nullopt) << "é";
    EXPECT_EQ(platform.encodeCodePage932("\xf0\x9f\x98\x80"), std::nullopt) << "emoji";
    EXPECT_EQ(platform.encodeCodePage932("a\xe4\xb8\x82"), std::nullopt) << "丂, no JIS code";
    EXPECT_EQ(platform.encodeCodePage932("\xff\xfe"), std::nullopt) << "not UTF-8";
    EXPECT_EQ(platform.encodeCodePage932("\xe8\xa1"), std::nullopt) << "UTF-8 cut short";
}

TEST_F(CodePage932Test, CharactersThatWouldNotReadBackAreNotEncoded) {
    // iconv maps these onto another character's code; Windows' code page 932 has none for them either.
    EXPECT_EQ(platform.encodeCodePage932("\xe3\x80\x9c"), std::nullopt) << "U+301C wave dash";
    EXPECT_EQ(platform.encodeCodePage932("\xc2\xa5"), std::nullopt) << "U+00A5 yen sign";
    EXPECT_EQ(platform.encodeCodePage932("\xe2\x80\x94"), std::nullopt) << "U+2014 em dash";
}

TEST_F(CodePage932Test, InvalidBytesAreNotDecoded) {
    EXPECT_EQ(platform.decodeCodePage932("\x81\x20"), std::nullopt) << "lead byte with a space";
    EXPECT_EQ(platform.decodeCodePage932("abc\x95"), std::nullopt) << "lead byte at the end";
    EXPECT_EQ(platform.decodeCodePage932("\x81\x7f"), std::nullopt) << "0x7F is no trail byte";
}

TEST_F(CodePage932Test, LongTextsConvertWhole) {
    std::string utf8;
    std::string cp932;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "表ｱa";
        cp932 += "\x95\x5c\xb1"
                 "a";
    }
    EXPECT_EQ(platform.encodeCodePage932(utf8), cp932);
    EXPECT_EQ(platform.decodeCodePage932(cp932), utf8);
}

} // namespace
} // namespace hopwick::testing
