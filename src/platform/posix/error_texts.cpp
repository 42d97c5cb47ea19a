#include "platform/posix/error_texts.h"

#include <cerrno>
#include <cstring>
#include <locale.h>

namespace hopwick::posix {

namespace {

struct ErrorText {
    int errorNumber;
    const char* text;
};

// The failures that saving the list, reading a picture, searching a path and starting a program meet.
constexpr ErrorText kOwnTexts[] = {
    {ENOENT, "ﾌｧｲﾙ または ﾌｫﾙﾀﾞ がありません。"},
    {EACCES, "ｱｸｾｽ が拒否されました。"},
    {EPERM, "その操作は許可されていません。"},
    {ENOSPC, "ﾃﾞｨｽｸ に空きがありません。"},
    {EROFS, "読み取り専用の ﾌｧｲﾙｼｽﾃﾑ です。"},
    {EISDIR, "ﾌｫﾙﾀﾞ です。"},
    {ENOTDIR, "ﾊﾟｽ の途中に ﾌｫﾙﾀﾞ でないものがあります。"},
    {EEXIST, "ﾌｧｲﾙ が既にあります。"},
    {EFBIG, "ﾌｧｲﾙ が大き過ぎます。"},
    {EIO, "入出力 ｴﾗｰ です。"},
    {ELOOP, "ｼﾝﾎﾞﾘｯｸﾘﾝｸ が多過ぎます。"},
    {ENAMETOOLONG, "ﾌｧｲﾙ名 が長過ぎます。"},
    {EMFILE, "開いている ﾌｧｲﾙ が多過ぎます。"},
    {ENFILE, "ｼｽﾃﾑ 全体で開いている ﾌｧｲﾙ が多過ぎます。"},
    {EDQUOT, "ﾃﾞｨｽｸ の割り当てを超えました。"},
    {ETXTBSY, "ﾌｧｲﾙ は実行中で使用されています。"},
    {EBUSY, "ﾃﾞﾊﾞｲｽ または ﾘｿｰｽ が使用中です。"},
    {ENOMEM, "ﾒﾓﾘ が足りません。"},
    {ENOEXEC, "実行できる形式ではありません。"},
    {ENXIO, "ﾃﾞﾊﾞｲｽ がありません。"},
    {ENODEV, "ﾃﾞﾊﾞｲｽ がありません。"},
    {EINVAL, "引数が正しくありません。"},
    {EAGAIN, "一時的に使用できません。"},
};

// The locales are made once and kept: strerror_l reads them from any thread.
locale_t japaneseLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "ja_JP.UTF-8", locale_t{});
    return locale;
}

locale_t plainLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

} // namespace

const char* ownErrorText(int errorNumber) {
    for (const ErrorText& own : kOwnTexts) {
        if (own.errorNumber == errorNumber) {
            return own.text;
        }
    }
    return nullptr;
}

std::string systemJapaneseErrorText(int errorNumber) {
    const locale_t japanese = japaneseLocale();
    if (japanese == locale_t{}) {
        return {};
    }
    std::string text = strerror_l(errorNumber, japanese);
    // Without the catalogue, or for a value it does not translate, the text is the untranslated one.
    if (text.empty() || text == systemErrorText(errorNumber)) {
        return {};
    }
    return text.ends_with("。") ? text : text + "。";
}

std::string systemErrorText(int errorNumber) {
    const locale_t plain = plainLocale();
    return plain == locale_t{} ? std::string() : std::string(strerror_l(errorNumber, plain));
}

} // namespace hopwick::posix
