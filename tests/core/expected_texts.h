#pragma once

// The window's texts as the users expect them, written out here independently of the program's own
// constants so that a changed byte in either shows.

namespace hopwick::expected {

inline constexpr const char* kSetupCaption = "ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ （ｾｯﾄｱｯﾌﾟが終了したら OK か Cancel をｸﾘｯｸして下さい。）";
inline constexpr const char* kSetupLabel = "他のｱﾌﾟﾘ /\r\nｵﾌﾟｼｮﾝ:";
inline constexpr const char* kInitialisePrompt = "本当に初期化しますか？\r\n";
inline constexpr const char* kInitialiseTitle = "初期化";
inline constexpr const char* kWrongPath = "ﾊﾟｽ が違います。ｾｯﾄｱｯﾌﾟし直して下さい。";
inline constexpr const char* kEmptyText = "ﾃｷｽﾄ が空です。";
inline constexpr const char* kEnterPath = "ﾊﾟｽ を入力して下さい。";
inline constexpr const char* kNoSuchPath = "ﾊﾟｽ が間違っています。";
inline constexpr const char* kTopEdge = "これ以上ｱｲﾃﾑを上に移動することはできません。";
inline constexpr const char* kBottomEdge = "これ以上ｱｲﾃﾑを下に移動することはできません。";
inline constexpr const char* kDropQuestion = "ﾘｽﾄ に追加しますか？";
inline constexpr const char* kDropTitle = "ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。";
inline constexpr const char* kItemFilter = "EXE file (*.exe) |*.exe| All file (*.*) |*.*";
inline constexpr const char* kPictureFilter = "Picture (*.bmp;*.ico;*.gif) | *.bmp;*.ico;*.gif";
inline constexpr const char* kListFull = "これ以上ｱｲﾃﾑを追加できません。（最大 40 個）";
inline constexpr const char* kListFullTitle = "ﾘｽﾄ が一杯です。";
inline constexpr const char* kQuoteInPath = "ﾊﾟｽ に \" は使えません。";
inline constexpr const char* kShellOpenFailedTitle = "ﾌｧｲﾙ を開けません。";
inline constexpr const char* kDropRefusedTitle = "ﾄﾞﾛｯﾌﾟ した ﾌｧｲﾙ を追加できません。";
inline constexpr const char* kStoreChangedTitle = "ﾘｽﾄ が他で ｾｰﾌﾞ されました。";
inline constexpr const char* kStoreChangedQuestion = "他の Hopwick がこの ﾌｧｲﾙ に ﾘｽﾄ を ｾｰﾌﾞ しました。\r\n"
                                                     "この ｳｨﾝﾄﾞｳ の ﾘｽﾄ で上書きしますか？\r\n"
                                                     "（いいえ: 上書きせず、ｾｰﾌﾞ された ﾘｽﾄ を読み込みます。）";

} // namespace hopwick::expected
