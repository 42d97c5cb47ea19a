#include "app/texts.h"
#include "platform/win32/command_line.h"
#include "platform/win32/dropped_files.h"
#include "platform/win32/open_dialog.h"
#include "platform/win32/units.h"

#include <gtest/gtest.h>

#include <cstring>
#include <shlobj.h>
#include <vector>

namespace hopwick::win32 {
namespace {

using namespace std::string_literals;

TEST(CommandLineTest, TheArgumentsAreWhatFollowsTheProgramNameAndItsBlanks) {
    EXPECT_EQ(argumentsOf(L"hopwick.exe C:\\Tools\\run.exe"), L"C:\\Tools\\run.exe");
    EXPECT_EQ(argumentsOf(L"\"C:\\Program Files\\hopwick.exe\"  \t C:\\a b\\c.txt  "), L"C:\\a b\\c.txt  ");
    EXPECT_EQ(argumentsOf(L"\"C:\\Program Files\\hopwick.exe\"\"C:\\quoted path\""), L"\"C:\\quoted path\"");
    EXPECT_EQ(argumentsOf(L"hopwick.exe \"C:\\x y\" second"), L"\"C:\\x y\" second");
    EXPECT_EQ(argumentsOf(L"hopwick.exe"), L"");
    EXPECT_EQ(argumentsOf(L"\"C:\\hopwick.exe\"   "), L"");
    EXPECT_EQ(argumentsOf(L"\"C:\\unterminated"), L"");
    EXPECT_EQ(argumentsOf(L""), L"");
}

TEST(CommandLineTest, OneQuotedStringIsThePathWithinTheQuotesAndAnythingElseIsThePathWhole) {
    EXPECT_EQ(commandLinePathOf(L"\"C:\\path with spaces\\file.txt\""), L"C:\\path with spaces\\file.txt");
    EXPECT_EQ(commandLinePathOf(L"\"C:\\ﾒﾓ.txt\""), L"C:\\ﾒﾓ.txt");
    EXPECT_EQ(commandLinePathOf(L"\"\""), L"");
    // Two quoted paths, a quote at one end only, blanks after the quote, a path without quotes: used whole.
    EXPECT_EQ(commandLinePathOf(L"\"C:\\a b\" \"C:\\c d\""), L"\"C:\\a b\" \"C:\\c d\"");
    EXPECT_EQ(commandLinePathOf(L"\"C:\\a b"), L"\"C:\\a b");
    EXPECT_EQ(commandLinePathOf(L"C:\\a b\""), L"C:\\a b\"");
    EXPECT_EQ(commandLinePathOf(L"\"C:\\a b\" "), L"\"C:\\a b\" ");
    EXPECT_EQ(commandLinePathOf(L"C:\\a b\\c.txt"), L"C:\\a b\\c.txt");
    EXPECT_EQ(commandLinePathOf(L"\""), L"\"");
    EXPECT_EQ(commandLinePathOf(L""), L"");
}

TEST(DialogFilterTest, PairsBecomeNulSeparatedWithThePatternsTrimmed) {
    EXPECT_EQ(dialogFilter(texts::kItemFilter), L"EXE file (*.exe) \0*.exe\0 All file (*.*) \0*.*\0\0"s);
    EXPECT_EQ(dialogFilter(texts::kPictureFilter), L"Picture (*.bmp;*.ico;*.gif) \0*.bmp;*.ico;*.gif\0\0"s);
    EXPECT_EQ(dialogFilter("Text | *.txt ; *.log "), L"Text \0*.txt;*.log\0\0"s);
    EXPECT_EQ(dialogFilter("画像|*.bmp|lonely"), L"画像\0*.bmp\0\0"s);
    EXPECT_EQ(dialogFilter(""), L"\0"s);
}

TEST(UnitsTest, TwipsAndPointsBecomePixelsAtTheWindowsResolution) {
    EXPECT_EQ(pixelsOf(7080, 96), 472);
    EXPECT_EQ(pixelsOf(2175, 96), 145);
    EXPECT_EQ(pixelsOf(7080, 144), 708);
    EXPECT_EQ(pixelsOf(120, 120), 10);
    EXPECT_EQ(twipsOf(472, 96), 7080);
    EXPECT_EQ(fontHeightOf(9, 96), -12);
    EXPECT_EQ(fontHeightOf(11.25, 96), -15);
    EXPECT_EQ(fontHeightOf(9.75, 96), -13);
    EXPECT_EQ(fontHeightOf(9, 144), -18);
    // A list's rows in the 9-point design font.
    EXPECT_EQ(listRowPixelsOf(9, 96), 12);
    EXPECT_EQ(listRowPixelsOf(9, 120), 15);
    EXPECT_EQ(listRowPixelsOf(9, 144), 18);
}

TEST(UnitsTest, ColoursAreBgrValuesOrSystemColours) {
    EXPECT_EQ(colorRefOf(0x00C0C0FF), RGB(0xFF, 0xC0, 0xC0)); // the light red of setup mode
    EXPECT_EQ(colorRefOf(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(colorRefOf(0x80000005), GetSysColor(COLOR_WINDOW));
}

// A shell drop as the shell makes it: DROPFILES, then the NUL-ended paths and one more NUL.
HDROP makeDrop(const std::vector<std::wstring>& paths, POINT at) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const std::size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(DroppedFilesTest, PathsComeInTheDropsOrderAsUtf8WithWhereTheyWereDropped) {
    // Taking the drop finishes it, which frees it: the test does not.
    const ShellDrop taken =
        takeDrop(makeDrop({L"C:\\Tools\\run.exe", L"C:\\表示\\ﾒﾓ, 1.txt", L"D:\\folder"}, POINT{12, 34}));
    EXPECT_EQ(taken.paths, (std::vector<std::string>{"C:\\Tools\\run.exe", "C:\\表示\\ﾒﾓ, 1.txt", "D:\\folder"}));
    EXPECT_EQ(taken.at.x, 12);
    EXPECT_EQ(taken.at.y, 34);
}

} // namespace
} // namespace hopwick::win32
