// The native window and the store it shares with other processes: drops are finished before their questions,
// another process's save shows in a window in normal mode, and a question can be closed without an answer.

#include "app/main_form.h"
#include "form_fixture.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows/wide_text.h"
#include "recording_platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <chrono>
#include <commctrl.h>
#include <cstring>
#include <functional>
#include <thread>

namespace hopwick::win32 {
namespace {

using testing::RecordingPlatform;
using testing::storeRecord;
using testing::TempFolder;

constexpr auto kPatience = std::chrono::seconds(20);

// Runs the thread's messages until the condition holds or the patience runs out; says which.
bool pumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    return true;
}

// What the shell hands a window that accepts files: a DROPFILES block and the wide paths after it.
HDROP shellDropOf(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const std::wstring& path : paths) {
        characters += path.size() + 1;
    }
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->pt = {20, 20};
    files->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(files) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(names, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class WindowSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.programFolderPath = folder.path().string();
        folder.write("SIS", storeRecord({"NotePad"}));
        form.Form_Load();
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        window = std::make_unique<MainWindow>(form, GetModuleHandleW(nullptr));
        ASSERT_NE(window->handle(), nullptr) << GetLastError();
        window->show(SW_SHOWNOACTIVATE);
        platform.forget();
    }

    void TearDown() override {
        window.reset();
        MSG message{};
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    TempFolder folder;
    RecordingPlatform platform;
    MainForm form{platform};
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowSyncTest, ADropIsFinishedBeforeItsQuestionIsAsked) {
    const std::string dropped = folder.write("dropped.txt", "x");
    SendMessageW(window->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(shellDropOf({widen(dropped)})), 0);
    EXPECT_TRUE(platform.messages.empty()) << "asked inside the drop";
    EXPECT_EQ(form.List1.ListCount(), 1);
    ASSERT_TRUE(pumpUntil([&] { return form.List1.ListCount() == 2; }));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。");
    EXPECT_EQ(form.List1.List(1), dropped);
    EXPECT_EQ(folder.read("SIS"), storeRecord({"NotePad", dropped}));
}

TEST_F(WindowSyncTest, AStoreSavedByAnotherProcessShowsInNormalMode) {
    window->followStore(form.StorePath);
    folder.write("SIS", storeRecord({"NotePad", "Calc"}));
    ASSERT_TRUE(pumpUntil([&] { return form.List1.ListCount() == 2; })) << "the window never followed the store";
    EXPECT_EQ(form.List1.List(1), "Calc");
    EXPECT_TRUE(platform.messages.empty());
}

// From another thread, as a user would: waits for the box titled `title` and sends it `message`.
std::thread answerBox(const std::wstring& title, UINT message, WPARAM wParam) {
    return std::thread([=] {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const HWND box = FindWindowW(L"#32770", title.c_str()); box != nullptr) {
                PostMessageW(message == WM_KEYDOWN ? GetDlgItem(box, IDYES) : box, message, wParam, 0);
                return;
            }
            Sleep(10);
        }
    });
}

TEST(ClosableBoxTest, AYesNoBoxClosedWithoutAnAnswerSaysSoAndYesStillAnswersYes) {
    SystemPlatform system;
    Win32Platform platform(system);
    struct Case {
        const wchar_t* title;
        UINT message;
        WPARAM wParam;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {L"escape", WM_KEYDOWN, VK_ESCAPE, MessageAnswer::Cancel},
        {L"close button", WM_SYSCOMMAND, SC_CLOSE, MessageAnswer::Cancel},
        {L"yes", WM_COMMAND, IDYES, MessageAnswer::Yes},
        {L"no", WM_COMMAND, IDNO, MessageAnswer::No},
    };
    for (const Case& test : cases) {
        std::thread user = answerBox(test.title, test.message, test.wParam);
        EXPECT_EQ(platform.messageBox("prompt", MessageStyle::YesNo, narrow(test.title)), test.answer)
            << narrow(test.title);
        user.join();
    }
}

} // namespace
} // namespace hopwick::win32
