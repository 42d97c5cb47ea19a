#include "fonts.h"

#include <QtCore/QFile>
#include <QtCore/QtGlobal>
#include <QtWidgets/QApplication>

#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <string>

namespace hopwick {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

// The aliases that lead the Japanese Windows fonts of the design to the IPA fonts of the same metrics. Added to
// the process's own fontconfig setup, so the user's and the system's stay as they are.
void loadFontAliases() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    QFile file(QStringLiteral(":/fonts/hopwick-fonts.conf"));
    const QByteArray rules = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (rules.isEmpty() || !FcConfigParseAndLoadFromMemory(
                               FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(rules.constData()), FcTrue)) {
        qWarning("hopwick: the font aliases could not be loaded; Japanese text may use other fonts");
    }
}

QString matchedFamily(const std::string& family) {
    PatternPointer pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const PatternPointer match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* name = nullptr;
    if (match && FcPatternGetString(match.get(), FC_FAMILY, 0, &name) == FcResultMatch) {
        return QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    return QString::fromStdString(family);
}

// Qt meets a family that it does not know by sorting fontconfig's whole font list, once for every script and
// style the window uses: about a tenth of the start-up, spared by naming the installed font. One match per
// design family, since fontconfig's setup does not change while the program runs.
QString installedFamily(std::string_view family) {
    loadFontAliases(); // a match made without them would be kept
    static std::map<std::string, QString, std::less<>> matched;
    auto known = matched.find(family);
    if (known == matched.end()) {
        const std::string name(family);
        known = matched.emplace(name, matchedFamily(name)).first;
    }
    return known->second;
}

} // namespace

void installFonts() {
    loadFontAliases();
    QApplication::setFont(fontFor(dialogFont()));
}

QFont fontFor(const FontSpec& spec) {
    QFont font(installedFamily(spec.family));
    font.setPointSizeF(spec.points);
    font.setWeight(static_cast<QFont::Weight>(spec.weight)); // Qt's weights are the same 100 to 900 scale
    return font;
}

} // namespace hopwick
