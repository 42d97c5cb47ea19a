"""What a screen reader is told about the launcher's controls: role, name and description, in each mode."""

LIST_NAME = "ｱｲﾃﾑ ﾘｽﾄ"
PATH_LABEL = "パスの入力："

NORMAL_MODE_CONTROLS = [
    ("list", LIST_NAME, "ﾄﾞﾛｯﾌﾟ可能です。ｸﾘｯｸするとｱﾌﾟﾘｹｰｼｮﾝが起動します。"),
    ("push button", "Exit", "ｱﾌﾟﾘｹｰｼｮﾝの終了。"),
    ("push button", "他のｱﾌﾟﾘ / ｵﾌﾟｼｮﾝ:", "ｸﾘｯｸ したら ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ へ行きます。(F2)"),
]

SETUP_MODE_CONTROLS = NORMAL_MODE_CONTROLS + [
    ("text", PATH_LABEL, ""),
    ("push button", "追加", "ﾘｽﾄ へ追加します。"),
    ("push button", "OK", "ｾｰﾌﾞ してｾｯﾄｱｯﾌﾟ終了。"),
    ("push button", "ｱｲﾃﾑ選択", "ﾌｧｲﾙ を選んで ﾊﾟｽ に入れます。"),
    ("push button", "初期化", "ﾃﾞﾌｫﾙﾄｱｲﾃﾑ に戻します。"),
    ("push button", "ｱｲﾃﾑ削除", "選択した ｱｲﾃﾑ を ﾘｽﾄ から削除します。"),
    ("label", PATH_LABEL, ""),
    ("push button", "画像", "背景画を選びます。"),
    ("push button", "画像削除", "背景画を取り除きます。"),
    ("push button", "Help!", "Wick へ ﾒｰﾙ を出します。(F1)"),
    ("push button", "Cancel", "ｾｰﾌﾞ しないで ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ 終了。"),
    ("push button", "↑", "選択した ｱｲﾃﾑ を 1 つ上へ移動します。"),
    ("push button", "↓", "選択した ｱｲﾃﾑ を 1 つ下へ移動します。"),
]
