#include "app/control_table.h"

#include <array>

namespace hopwick {

namespace {

// One control a line, as the design lists them.
// clang-format off
constexpr std::array<ControlSpec, 16> kControls{{
    {ControlId::List1, "List1", ControlKind::ListBox, 120, 120, 6735, 960, 0, "", "ﾄﾞﾛｯﾌﾟ可能です。ｸﾘｯｸするとｱﾌﾟﾘｹｰｼｮﾝが起動します。", kWindowFont, 0},
    {ControlId::Text1, "Text1", ControlKind::TextBox, 120, 2505, 3015, 270, 1, "", "", {"ＭＳ Ｐゴシック", 9, 400}, 0},
    {ControlId::Command20, "Command20", ControlKind::Button, 3360, 2520, 855, 255, 2, "(&A)追加", "ﾘｽﾄ へ追加します。", {"ＭＳ ゴシック", 9, 700}, 'A'},
    {ControlId::Command1, "Command1", ControlKind::Button, 6120, 1920, 735, 255, 3, "OK", "ｾｰﾌﾞ してｾｯﾄｱｯﾌﾟ終了。", {"ＭＳ ゴシック", 9, 700}, 0},
    {ControlId::Command3, "Command3", ControlKind::Button, 120, 1920, 1215, 255, 4, "(&C)ｱｲﾃﾑ選択", "", kWindowFont, 'C', "ﾌｧｲﾙ を選んで ﾊﾟｽ に入れます。"},
    {ControlId::Command5, "Command5", ControlKind::Button, 1320, 1920, 975, 255, 5, "(&I)初期化", "ﾃﾞﾌｫﾙﾄｱｲﾃﾑ に戻します。", kWindowFont, 'I'},
    {ControlId::Command2, "Command2", ControlKind::Button, 2280, 1920, 1215, 255, 6, "(&D)ｱｲﾃﾑ削除", "", kWindowFont, 'D', "選択した ｱｲﾃﾑ を ﾘｽﾄ から削除します。"},
    {ControlId::Label4, "Label4", ControlKind::Label, 120, 1200, 615, 375, 7, "Exit", "ｱﾌﾟﾘｹｰｼｮﾝの終了。", {"ＭＳ ゴシック", 11.25, 700}, 0},
    {ControlId::Label1, "Label1", ControlKind::Label, 120, 2280, 2895, 255, 8, "パスの入力：", "", {"ＭＳ ゴシック", 9, 700}, 0},
    {ControlId::Label2, "Label2", ControlKind::Label, 5760, 1200, 1335, 495, 9, "", "ｸﾘｯｸ したら ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ へ行きます。(F2)", kWindowFont, 0},
    {ControlId::Command4, "Command4", ControlKind::Button, 3720, 1920, 855, 255, 10, "(&P)画像", "背景画を選びます。", kWindowFont, 'P'},
    {ControlId::Command7, "Command7", ControlKind::Button, 4560, 1920, 1335, 255, 11, "(&E)画像削除", "", kWindowFont, 'E', "背景画を取り除きます。"},
    {ControlId::Label3, "Label3", ControlKind::Label, 6360, 2520, 735, 375, 12, "Help!", "Wick へ ﾒｰﾙ を出します。(F1)", {"ＭＳ ゴシック", 9.75, 400}, 0},
    {ControlId::Command6, "Command6", ControlKind::Button, 6120, 2160, 735, 300, 13, "Cancel", "ｾｰﾌﾞ しないで ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ 終了。", kWindowFont, 0},
    {ControlId::Command8, "Command8", ControlKind::Button, 4440, 2520, 375, 255, 14, "↑", "", kWindowFont, 0, "選択した ｱｲﾃﾑ を 1 つ上へ移動します。"},
    {ControlId::Command9, "Command9", ControlKind::Button, 4920, 2520, 375, 255, 15, "↓", "", kWindowFont, 0, "選択した ｱｲﾃﾑ を 1 つ下へ移動します。"},
}};
// clang-format on

} // namespace

std::span<const ControlSpec> controlTable() {
    return kControls;
}

const ControlSpec& controlSpec(ControlId id) {
    for (const ControlSpec& spec : kControls) {
        if (spec.id == id) {
            return spec;
        }
    }
    static constexpr ControlSpec kWindow{
        ControlId::Form, "Form", ControlKind::Window, 0, 0, kLayoutWidth, kLayoutHeight, -1, "", "", kWindowFont, 0};
    return kWindow;
}

std::string_view accessibleDescription(const ControlSpec& spec) {
    return spec.description.empty() ? spec.tooltip : spec.description;
}

bool inView(ControlId id, bool setupMode) {
    const ControlSpec& spec = controlSpec(id);
    // A control that shows at all counts: the "Help!" label reaches past the bottom edge in setup mode.
    return spec.top < (setupMode ? kSetupClientHeight : kNormalClientHeight);
}

} // namespace hopwick
