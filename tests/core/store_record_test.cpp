#include "store/store_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hopwick {
namespace {

std::vector<std::string> fortyOne(const std::vector<std::string>& first) {
    std::vector<std::string> fields(41);
    std::copy(first.begin(), first.end(), fields.begin());
    return fields;
}

TEST(StoreRecord, AnEmptyRecordIs124Bytes) {
    const std::string line = formatRecord(std::vector<std::string>(41));
    EXPECT_EQ(line.size(), 124u);
    EXPECT_EQ(line.substr(0, 7), "\"\",\"\",\"");
    EXPECT_EQ(line.substr(118), "\",\"\"\r\n");
}

TEST(StoreRecord, FieldsReadBackAsWritten) {
    const std::vector<std::string> fields =
        fortyOne({"C:\\Tools\\run.exe", "a,b,,c", " spaced ", "", "last before blanks"});
    const ParsedRecord record = parseRecord(formatRecord(fields));
    EXPECT_FALSE(record.damaged);
    EXPECT_EQ(record.fields, fields);
}

TEST(StoreRecord, FieldsMayStandOnSeveralLines) {
    std::string bytes;
    for (int i = 0; i < 41; ++i) {
        bytes += "\"f" + std::to_string(i) + "\"" + (i % 2 == 0 ? ",\r\n" : "\r\n");
    }
    const ParsedRecord record = parseRecord(bytes);
    EXPECT_FALSE(record.damaged);
    ASSERT_EQ(record.fields.size(), 41u);
    EXPECT_EQ(record.fields[0], "f0");
    EXPECT_EQ(record.fields[40], "f40");
}

TEST(StoreRecord, NothingAfterTheLastFieldIsRead) {
    const std::string bytes = formatRecord(fortyOne({"a"})) + "\"extra\",garbage\r\n";
    const ParsedRecord record = parseRecord(bytes);
    EXPECT_FALSE(record.damaged);
    EXPECT_EQ(record.fields.size(), 41u);
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> expectedFirstFields;
    std::size_t expectedCount;
};

class DamagedRecord : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedRecord, ReadsWhatItCanAndSaysItIsDamaged) {
    const DamagedCase& c = GetParam();
    const ParsedRecord record = parseRecord(c.bytes);
    EXPECT_TRUE(record.damaged);
    EXPECT_EQ(record.fields.size(), c.expectedCount);
    for (std::size_t i = 0; i < c.expectedFirstFields.size() && i < record.fields.size(); ++i) {
        EXPECT_EQ(record.fields[i], c.expectedFirstFields[i]) << "field " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, DamagedRecord,
    ::testing::Values(DamagedCase{"Empty", "", {}, 0}, DamagedCase{"OnlyALineBreak", "\r\n", {}, 0},
                      DamagedCase{"FortyFields", formatRecord(std::vector<std::string>(40, "x")), {"x", "x"}, 40},
                      DamagedCase{"UnterminatedQuote", "\"a\",\"b", {"a", "b"}, 2},
                      DamagedCase{"NulInsideAField", std::string("\"a\0b\",", 6) + "\"c\"", {"ab", "c"}, 2},
                      DamagedCase{"UnquotedField", "plain text,\"b\"", {"plain text", "b"}, 2},
                      DamagedCase{"BlanksBeforeAQuote", "  \"a\",\"b\"", {"a", "b"}, 2},
                      DamagedCase{"TextAfterAClosingQuote", "\"a\"x,\"b\"", {"a", "b"}, 2}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST(StoreRecord, AHundredThousandFieldsAreReadOnlyAsFarAsTheRecordGoes) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) {
        bytes += "\"" + std::to_string(i) + "\",";
    }
    const ParsedRecord record = parseRecord(bytes);
    EXPECT_FALSE(record.damaged);
    ASSERT_EQ(record.fields.size(), 41u);
    EXPECT_EQ(record.fields[40], "40");
}

} // namespace
} // namespace hopwick
