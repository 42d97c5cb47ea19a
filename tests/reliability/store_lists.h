#pragma once

#include "app/main_form.h"
#include "platform/system_services.h"

#include <ostream>
#include <string>
#include <vector>

namespace hopwick::testing {

// A list as a launcher saves it: its items and its picture path.
struct StoredList {
    std::vector<std::string> items;
    std::string picture;
};

// Two lists that differ in everything a torn or mixed write would show: length (40 long items against 3),
// encoding (code page 932 against UTF-8) and picture. 'A' or 'B'.
const StoredList& storedList(char name);

// The exact bytes of a store holding the list.
std::string storeBytesOf(SystemServices& platform, const StoredList& list);

// Makes the window hold the list, as the user's edits would.
void showList(MainForm& form, const StoredList& list);

// The list the window holds now.
StoredList listShown(const MainForm& form);

bool operator==(const StoredList& a, const StoredList& b);
void PrintTo(const StoredList& list, std::ostream* out);

} // namespace hopwick::testing
