#include "app/main_form.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"
#include "recording_platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <fstream>
#include <memory>
#include <string_view>

namespace hopwick::win32 {
namespace {

using testing::RecordingPlatform;
using testing::TempFolder;

// The native window's list and path input, driven by the messages that the mouse and the keyboard send them:
// they reach the form through the window's own subclassing of the two controls.
class WindowInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.programFolderPath = folder.path().string();
        for (const char* item : {"NotePad", "Calc", "Paint"}) {
            form.List1.AddItem(item);
        }
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        window = std::make_unique<MainWindow>(form, GetModuleHandleW(nullptr));
        ASSERT_NE(window->handle(), nullptr) << GetLastError();
        window->show(SW_SHOWNOACTIVATE);
        list = FindWindowExW(window->handle(), nullptr, L"LISTBOX", nullptr);
        edit = FindWindowExW(window->handle(), nullptr, L"EDIT", nullptr);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(edit, nullptr);
    }

    void TearDown() override {
        window.reset();
        // The window's end asks the (absent) message loop to stop; no later test may meet that request.
        MSG message{};
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    void click(int index) const {
        RECT entry{};
        ASSERT_NE(SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry)),
                  LB_ERR);
        const LPARAM at = MAKELPARAM(entry.left + 4, (entry.top + entry.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
    }

    // The window's tooltip, a window of this thread that the main window owns.
    HWND findTooltip() const {
        struct Search {
            HWND owner;
            HWND tooltip = nullptr;
        } search{window->handle()};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND candidate, LPARAM context) {
                auto* found = reinterpret_cast<Search*>(context);
                wchar_t name[64] = {};
                GetClassNameW(candidate, name, 64);
                if (std::wstring_view(name) == TOOLTIPS_CLASSW && GetWindow(candidate, GW_OWNER) == found->owner) {
                    found->tooltip = candidate;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.tooltip;
    }

    TempFolder folder;
    RecordingPlatform platform;
    MainForm form{platform};
    std::unique_ptr<MainWindow> window;
    HWND list = nullptr;
    HWND edit = nullptr;
};

TEST_F(WindowInputTest, AClickOnAnEntryStartsIt) {
    click(1);
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].programFile, "Calc.exe");
    EXPECT_EQ(form.List1.ListIndex(), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(WindowInputTest, AClickOnTheSelectedEntryStartsItAgain) {
    click(2);
    click(2);
    ASSERT_EQ(platform.starts.size(), 2u);
    EXPECT_EQ(platform.starts[1].programFile, platform.starts[0].programFile);
    click(0);
    ASSERT_EQ(platform.starts.size(), 3u);
    EXPECT_EQ(platform.starts[2].programFile, "Notepad.exe");
}

TEST_F(WindowInputTest, EnterInThePathInputAddsThePathInSetupMode) {
    form.Label2_Click();
    const std::string path = folder.file("tool.exe");
    std::ofstream(path) << "MZ";
    SetWindowTextW(edit, widen(path).c_str()); // the edit reports the change as typing does
    ASSERT_EQ(form.Text1.Text(), path);
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(form.List1.ListCount(), 4);
    EXPECT_EQ(form.List1.List(3), path);
    // Enter belongs to the input, not to the dialog manager's default button.
    EXPECT_NE(SendMessageW(edit, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS, 0);
}

TEST_F(WindowInputTest, EveryControlWithATipIsKnownToTheTooltip) {
    const HWND tooltip = findTooltip();
    ASSERT_NE(tooltip, nullptr);
    int withTips = 0;
    for (const ControlSpec& spec : controlTable()) {
        withTips += spec.tooltip.empty() ? 0 : 1;
    }
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), withTips);
}

// The tooltip and what it showed once its delay had passed, seen from inside the window's own message loop.
struct TipCheck {
    HWND tooltip = nullptr;
    HWND window = nullptr;
    HWND list = nullptr;
    bool visible = false;
    std::wstring text;
};
TipCheck tipCheck;

void CALLBACK lookAtTheTip(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    tipCheck.visible = IsWindowVisible(tipCheck.tooltip) != FALSE;
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    if (SendMessageW(tipCheck.tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0) {
        tipCheck.text = text;
    }
    PostMessageW(tipCheck.window, WM_CLOSE, 0, 0);
}

// Once the window manager has placed the window: the pointer comes to rest on the list.
void restOnTheList(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    RECT area{};
    GetClientRect(tipCheck.list, &area);
    const POINT at{area.right / 2, area.bottom / 2};
    POINT onScreen = at;
    ClientToScreen(tipCheck.list, &onScreen);
    // The tooltip shows a tip only while the pointer itself is over the tool.
    SetCursorPos(onScreen.x, onScreen.y);
    PostMessageW(tipCheck.list, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    const auto delay = static_cast<UINT>(SendMessageW(tipCheck.tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    SetTimer(nullptr, 0, delay + 500, lookAtTheTip);
}

// The message loop relays the mouse to the tooltip, which then shows the list's tip.
TEST_F(WindowInputTest, TheMouseRestingOnTheListShowsItsTip) {
    tipCheck = {findTooltip(), window->handle(), list, false, {}};
    ASSERT_NE(tipCheck.tooltip, nullptr);
    window->applyWindowSize(kOuterWidth, kNormalOuterHeight); // as the load sizes it: the list must be in view
    SetWindowPos(window->handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetTimer(nullptr, 0, 500, restOnTheList);
    window->run();
    EXPECT_TRUE(tipCheck.visible);
    EXPECT_EQ(tipCheck.text, widen(controlSpec(ControlId::List1).tooltip));
}

} // namespace
} // namespace hopwick::win32
