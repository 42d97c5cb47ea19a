#pragma once

// The texts that the window shows; tests compare them byte for byte.

namespace hopwick::texts {

inline constexpr const char* kAppTitle = "Hopwick";
inline constexpr const char* kSetupCaption = "ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ （ｾｯﾄｱｯﾌﾟが終了したら OK か Cancel をｸﾘｯｸして下さい。）";
inline constexpr const char* kSetupLabelCaption = "他のｱﾌﾟﾘ /\r\nｵﾌﾟｼｮﾝ:";
inline constexpr const char* kInitialisePrompt = "本当に初期化しますか？\r\n";
inline constexpr const char* kInitialiseTitle = "初期化";
inline constexpr const char* kWrongPathPrompt = "ﾊﾟｽ が違います。ｾｯﾄｱｯﾌﾟし直して下さい。";
inline constexpr const char* kWrongPathTitle = "INCORRECT";
inline constexpr const char* kEmptyTextPrompt = "ﾃｷｽﾄ が空です。";
inline constexpr const char* kEnterPathTitle = "ﾊﾟｽ を入力して下さい。";
inline constexpr const char* kNoSuchPathPrompt = "ﾊﾟｽ が間違っています。";
inline constexpr const char* kItemFilter = "EXE file (*.exe) |*.exe| All file (*.*) |*.*";
inline constexpr const char* kPictureFilter = "Picture (*.bmp;*.ico;*.gif) | *.bmp;*.ico;*.gif";
inline constexpr const char* kTopEdgePrompt = "これ以上ｱｲﾃﾑを上に移動することはできません。";
inline constexpr const char* kBottomEdgePrompt = "これ以上ｱｲﾃﾑを下に移動することはできません。";
inline constexpr const char* kDropPrompt = "ﾘｽﾄ に追加しますか？";
inline constexpr const char* kDropTitle = "ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。";
inline constexpr const char* kListFullPrompt = "これ以上ｱｲﾃﾑを追加できません。（最大 40 個）";
inline constexpr const char* kListFullTitle = "ﾘｽﾄ が一杯です。";
inline constexpr const char* kQuoteInPathPrompt = "ﾊﾟｽ に \" は使えません。";
// The list's name for screen readers, which read no caption for it.
inline constexpr const char* kItemListName = "ｱｲﾃﾑ ﾘｽﾄ";

} // namespace hopwick::texts

// Failures that the window reports in a message box with the path and the reason.
namespace hopwick::texts {

inline constexpr const char* kLaunchFailedTitle = "ｱﾌﾟﾘｹｰｼｮﾝ を起動できません。";
inline constexpr const char* kPathSearchFailedTitle = "ﾊﾟｽ を調べられません。";
inline constexpr const char* kPictureFailedTitle = "画像を読み込めません。";
inline constexpr const char* kSaveFailedTitle = "ｾｰﾌﾞ できません。";
inline constexpr const char* kSaveFailedPrompt = "ﾘｽﾄ は保存されていません。";
inline constexpr const char* kStoreDamagedTitle = "ｱｲﾃﾑ の読み込み";
inline constexpr const char* kStoreDamagedPrompt = "ﾌｧｲﾙ が壊れていました。読めた所までを読み込みました。";

} // namespace hopwick::texts
