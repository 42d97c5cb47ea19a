#pragma once

#include "app/main_form.h"
#include "platform/win32/control_fonts.h"
#include "platform/win32/main_window_class.h"
#include "platform/win32/picture.h"
#include "platform/win32/store_watcher.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <deque>
#include <memory>
#include <string>

namespace hopwick::win32 {

// The launcher's window as native controls: it draws the form's models and turns the user's actions into calls
// of the form's handlers. Built hidden; the form's Form_Load runs before show().
class MainWindow {
public:
    MainWindow(MainForm& form, HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    HWND handle() const { return window_; }
    void show(int showCommand);

    // What the platform passes on from the form.
    void setFocus(ControlId id);
    void applyWindowSize(int widthTwips, int heightTwips);
    void applyCaption(const std::string& caption);
    void applyPicture(const std::shared_ptr<const Picture>& picture);
    void controlChanged(ControlId id);
    void close();

    // Runs the message loop until the window is gone; returns the exit code.
    int run();

    // Tells the form, between its handlers, when another process may have changed the store.
    void followStore(const std::string& storePath);

private:
    static constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::Command9) + 1;
    static constexpr UINT kQueuedDropMessage = WM_APP + 1;
    static constexpr UINT_PTR kStoreTimer = 1;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The list and the edit are subclassed; their own procedures are kept in controlProcs_.
    static LRESULT CALLBACK controlProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT passOn(ControlId id, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void resize(); // to the form's size at the window's DPI

    // control_views.cpp
    void createControls();
    void showControlsInView(); // the setup band only at the setup mode's height
    void addTooltips();
    void layOut();
    void applyScale(); // the fonts and the window size for the window's DPI
    void fitListRows();
    HFONT fontOf(ControlId id, int weight);
    // control_sync.cpp
    static std::wstring textOf(HWND window);
    void sync(ControlId id); // brings the control up to what the form holds
    void syncList();
    void scrollListTo(int index); // the entry into view, the selection left alone
    void syncText();
    void syncLabel(ControlId id);
    void redrawUnder(HWND control);
    // window_paint.cpp
    void paintBackground(HDC dc);
    void drawColoredButton(const DRAWITEMSTRUCT& item);
    static void drawFocusFrame(HDC dc, const RECT& area);
    void drawLabelFocus(HWND label); // the focus mark of a label that has the focus
    LRESULT onLabelMessage(ControlId id, UINT message, WPARAM wParam, LPARAM lParam);
    // control_events.cpp
    void onCommand(ControlId id, int code);
    void onDrop(HDROP drop, bool onList);
    void onQueuedDrop();
    void onStoreTimer();
    LRESULT onListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // control_accessibility.cpp
    LRESULT onAccessibleRequest(ControlId id, WPARAM flags, LPARAM objectId);
    // keyboard.cpp
    bool preTranslate(MSG& message);
    bool keyOutOfView(const MSG& message) const; // true for a key that a control out of view may not take
    bool keyAtFocus(const MSG& message);         // true when the key table gave the key a meaning there
    // tab_order.cpp
    bool isInView(HWND control) const;
    HWND nextTabStopInView(HWND from, bool backward) const;
    bool tabWithinView(const MSG& message); // true when it took Tab or Shift+Tab itself

    HWND& controlHandle(ControlId id) { return controls_[static_cast<std::size_t>(id)]; }
    HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
    // The control that a child window is, or Form for anything else.
    ControlId controlOf(HWND child) const;

    MainForm& form_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<WNDPROC, kControlCount> controlProcs_{};
    std::array<HWND, kControlCount> controls_{};
    ControlFonts fonts_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    std::shared_ptr<const Win32Picture> picture_;
    HWND focusOnDeactivation_ = nullptr;
    int selectionAtPress_ = -1; // the list's selection when the mouse button went down on it, -1 for none
    unsigned listScrollsServed_ = 0;
    bool altShortcutTaken_ = false; // an Alt shortcut ran a command, and Alt is still down
    // Drops taken from the shell, each handed to the form by a message of its own once the drop has returned.
    struct QueuedDrop {
        DataObject data;
        bool onList;
        int shift;
        float x, y;
    };
    std::deque<QueuedDrop> queuedDrops_;
    std::unique_ptr<StoreWatcher> storeWatcher_;
    bool storeLookPending_ = false; // a change seen while a box of the form was up
};

} // namespace hopwick::win32
