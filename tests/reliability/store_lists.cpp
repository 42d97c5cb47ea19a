#include "store_lists.h"

#include "store/store_encoding.h"
#include "store/store_record.h"

namespace hopwick::testing {

namespace {

StoredList longJapaneseList() {
    StoredList list;
    for (int i = 0; i < kStoreSlots; ++i) {
        list.items.push_back("/opt/ﾂｰﾙ/表計算/" + std::string(100, static_cast<char>('a' + i % 26)) +
                             std::to_string(i) + ".exe");
    }
    return list;
}

} // namespace

const StoredList& storedList(char name) {
    static const StoredList a = longJapaneseList();
    static const StoredList b{{"/home/me/café.txt", "NotePad", "/tmp/report 2024.pdf"}, "/home/me/back.bmp"};
    return name == 'A' ? a : b;
}

std::string storeBytesOf(SystemServices& platform, const StoredList& list) {
    std::vector<std::string> fields(kStoreFields);
    std::copy(list.items.begin(), list.items.end(), fields.begin());
    fields.back() = list.picture;
    return encodeStore(platform, fields);
}

void showList(MainForm& form, const StoredList& list) {
    form.List1.Clear();
    for (const std::string& item : list.items) {
        form.List1.AddItem(item);
    }
    form.PicturePath = list.picture;
}

StoredList listShown(const MainForm& form) {
    return {form.List1.entries(), form.PicturePath};
}

bool operator==(const StoredList& a, const StoredList& b) {
    return a.items == b.items && a.picture == b.picture;
}

void PrintTo(const StoredList& list, std::ostream* out) {
    *out << list.items.size() << " items {";
    for (const std::string& item : list.items) {
        *out << " \"" << item << "\"";
    }
    *out << " } picture \"" << list.picture << "\"";
}

} // namespace hopwick::testing
