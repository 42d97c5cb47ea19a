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
inline constexpr const char* kDropRefusedTitle = "ﾄﾞﾛｯﾌﾟ した ﾌｧｲﾙ を追加できません。";
inline constexpr const char* kMoreNamesBefore = "ほか ";
inline constexpr const char* kMoreNamesAfter = " 個";
inline constexpr const char* kStoreChangedTitle = "ﾘｽﾄ が他で ｾｰﾌﾞ されました。";
inline constexpr const char* kStoreChangedPrompt = "他の Hopwick がこの ﾌｧｲﾙ に ﾘｽﾄ を ｾｰﾌﾞ しました。\r\n"
                                                   "この ｳｨﾝﾄﾞｳ の ﾘｽﾄ で上書きしますか？\r\n"
                                                   "（いいえ: 上書きせず、ｾｰﾌﾞ された ﾘｽﾄ を読み込みます。）";
// Told once when the store's place no longer leads to the store: the window keeps its list.
inline constexpr const char* kStoreLostTitle = "ﾘｽﾄ の ﾌｧｲﾙ を見失いました。";
inline constexpr const char* kStoreLostPrompt = "この ｳｨﾝﾄﾞｳ の ﾘｽﾄ はそのままです。この ﾌｧｲﾙ には ｾｰﾌﾞ しません。";
// Asked when another file was put in the store's place (a text editor saves so).
inline constexpr const char* kStoreReplacedTitle = "ﾘｽﾄ の ﾌｧｲﾙ が置き換えられました。";
inline constexpr const char* kStoreReplacedQuestion = "この ﾌｧｲﾙ の ﾘｽﾄ を読み込みますか？\r\n"
                                                      "（いいえ: この ｳｨﾝﾄﾞｳ の ﾘｽﾄ のままにします。"
                                                      "この ﾌｧｲﾙ には ｾｰﾌﾞ しません。）";
// The list's name for screen readers, which read no caption for it.
inline constexpr const char* kItemListName = "ｱｲﾃﾑ ﾘｽﾄ";

} // namespace hopwick::texts

// Failures that the window reports in a message box with the path and the reason.
namespace hopwick::texts {

inline constexpr const char* kLaunchFailedTitle = "ｱﾌﾟﾘｹｰｼｮﾝ を起動できません。";
inline constexpr const char* kPathSearchFailedTitle = "ﾊﾟｽ を調べられません。";
// Over the reason the system gives when it has no way to open a file or a URL.
inline constexpr const char* kShellOpenFailedTitle = "ﾌｧｲﾙ を開けません。";
inline constexpr const char* kPictureFailedTitle = "画像を読み込めません。";
inline constexpr const char* kSaveFailedTitle = "ｾｰﾌﾞ できません。";
inline constexpr const char* kSaveFailedPrompt = "ﾘｽﾄ は保存されていません。";
inline constexpr const char* kStoreNotReadPrompt = "読み込めなかった ﾌｧｲﾙ は上書きしません。";
inline constexpr const char* kStoreFolderGonePrompt = "起動した時の ﾌｫﾙﾀﾞ がありません。";
inline constexpr const char* kStoreReplacedPrompt = "起動した時とは別の ﾌｧｲﾙ になっています。";
inline constexpr const char* kStoreNotAFilePrompt = "ﾘｽﾄ の ﾌｧｲﾙ の場所に別のもの （ﾘﾝｸ など） があります。";
inline constexpr const char* kStoreTooLargePrompt = "ﾘｽﾄ が大きすぎます。";
inline constexpr const char* kStoreDamagedTitle = "ｱｲﾃﾑ の読み込み";
inline constexpr const char* kStoreDamagedPrompt = "ﾌｧｲﾙ が壊れていました。読めた所までを読み込みました。";
// Reasons given under the path when a picture cannot be loaded.
inline constexpr const char* kPictureMissingReason = "ﾌｧｲﾙ がありません。";
inline constexpr const char* kPictureTooLargeReason = "ﾌｧｲﾙ が大き過ぎて画像として読み込めません。";
inline constexpr const char* kNotAPictureReason = "画像の形式が違うか、ﾌｧｲﾙ が壊れています。";
inline constexpr const char* kPictureTooManyPixelsReason = "画像が大き過ぎて表示できません。";

} // namespace hopwick::texts
