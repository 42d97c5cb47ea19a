"""The window texts that the tests compare, byte for byte."""

APP_CAPTION = 'Hopwick'
SETUP_CAPTION = 'ｾｯﾄｱｯﾌﾟﾓｰﾄﾞ （ｾｯﾄｱｯﾌﾟが終了したら OK か Cancel をｸﾘｯｸして下さい。）'
WRONG_PATH_TITLE = 'INCORRECT'
INITIALISE_TITLE = '初期化'
ENTER_PATH_TITLE = 'ﾊﾟｽ を入力して下さい。'
DROP_TITLE = 'ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。'
DROP_REFUSED_TITLE = 'ﾄﾞﾛｯﾌﾟ した ﾌｧｲﾙ を追加できません。'
STORE_CHANGED_TITLE = 'ﾘｽﾄ が他で ｾｰﾌﾞ されました。'
