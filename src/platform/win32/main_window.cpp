#include "platform/win32/main_window.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/units.h"
#include "platform/win32/window_dpi.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

namespace {

// A fixed frame with a close and a minimise button: the program sets the size itself.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Often enough that another process's save shows well within a second.
constexpr UINT kStorePollMilliseconds = 200;

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS; // the double click on the surface chooses a picture
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(HOPWICK_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&windowClass); // already there for a second window of the process, which is fine
}

} // namespace

MainWindow::MainWindow(MainForm& form, HINSTANCE instance) : form_(form) {
    registerWindowClass(instance, windowProc);
    // Made at the size that the load gives it, at the DPI of the screen where it will most likely stand, so that
    // showing it need not size it again.
    const UINT dpi = systemDpi();
    CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, kMainWindowClass, L"", kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, pixelsOf(kOuterWidth, dpi), pixelsOf(kNormalOuterHeight, dpi), nullptr, nullptr,
                    instance, this);
    if (window_ != nullptr) {
        createControls();
    }
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::show(int showCommand) {
    // What changed while the window was hidden, while it still is: filling a list box that shows costs its
    // redraw and its scroll bar's, about 3 ms of the start-up under Wine.
    resize();
    for (const ControlSpec& spec : controlTable()) {
        sync(spec.id);
    }
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

// The window itself takes no keys: focused, it leaves the focus on the control in view that has it, or gives it
// to the first control in view, so that the focus always shows and the next key does something.
void MainWindow::setFocus(ControlId id) {
    if (window_ == nullptr) {
        return;
    }
    if (id != ControlId::Form) {
        SetFocus(control(id));
        return;
    }
    const HWND focus = GetFocus();
    if (focus == nullptr || controlOf(focus) == ControlId::Form || !isInView(focus)) {
        SetFocus(nextTabStopInView(nullptr, false));
    }
}

void MainWindow::applyWindowSize(int widthTwips, int heightTwips) {
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    if (window_ != nullptr) {
        showControlsInView();
    }
    // The load sets the width and the height apart; a hidden window takes its size once, as it shows.
    if (window_ != nullptr && IsWindowVisible(window_)) {
        resize();
    }
}

void MainWindow::resize() {
    const int width = pixelsOf(widthTwips_, dpi_);
    const int height = pixelsOf(heightTwips_, dpi_);
    RECT now{};
    GetWindowRect(window_, &now);
    // Under Wine even a move to the same size is a round of messages and calls to the server.
    if (now.right - now.left != width || now.bottom - now.top != height) {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::applyCaption(const std::string& caption) {
    const std::wstring title = widen(caption);
    if (window_ == nullptr || textOf(window_) == title) {
        return;
    }
    SetWindowTextW(window_, title.c_str());
    // Setup mode's title is its instruction: a screen reader's hook is told that the window's name changed.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_WINDOW, CHILDID_SELF);
}

void MainWindow::applyPicture(const std::shared_ptr<const Picture>& picture) {
    // Only pictures that this front end loaded reach it.
    picture_ = std::dynamic_pointer_cast<const Win32Picture>(picture);
    if (window_ != nullptr) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void MainWindow::close() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::followStore(const std::string& storePath) {
    storeWatcher_ = std::make_unique<StoreWatcher>(storePath);
    SetTimer(window_, kStoreTimer, kStorePollMilliseconds, nullptr);
}

// The timer also ticks inside the form's boxes, whose owner is then disabled: the look waits for them.
void MainWindow::onStoreTimer() {
    if (storeWatcher_->poll()) {
        storeLookPending_ = true;
    }
    if (storeLookPending_ && IsWindowEnabled(window_)) {
        storeLookPending_ = false;
        form_.storeChangedOnDisk();
    }
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(window, message, wParam, lParam);
}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (const ControlId id = controlOf(reinterpret_cast<HWND>(lParam)); id != ControlId::Form) {
            onCommand(id, HIWORD(wParam));
        }
        return 0;
    case WM_DRAWITEM:
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            controlOf(item->hwndItem) == ControlId::Command1) {
            drawColoredButton(*item);
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
        // Labels lie over the surface, and so over the background picture.
        if (controlSpec(controlOf(reinterpret_cast<HWND>(lParam))).kind == ControlKind::Label) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    case WM_ERASEBKGND: paintBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_LBUTTONDBLCLK: form_.Form_DblClick(); return 0;
    case WM_DROPFILES: onDrop(reinterpret_cast<HDROP>(wParam), false); return 0;
    case kQueuedDropMessage: onQueuedDrop(); return 0;
    case WM_TIMER:
        if (wParam == kStoreTimer) {
            onStoreTimer();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The focus comes back where it was when another window (a message box) took it; the first time it
        // goes to the first control in tab order.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusOnDeactivation_ = GetFocus();
        } else if (HIWORD(wParam) == 0) {
            const HWND saved = focusOnDeactivation_;
            const bool ours = saved != nullptr && (saved == window || (IsChild(window, saved) && isInView(saved)));
            SetFocus(ours ? saved : GetNextDlgTabItem(window, nullptr, FALSE));
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        controls_.fill(nullptr);
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace hopwick::win32
