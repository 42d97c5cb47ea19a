#include "platform/windows/path_parts.h"
#include "platform/windows/wide_text.h"

#include <gtest/gtest.h>

namespace hopwick::win32 {
namespace {

struct PathCase {
    const wchar_t* path;
    const wchar_t* folder;
    const wchar_t* name;
};

// A root is never split and is its own folder; "C:" alone is the drive's current folder, not its root.
TEST(PathPartsTest, FoldersAndNamesKeepEveryKindOfRootWhole) {
    const PathCase cases[] = {
        {L"C:\\x", L"C:\\", L"x"},
        {L"C:\\", L"C:\\", L""},
        {L"C:\\Tools\\SIS", L"C:\\Tools", L"SIS"},
        {L"C:\\Tools\\\\SIS", L"C:\\Tools", L"SIS"},
        {L"C:/Tools/SIS", L"C:/Tools", L"SIS"},
        {L"C:\\Tools\\", L"C:\\Tools", L""},
        {L"C:x", L"C:", L"x"},
        {L"\\\\server\\share\\x", L"\\\\server\\share\\", L"x"},
        {L"\\\\server\\share\\a\\x", L"\\\\server\\share\\a", L"x"},
        {L"\\\\server\\share", L"\\\\server\\share", L""},
        {L"\\\\?\\C:\\x", L"\\\\?\\C:\\", L"x"},
        {L"\\\\?\\C:\\a\\x", L"\\\\?\\C:\\a", L"x"},
        {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\", L"x"},
        {L"/x", L"/", L"x"},
        {L"\\x", L"\\", L"x"},
        {L"x", L"", L"x"},
        {L"", L"", L""},
        {L"C:\\表\\ソ", L"C:\\表", L"ソ"}, // no byte of a character is a separator in UTF-16
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(folderOf(c.path), c.folder) << narrow(c.path);
        EXPECT_EQ(nameOf(c.path), c.name) << narrow(c.path);
    }
}

TEST(PathPartsTest, JoinedPutsOneSeparatorBetweenButNoneAfterADriveAlone) {
    EXPECT_EQ(joined(L"C:\\Tools", L"SIS"), L"C:\\Tools\\SIS");
    EXPECT_EQ(joined(L"C:\\Tools\\", L"SIS"), L"C:\\Tools\\SIS");
    EXPECT_EQ(joined(L"C:\\", L"SIS"), L"C:\\SIS");
    EXPECT_EQ(joined(L"C:", L"SIS"), L"C:SIS");
    EXPECT_EQ(joined(L"\\\\server\\share", L"SIS"), L"\\\\server\\share\\SIS");
    EXPECT_EQ(joined(L"", L"SIS"), L"SIS");
}

TEST(PathPartsTest, LongFormIsTheFullPathAfterThePrefixAndOnlyForFullPaths) {
    EXPECT_EQ(longForm(L"C:\\Tools\\SIS"), L"\\\\?\\C:\\Tools\\SIS");
    EXPECT_EQ(longForm(L"C:/Tools/./old/../SIS"), L"\\\\?\\C:\\Tools\\SIS");
    EXPECT_EQ(longForm(L"\\\\server\\share\\SIS"), L"\\\\?\\UNC\\server\\share\\SIS");
    EXPECT_EQ(longForm(L"\\\\?\\C:\\a/b"), L"\\\\?\\C:\\a/b") << "a long form is taken as it stands";
    EXPECT_EQ(longForm(L"SIS"), L"SIS");
    EXPECT_EQ(longForm(L"C:SIS"), L"C:SIS");
    EXPECT_EQ(longForm(L"\\Tools\\SIS"), L"\\Tools\\SIS");
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\SIS";
    EXPECT_EQ(longForm(deep), L"\\\\?\\" + deep);
}

} // namespace
} // namespace hopwick::win32
