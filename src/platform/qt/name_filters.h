#pragma once

#include <QtCore/QStringList>

#include <string>

namespace hopwick {

struct NameFilters {
    QStringList filters; // in Qt's form: "description (pattern pattern)"
    int initial = 0;     // the entry to show first
};

// Turns the handlers' filter text, description and pattern pairs separated by "|", into the file dialog's
// name filters. Blanks around the patterns are dropped; "*.*" matches every file, also names without a dot.
// The first entry that matches every file is shown first, as programs on Linux rarely end in ".exe".
NameFilters nameFilters(const std::string& filter);

// Whether a file name matches a pattern of `filter`, one of the name filters in Qt's form, as the file dialog
// matches: case-insensitively.
bool admits(const QString& filter, const QString& name);

} // namespace hopwick
