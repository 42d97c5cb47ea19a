// The annotation's identifiers are defined here, as no import library of mingw-w64 holds them.
#include <initguid.h>

#include "app/main_form.h"
#include "app/texts.h"
#include "platform/win32/accessible_control.h"
#include "platform/win32/main_window.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_texts.h"
#include "recording_platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleacc.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hopwick::win32 {
namespace {

using testing::RecordingPlatform;
using testing::TempFolder;

// What an assistive technology reads from a control's object through oleacc, as a screen reader does.
struct Announced {
    HRESULT found = E_FAIL;
    std::string name;
    std::string description;
    std::string defaultAction;
    std::string shortcut;
    std::string value;
    long role = 0;
    long state = 0;
};

std::string narrowed(BSTR text) {
    std::string result = text != nullptr ? narrow(std::wstring(text, SysStringLen(text))) : std::string();
    SysFreeString(text);
    return result;
}

VARIANT self() {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

// One of the texts that an object tells about itself; empty where it tells none.
std::string textAbout(IAccessible& object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    return (object.*read)(self(), &text) == S_OK ? narrowed(text) : std::string();
}

// The name changes that a screen reader's hook hears: the window and the object within it.
struct NameChange {
    HWND window;
    LONG object;
    LONG child;
};
std::vector<NameChange> heardNameChanges;

void CALLBACK hearNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    heardNameChanges.push_back({window, object, child});
}

class WindowAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        platform.programFolderPath = folder.path().string();
        form.List1.AddItem("NotePad");
        form.Label2.setCaption(hopwick::texts::kSetupLabelCaption);
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        window = std::make_unique<MainWindow>(form, GetModuleHandleW(nullptr));
        ASSERT_NE(window->handle(), nullptr) << GetLastError();
        window->applyWindowSize(kOuterWidth, kNormalOuterHeight);
        window->show(SW_SHOWNOACTIVATE);
    }

    void TearDown() override {
        window.reset();
        MSG message{};
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        OleUninitialize();
    }

    // The control's window, by the identifier that the window gives each control in tab order.
    HWND controlWindow(ControlId id) const {
        for (HWND child = GetWindow(window->handle(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) == kFirstId + static_cast<int>(id)) {
                return child;
            }
        }
        return nullptr;
    }

    IAccessible* objectOf(ControlId id) const {
        IAccessible* object = nullptr;
        const HWND control = controlWindow(id);
        if (control == nullptr ||
            FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object)))) {
            return nullptr;
        }
        return object;
    }

    Announced announced(ControlId id) const {
        Announced seen;
        IAccessible* object = objectOf(id);
        if (object == nullptr) {
            return seen;
        }
        seen.found = S_OK;
        seen.name = textAbout(*object, &IAccessible::get_accName);
        seen.description = textAbout(*object, &IAccessible::get_accDescription);
        seen.defaultAction = textAbout(*object, &IAccessible::get_accDefaultAction);
        seen.shortcut = textAbout(*object, &IAccessible::get_accKeyboardShortcut);
        seen.value = textAbout(*object, &IAccessible::get_accValue);
        VARIANT value{};
        if (SUCCEEDED(object->get_accRole(self(), &value)) && value.vt == VT_I4) {
            seen.role = value.lVal;
        }
        value = {};
        if (SUCCEEDED(object->get_accState(self(), &value)) && value.vt == VT_I4) {
            seen.state = value.lVal;
        }
        object->Release();
        return seen;
    }

    // Hands the messages that a press posted to the window, and the size and title that the form then asked
    // for, as the platform passes them on.
    void settle() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!platform.windowSizes.empty()) {
            window->applyWindowSize(platform.windowSizes.back().first, platform.windowSizes.back().second);
        }
        if (!platform.captions.empty()) {
            window->applyCaption(platform.captions.back());
        }
    }

    static constexpr int kFirstId = 100;
    TempFolder folder;
    RecordingPlatform platform;
    MainForm form{platform};
    std::unique_ptr<MainWindow> window;
};

// Every control is told as what it is, by the name that a user knows it by, with its tooltip as description:
// the path input by its label, the list by a name of its own, OK by its caption although the window draws it,
// a button's access key as its shortcut, the labels that take clicks as push buttons that a press clicks.
TEST_F(WindowAccessibilityTest, EveryControlHasItsNameRoleAndDescription) {
    window->applyWindowSize(kOuterWidth, kSetupOuterHeight);
    const std::string pathLabel(controlSpec(ControlId::Label1).caption);
    const std::string typed = "C:\\Tools\\tool.exe";
    SetWindowTextW(controlWindow(ControlId::Text1), widen(typed).c_str());
    for (const ControlSpec& spec : controlTable()) {
        SCOPED_TRACE(std::string(spec.name));
        const Announced seen = announced(spec.id);
        ASSERT_EQ(seen.found, S_OK);
        EXPECT_EQ(seen.description, accessibleDescription(spec));
        switch (spec.kind) {
        case ControlKind::ListBox:
            EXPECT_EQ(seen.role, ROLE_SYSTEM_LIST);
            EXPECT_EQ(seen.name, hopwick::texts::kItemListName);
            break;
        case ControlKind::TextBox:
            EXPECT_EQ(seen.role, ROLE_SYSTEM_TEXT);
            EXPECT_EQ(seen.name, pathLabel);
            EXPECT_EQ(seen.value, typed); // what is typed is its value, not its name
            break;
        case ControlKind::Button: {
            EXPECT_EQ(seen.role, ROLE_SYSTEM_PUSHBUTTON);
            EXPECT_NE(seen.description, "") << "a button that says nothing of what it does";
            // The system reads the access key's mark as the shortcut, and the caption without it.
            std::string caption(spec.caption);
            if (const auto mark = caption.find('&'); mark != std::string::npos) {
                caption.erase(mark, 1);
            }
            EXPECT_EQ(seen.name, caption);
            EXPECT_EQ(seen.shortcut, spec.accessKey != 0 ? std::string("Alt+") + spec.accessKey : std::string());
            break;
        }
        case ControlKind::Label:
        case ControlKind::Window:
            if (spec.id == ControlId::Label1) {
                EXPECT_EQ(seen.role, ROLE_SYSTEM_STATICTEXT);
                EXPECT_EQ(seen.name, pathLabel);
                EXPECT_EQ(seen.defaultAction, "");
            } else {
                EXPECT_EQ(seen.role, ROLE_SYSTEM_PUSHBUTTON);
                EXPECT_EQ(seen.defaultAction, texts::kPressAction);
            }
            break;
        }
    }
    EXPECT_EQ(announced(ControlId::Label4).name, "Exit");
    EXPECT_EQ(announced(ControlId::Label3).name, "Help!");
    // Its two lines are read as one.
    EXPECT_EQ(announced(ControlId::Label2).name, "他のｱﾌﾟﾘ / ｵﾌﾟｼｮﾝ:");
    // The window draws OK itself; its caption stays its window text, which names it.
    EXPECT_NE(GetWindowLongW(controlWindow(ControlId::Command1), GWL_STYLE) & BS_OWNERDRAW, 0);
}

// Setup mode's title is its instruction: a screen reader hears it as the window's new name, and the old name
// when the mode ends.
TEST_F(WindowAccessibilityTest, ANewTitleIsHeardAsTheWindowsNewName) {
    heardNameChanges.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                               hearNameChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto heardForWindow = [this] {
        int count = 0;
        for (const NameChange& change : heardNameChanges) {
            count += change.window == window->handle() && change.object == OBJID_WINDOW && change.child == CHILDID_SELF;
        }
        return count;
    };
    const auto title = [this] {
        wchar_t text[512]{};
        GetWindowTextW(window->handle(), text, 512);
        return narrow(text);
    };
    form.Label2_Click();
    settle();
    settle(); // the events of the new title come through the queue
    EXPECT_EQ(title(), hopwick::texts::kSetupCaption);
    EXPECT_EQ(heardForWindow(), 1);
    form.Command6_Click();
    settle();
    settle();
    EXPECT_NE(title(), hopwick::texts::kSetupCaption);
    EXPECT_EQ(heardForWindow(), 2);
    UnhookWinEvent(hook);
}

// Normal mode offers only the top strip: the setup band below the client area is hidden, and comes into view
// with setup mode.
TEST_F(WindowAccessibilityTest, TheSetupBandIsOfferedOnlyInSetupMode) {
    const auto invisible = [this](ControlId id) {
        return (announced(id).state & STATE_SYSTEM_INVISIBLE) != 0 && !IsWindowVisible(controlWindow(id));
    };
    for (const ControlSpec& spec : controlTable()) {
        EXPECT_EQ(invisible(spec.id), !inView(spec.id, false)) << spec.name << " in normal mode";
    }
    form.Label2_Click();
    settle();
    for (const ControlSpec& spec : controlTable()) {
        EXPECT_FALSE(invisible(spec.id)) << spec.name << " in setup mode";
    }
    form.Command6_Click();
    settle();
    for (const ControlSpec& spec : controlTable()) {
        EXPECT_EQ(invisible(spec.id), !inView(spec.id, false)) << spec.name << " back in normal mode";
    }
}

// A press through the label's object acts as a click on it: the setup label enters setup mode. A label out of
// sight takes no press: "Help!" writes no mail in normal mode.
TEST_F(WindowAccessibilityTest, APressOnAClickableLabelClicksIt) {
    IAccessible* help = objectOf(ControlId::Label3);
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(SUCCEEDED(help->accDoDefaultAction(self())));
    help->Release();
    settle();
    EXPECT_TRUE(platform.shellCalls.empty());

    IAccessible* setupLabel = objectOf(ControlId::Label2);
    ASSERT_NE(setupLabel, nullptr);
    EXPECT_EQ(setupLabel->accDoDefaultAction(self()), S_OK);
    setupLabel->Release();
    EXPECT_FALSE(form.SetupMode) << "pressed inside the request";
    settle();
    EXPECT_TRUE(form.SetupMode);
    EXPECT_TRUE(IsWindowVisible(controlWindow(ControlId::Command1)));

    help = objectOf(ControlId::Label3);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->accDoDefaultAction(self()), S_OK);
    help->Release();
    settle();
    EXPECT_EQ(platform.shellCalls.size(), 1u);
}

// Whatever interface a control's object offers leads back to the same object, as COM requires: an object that
// handed out another object's interfaces would let a caller's references reach an object it never asked for.
TEST_F(WindowAccessibilityTest, EveryInterfaceOfAControlsObjectIsTheSameObjects) {
    const auto identity = [](IUnknown& object) {
        IUnknown* unknown = nullptr;
        EXPECT_EQ(object.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
        if (unknown != nullptr) {
            unknown->Release();
        }
        return unknown;
    };
    for (const ControlId id : {ControlId::List1, ControlId::Label2, ControlId::Text1}) {
        SCOPED_TRACE(std::string(controlSpec(id).name));
        IAccessible* object = objectOf(id);
        ASSERT_NE(object, nullptr);
        for (const IID& other : {IID_IEnumVARIANT, IID_IOleWindow, IID_IDispatch, IID_IServiceProvider}) {
            IUnknown* offered = nullptr;
            if (SUCCEEDED(object->QueryInterface(other, reinterpret_cast<void**>(&offered))) && offered != nullptr) {
                EXPECT_EQ(identity(*offered), identity(*object));
                offered->Release();
            }
        }
        object->Release();
    }
}

// The system's annotation service as a test sees it: every property laid over a control's object, by window.
class RecordingAnnotation final : public IAccPropServices {
public:
    std::map<HWND, std::map<std::string, std::wstring>> texts;
    std::map<HWND, long> roles;
    HRESULT answer = S_OK;

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                             LPCWSTR text) override {
        EXPECT_EQ(object, static_cast<DWORD>(OBJID_CLIENT));
        EXPECT_EQ(child, static_cast<DWORD>(CHILDID_SELF));
        if (SUCCEEDED(answer)) {
            texts[window][nameOf(property)] = text;
        }
        return answer;
    }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                          VARIANT value) override {
        EXPECT_EQ(object, static_cast<DWORD>(OBJID_CLIENT));
        EXPECT_EQ(child, static_cast<DWORD>(CHILDID_SELF));
        EXPECT_TRUE(IsEqualGUID(property, PROPID_ACC_ROLE));
        EXPECT_EQ(value.vt, VT_I4);
        if (SUCCEEDED(answer)) {
            roles[window] = value.lVal;
        }
        return answer;
    }

    // Not used by the window.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                            AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                 AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
        return E_NOTIMPL;
    }

private:
    static std::string nameOf(const MSAAPROPID& property) {
        if (IsEqualGUID(property, PROPID_ACC_NAME)) {
            return "name";
        }
        if (IsEqualGUID(property, PROPID_ACC_DESCRIPTION)) {
            return "description";
        }
        return IsEqualGUID(property, PROPID_ACC_DEFAULTACTION) ? "default action" : "other";
    }
};

// Where the system keeps annotations, the traits are laid over the system's own object: the name, description
// and role, and a pressable label's action's name; what the traits leave empty stays the system's. Wine's
// oleacc keeps none, so there only this record of them can be checked.
TEST_F(WindowAccessibilityTest, TheTraitsAreLaidOverTheSystemsObjectAsAnnotations) {
    RecordingAnnotation annotation;
    const HWND list = controlWindow(ControlId::List1);
    const HWND label = controlWindow(ControlId::Label2);
    EXPECT_TRUE(annotateControl(annotation, list, {L"ｱｲﾃﾑ", L"", ROLE_SYSTEM_LIST, false}));
    EXPECT_TRUE(annotateControl(annotation, label, {L"他の", L"設定", ROLE_SYSTEM_PUSHBUTTON, true}));
    EXPECT_EQ(annotation.texts[list], (std::map<std::string, std::wstring>{{"name", L"ｱｲﾃﾑ"}}));
    EXPECT_EQ(annotation.roles[list], ROLE_SYSTEM_LIST);
    EXPECT_EQ(annotation.texts[label],
              (std::map<std::string, std::wstring>{
                  {"name", L"他の"}, {"description", L"設定"}, {"default action", widen(texts::kPressAction)}}));
    EXPECT_EQ(annotation.roles[label], ROLE_SYSTEM_PUSHBUTTON);
    const HWND edit = controlWindow(ControlId::Text1);
    EXPECT_TRUE(annotateControl(annotation, edit, {}));
    EXPECT_EQ(annotation.texts.count(edit), 0U);
    EXPECT_EQ(annotation.roles.count(edit), 0U);
    // A system that refuses them leaves the traits to the control's own object.
    annotation.answer = E_NOTIMPL;
    EXPECT_FALSE(annotateControl(annotation, list, {L"ｱｲﾃﾑ", L"", ROLE_SYSTEM_LIST, false}));
    EXPECT_FALSE(annotateControl(annotation, edit, {L"", L"", ROLE_SYSTEM_TEXT, false}));
}

} // namespace
} // namespace hopwick::win32
