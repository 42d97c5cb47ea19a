#pragma once

#include "app/common_dialog.h"
#include "app/control_host.h"
#include "app/control_table.h"
#include "app/controls.h"
#include "app/data_object.h"
#include "app/form_window.h"
#include "app/key_table.h"
#include "app/list_box.h"
#include "platform/platform.h"
#include "store/store_file.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>

namespace hopwick {

class DropRefusals;

inline constexpr int kStoreSlots = 40;

// The launcher's one window: its state, the models of its controls, and every handler and procedure.
// The handlers' definitions live with their subsystems: app/, store/, launch/ and edit/.
class MainForm final : private ControlHost {
    // The store: its place, identity and content are the component's alone (store/).
    StoreFile store_;

public:
    explicit MainForm(Platform platform);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Window-level state.
    bool SetupMode = false;
    std::string SavedCaption;
    const std::string& StorePath = store_.path(); // fixed by the first load: saves go there or nowhere
    std::array<std::string, kStoreSlots> ItemSlots;
    std::string PicturePath;
    std::string DropPath;
    MessageAnswer DropAnswer{}; // none (0) until the first question of a drop is answered
    int DropIndex = 0;

    // The window and its controls.
    FormWindow Form;
    ListBox List1;
    TextBox Text1;
    Label Label1;
    Label Label2;
    Label Label3;
    Label Label4;
    Button Command1;
    Button Command2;
    Button Command3;
    Button Command4;
    Button Command5;
    Button Command6;
    Button Command7;
    Button Command8;
    Button Command9;
    Button Command20;
    CommonDialog CommonDialog1;

    // The control that was last given the keyboard focus.
    ControlId focusedControl() const { return focused_; }
    // The setup band's access keys act only while the band is in view.
    bool accessKeysActive() const { return SetupMode; }
    // Whether the control is in view in the current mode; keys never reach one that is not.
    bool controlInView(ControlId control) const { return inView(control, SetupMode); }
    // The handler that a click on a button or label runs; null for a control without one.
    using ClickHandler = void (MainForm::*)();
    static ClickHandler clickHandlerOf(ControlId control);

    // Start-up, setup mode, shortcuts, help and exit (app/). `commandLine` is the arguments part of the
    // program's command line as one text; empty when there is none.
    void Form_Load(const std::string& commandLine = {});
    void Label2_Click();
    void Command1_Click();
    void Command6_Click();
    void Text1_KeyDown(int16_t& KeyCode, int16_t Shift);
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift);
    // Keys in the list, by the key table: a handled key is swallowed (set to 0).
    void List1_KeyDown(int16_t& KeyCode, int16_t Shift);
    void Form_DblClick();
    void Label3_Click();
    void Label4_Click();

    // The item store (store/).
    void SI();
    void OpenF();
    void checK();
    void Ini();
    void Command5_Click();
    // Another process may have changed the store: normal mode shows what is stored now.
    void storeChangedOnDisk();

    // Launching (launch/).
    void List1_Click();

    // List editing (edit/).
    void Command20_Click();
    void Command3_Click();
    void Command2_Click();
    void Command8_Click();
    void Command9_Click();
    void Form_OLEDragOver(const DataObject& Data, int& Effect, int Button, int Shift, float X, float Y, int State);
    void Form_OLEDragDrop(const DataObject& Data, int& Effect, int Button, int Shift, float X, float Y);
    void List1_OLEDragOver(const DataObject& Data, int& Effect, int Button, int Shift, float X, float Y, int State);
    void List1_OLEDragDrop(const DataObject& Data, int& Effect, int Button, int Shift, float X, float Y);
    void Command4_Click();
    void Command7_Click();

private:
    void focusControl(ControlId control) override;
    void controlChanged(ControlId control) override;

    void leaveSetupMode();
    void openThroughShell(const std::string& file);
    // store/
    bool showStoreContent(const std::string& bytes, bool present);
    void showStoredPicture();
    void reportStoreDamage(const std::string& reason);
    void tellStoreLost();
    void offerReplacement();
    bool otherListStored();
    MessageAnswer askToOverwriteStore();
    bool followStoreBeforeDropSave();
    // edit/
    bool admitsNewItem(const std::string& path);
    bool admitsPicturePath(const std::string& path);
    void refuseItem(const std::string& path, const char* prompt, const char* title);
    void dropFiles(const DataObject& data);
    void offerDroppedFiles(const DataObject& data);
    int entryToMove();
    void exchangeWithNeighbour(int index, int neighbour);

    SystemServices& system_;
    Dialogs& dialogs_;
    WindowView& view_;
    ControlId focused_ = ControlId::Form;
    // While a drop asks its questions: where refused names are collected, and drops that came meanwhile.
    DropRefusals* dropRefusals_ = nullptr;
    std::deque<DataObject> pendingDrops_;
    // Whether the user was told that the store is out of reach, or asked about a file put in its place.
    bool storeLostTold_ = false;
    bool replacementOffered_ = false;
    // Whether the user was told that the shell cannot open anything; every later open would repeat it.
    bool shellFailureTold_ = false;
};

} // namespace hopwick
