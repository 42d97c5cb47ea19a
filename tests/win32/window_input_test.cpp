#include "app/main_form.h"
#include "app/texts.h"
#include "platform/win32/main_window.h"
#include "platform/win32/window_dpi.h"
#include "platform/windows/wide_text.h"
#include "recording_platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace hopwick::win32 {
namespace {

using testing::RecordingPlatform;
using testing::TempFolder;

// Steps run one at a time, a tick apart, from inside the window's own message loop, which ends after the last:
// what a step does (keys sent) has reached the window before the next step.
std::vector<std::function<void()>> loopSteps;
std::size_t nextLoopStep = 0;

void CALLBACK runNextLoopStep(HWND, UINT, UINT_PTR timer, DWORD) {
    if (nextLoopStep < loopSteps.size()) {
        loopSteps[nextLoopStep++]();
        return;
    }
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
}

// A key pressed and released on the keyboard, with Shift or Alt held if asked: the system queues it for the
// window that has the focus, as it queues the real keyboard's keys.
void pressKey(WORD key, bool shift = false, bool alt = false) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift) {
        add(VK_SHIFT, 0);
    }
    if (alt) {
        add(VK_MENU, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (alt) {
        add(VK_MENU, KEYEVENTF_KEYUP);
    }
    if (shift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The native window's list and path input, driven by the messages that the mouse and the keyboard send them:
// they reach the form through the window's own subclassing of the two controls.
class WindowInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.programFolderPath = folder.path().string();
        for (const char* item : {"NotePad", "Calc", "Paint"}) {
            form.List1.AddItem(item);
        }
        form.Label2.setCaption("setup"); // its caption names it in focusName()
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

    // Runs the steps inside the window's message loop, with the window active and the list focused first.
    void runInLoop(std::vector<std::function<void()>> steps) {
        const HWND shown = window->handle();
        const HWND focus = list;
        steps.insert(steps.begin(), [shown, focus] {
            SetForegroundWindow(shown);
            SetFocus(focus);
        });
        loopSteps = std::move(steps);
        nextLoopStep = 0;
        SetTimer(nullptr, 0, 200, runNextLoopStep);
        window->run();
        loopSteps.clear();
    }

    // The control that has the focus, by the name a user knows it by: its caption, or its kind.
    std::string focusName() const {
        const HWND focus = GetFocus();
        if (focus == list) {
            return "List1";
        }
        if (focus == edit) {
            return "Text1";
        }
        if (focus == nullptr || GetParent(focus) != window->handle()) {
            return "(outside the window)";
        }
        wchar_t caption[64] = {};
        GetWindowTextW(focus, caption, 64);
        return narrow(caption);
    }

    // A button of the window by its caption.
    HWND button(ControlId id) const {
        return FindWindowExW(window->handle(), nullptr, L"BUTTON", widen(controlSpec(id).caption).c_str());
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

TEST_F(WindowInputTest, TabInNormalModeMovesOnlyAmongTheControlsInView) {
    window->applyWindowSize(kOuterWidth, kNormalOuterHeight);
    std::vector<std::string> focus;
    const auto noteFocus = [&] { focus.push_back(focusName()); };
    // Tab, Tab, Space once reached the hidden Add button and said that the path was empty; further Tabs reached
    // the hidden delete button. Now they go between the list and the setup label.
    runInLoop({[] { pressKey(VK_TAB); }, noteFocus, [] { pressKey(VK_TAB); }, noteFocus, [] { pressKey(VK_SPACE); },
               [] { pressKey(VK_TAB, true); }, noteFocus, [] { pressKey(VK_TAB, true); }, noteFocus,
               [] { pressKey(VK_RETURN); }, noteFocus});
    EXPECT_EQ(focus, (std::vector<std::string>{"setup", "List1", "setup", "List1", "List1"}));
    EXPECT_TRUE(platform.messages.empty());
    // Space and Enter on the list with nothing selected start nothing, as the key table says.
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_FALSE(form.SetupMode);
    EXPECT_EQ(form.List1.ListCount(), 3);
}

TEST_F(WindowInputTest, TabInSetupModeWalksEveryButtonInTheTabOrder) {
    form.Label2_Click();
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    std::vector<std::string> focus;
    std::vector<std::function<void()>> steps;
    for (int i = 0; i < 14; ++i) {
        steps.emplace_back([] { pressKey(VK_TAB); });
        steps.emplace_back([&] { focus.push_back(focusName()); });
    }
    steps.emplace_back([] { pressKey(VK_TAB, true); });
    steps.emplace_back([&] { focus.push_back(focusName()); });
    runInLoop(std::move(steps));

    const auto caption = [](ControlId id) { return std::string(controlSpec(id).caption); };
    EXPECT_EQ(focus, (std::vector<std::string>{"Text1", caption(ControlId::Command20), caption(ControlId::Command1),
                                               caption(ControlId::Command3), caption(ControlId::Command5),
                                               caption(ControlId::Command2), "setup", caption(ControlId::Command4),
                                               caption(ControlId::Command7), caption(ControlId::Label3),
                                               caption(ControlId::Command6), caption(ControlId::Command8),
                                               caption(ControlId::Command9), "List1", caption(ControlId::Command9)}));
    EXPECT_TRUE(platform.messages.empty());
}

// A plain letter typed while a button has the focus is no access key: only Alt with the letter runs a command.
TEST_F(WindowInputTest, APlainLetterOnAFocusedButtonRunsNoCommand) {
    form.Label2_Click();
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    const HWND ok = button(ControlId::Command1);
    ASSERT_NE(ok, nullptr);
    runInLoop({[ok] { SetFocus(ok); }, [] { pressKey('I'); }, [] { pressKey('D'); }, [] { pressKey('C'); },
               [] { pressKey('P'); }, [] { pressKey('E'); }, [] { pressKey('S'); }, [] { pressKey('A'); }});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogs.empty());
    EXPECT_EQ(form.List1.ListCount(), 3);
    runInLoop({[ok] { SetFocus(ok); }, [] { pressKey('D', false, true); }});
    EXPECT_EQ(form.List1.ListCount(), 2); // Alt+D deletes
}

// The setup label takes Tab, Enter and Space as a button does, and F2 runs it from anywhere.
TEST_F(WindowInputTest, TheSetupLabelIsPressedByEnterSpaceAndF2) {
    window->applyWindowSize(kOuterWidth, kNormalOuterHeight);
    for (const WORD key : {WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_F2)}) {
        form.SetupMode = false;
        const auto toLabel = [key] {
            if (key != VK_F2) {
                pressKey(VK_TAB);
            }
        };
        runInLoop({toLabel, [key] { pressKey(key); }});
        EXPECT_TRUE(form.SetupMode) << key;
        EXPECT_EQ(form.focusedControl(), ControlId::Text1) << key;
    }
    EXPECT_TRUE(platform.starts.empty());
}

// F1 opens help while "Help!" is in view, and "Help!" takes Tab and Enter; in normal mode F1 does nothing.
TEST_F(WindowInputTest, HelpIsOpenedByF1AndByEnterOnlyWhileInView) {
    window->applyWindowSize(kOuterWidth, kNormalOuterHeight);
    runInLoop({[] { pressKey(VK_F1); }});
    EXPECT_TRUE(platform.shellCalls.empty());
    form.Label2_Click();
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    const HWND help = FindWindowExW(window->handle(), nullptr, L"STATIC", L"Help!");
    ASSERT_NE(help, nullptr);
    runInLoop({[] { pressKey(VK_F1); }, [help] { SetFocus(help); }, [] { pressKey(VK_RETURN); }});
    ASSERT_EQ(platform.shellCalls.size(), 2u);
    EXPECT_TRUE(platform.shellCalls[1].file.starts_with("mailto:"));
}

// Moving through the list by keys starts nothing; Enter and Space start the selected entry; a typed letter
// selects the entry it begins, as on the Linux build.
TEST_F(WindowInputTest, MovingThroughTheListStartsNothingAndEnterStarts) {
    for (const char* item : {"WordPad", "Explorer", "defrag", "Telnet", "FTP", "Regedit"}) {
        form.List1.AddItem(item);
    }
    window->controlChanged(ControlId::List1);
    std::vector<int> selected;
    const auto note = [&] { selected.push_back(form.List1.ListIndex()); };
    runInLoop({[] { pressKey(VK_DOWN); }, [] { pressKey(VK_DOWN); }, note, [] { pressKey(VK_END); }, note,
               [] { pressKey(VK_HOME); }, note, [] { pressKey(VK_NEXT); }, note, [] { pressKey(VK_PRIOR); }, note,
               [] { pressKey('P'); }, note, [] { pressKey('R'); }, note});
    EXPECT_EQ(selected, (std::vector<int>{1, 8, 0, 4, 0, 2, 8}));
    EXPECT_TRUE(platform.starts.empty());
    runInLoop({[] { pressKey('C'); }, [] { pressKey(VK_RETURN); }, [] { pressKey(VK_SPACE); }});
    ASSERT_EQ(platform.starts.size(), 2u);
    EXPECT_EQ(platform.starts[0].programFile, "Calc.exe");
    EXPECT_EQ(platform.starts[1].programFile, "Calc.exe");
}

// The window itself takes no keys: asked to take the focus, it leaves it on the control in view that has it, or
// gives it to the list.
TEST_F(WindowInputTest, FocusingTheWindowLeavesTheFocusOnAControl) {
    const HWND shown = window->handle();
    std::vector<std::string> focus;
    MainWindow* front = window.get();
    runInLoop({[front] { front->setFocus(ControlId::Form); }, [&] { focus.push_back(focusName()); },
               [shown] { SetFocus(shown); }, [front] { front->setFocus(ControlId::Form); },
               [&] { focus.push_back(focusName()); }, [] { pressKey(VK_DOWN); }});
    EXPECT_EQ(focus, (std::vector<std::string>{"List1", "List1"}));
    EXPECT_EQ(form.List1.ListIndex(), 0);
}

// After Add the list scrolls to the new entry, which shows that the add worked.
TEST_F(WindowInputTest, AnAddedEntryIsScrolledIntoView) {
    for (int i = 0; i < 10; ++i) {
        form.List1.AddItem("Calc");
    }
    form.Label2_Click();
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    window->controlChanged(ControlId::List1);
    const std::string path = folder.file("added.exe");
    std::ofstream(path) << "MZ";
    SetWindowTextW(edit, widen(path).c_str());
    const HWND input = edit;
    MainWindow* front = window.get();
    // The recording platform shows nothing by itself: the window is told of the change as the real one tells it.
    runInLoop({[input] { SetFocus(input); }, [] { pressKey(VK_RETURN); },
               [front] { front->controlChanged(ControlId::List1); }});
    ASSERT_EQ(form.List1.ListCount(), 14);
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_LE(top, 13);
    EXPECT_GT(top + form.List1.rowsInView(), 13) << top;
    EXPECT_EQ(form.List1.ListIndex(), -1);
}

// Whatever put the focus out of view, no key acts there unseen: typing, Enter, Space and the access keys do
// nothing, and Tab brings the focus back into view.
TEST_F(WindowInputTest, AControlOutOfViewTakesNoKeyButTab) {
    window->applyWindowSize(kOuterWidth, kNormalOuterHeight);
    const HWND add = button(ControlId::Command20);
    const HWND remove = button(ControlId::Command2);
    ASSERT_NE(add, nullptr);
    ASSERT_NE(remove, nullptr);
    std::vector<std::string> focus;
    const auto noteFocus = [&] { focus.push_back(focusName()); };
    const HWND input = edit;
    runInLoop({[input] { SetFocus(input); }, [] { pressKey('X'); }, [] { pressKey(VK_RETURN); },
               [] { pressKey('C', false, true); }, [add] { SetFocus(add); }, [] { pressKey(VK_SPACE); },
               [] { pressKey(VK_RETURN); }, [remove] { SetFocus(remove); }, [] { pressKey(VK_SPACE); },
               [] { pressKey(VK_RETURN); }, [] { pressKey('I'); }, [] { pressKey('D', false, true); },
               [] { pressKey(VK_TAB); }, noteFocus});
    EXPECT_EQ(form.Text1.Text(), "");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogs.empty());
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(form.List1.ListCount(), 3);
    EXPECT_EQ(focus, (std::vector<std::string>{"setup"})); // the next control in view
}

// The same keys reach the same controls once they are in view: typing fills the path input, and Enter presses
// the focused button, here Add, which finds no such file.
TEST_F(WindowInputTest, InSetupModeTheControlsTakeTheirKeys) {
    form.Label2_Click();
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    const HWND add = button(ControlId::Command20);
    ASSERT_NE(add, nullptr);
    const HWND input = edit;
    runInLoop(
        {[input] { SetFocus(input); }, [] { pressKey('X'); }, [add] { SetFocus(add); }, [] { pressKey(VK_RETURN); }});
    EXPECT_EQ(form.Text1.Text(), "x");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, texts::kNoSuchPathPrompt);
    EXPECT_EQ(form.List1.ListCount(), 3);
}

TEST_F(WindowInputTest, TheListShowsFiveWholeRowsAsHighAsTheDesignFont) {
    for (const char* item : {"Calc", "Paint", "NotePad", "Calc", "Paint"}) {
        form.List1.AddItem(item);
    }
    window->controlChanged(ControlId::List1);
    const UINT dpi = dpiOfWindow(window->handle());
    const auto row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(row, MulDiv(12, static_cast<int>(dpi), 96)); // 9 points
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom % row, 0) << client.bottom;
    EXPECT_EQ(client.bottom / row, 5) << client.bottom;

    // The bottom line of the list's client area belongs to its fifth row.
    const LPARAM at = MAKELPARAM(4, client.bottom - 1);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(form.List1.ListIndex(), 4);
    RECT fifth{};
    SendMessageW(list, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&fifth));
    EXPECT_EQ(fifth.bottom, client.bottom);
}

} // namespace
} // namespace hopwick::win32
