#include "name_filters.h"

#include <QtCore/QDir>

namespace hopwick {

namespace {

constexpr QStringView kAnyName = u"*";

QStringList patternsOf(const QString& text) {
    QStringList patterns;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty()) {
            patterns.append(pattern == u"*.*" ? kAnyName.toString() : pattern);
        }
    }
    return patterns;
}

} // namespace

NameFilters nameFilters(const std::string& filter) {
    NameFilters result;
    const QStringList parts = QString::fromUtf8(filter).split(u'|');
    int matchAll = -1;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = patternsOf(parts[i + 1]);
        if (patterns.isEmpty()) {
            continue;
        }
        if (matchAll < 0 && patterns.contains(kAnyName)) {
            matchAll = static_cast<int>(result.filters.size());
        }
        // Qt reads the patterns from the last parentheses, so the description keeps its own.
        result.filters.append(parts[i].trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    result.initial = matchAll < 0 ? 0 : matchAll;
    return result;
}

bool admits(const QString& filter, const QString& name) {
    const qsizetype open = filter.lastIndexOf(u'(');
    const qsizetype close = filter.lastIndexOf(u')');
    if (open < 0 || close < open) {
        return false;
    }
    return QDir::match(filter.mid(open + 1, close - open - 1).split(u' ', Qt::SkipEmptyParts), name);
}

} // namespace hopwick
