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

// A fontconfig object that its own function destroys.
template <auto Destroy> struct Destroyer {
    template <typename Object> void operator()(Object* object) const { Destroy(object); }
};
using PatternPointer = std::unique_ptr<FcPattern, Destroyer<FcPatternDestroy>>;
using FontSetPointer = std::unique_ptr<FcFontSet, Destroyer<FcFontSetDestroy>>;
using ObjectSetPointer = std::unique_ptr<FcObjectSet, Destroyer<FcObjectSetDestroy>>;

// The aliases that lead the Japanese Windows fonts of the design to the IPA fonts of the same metrics.
const QByteArray& aliasRules() {
    static const QByteArray rules = [] {
        QFile file(QStringLiteral(":/fonts/hopwick-fonts.conf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return rules;
}

bool loadRules(FcConfig* config) {
    const QByteArray& rules = aliasRules();
    return !rules.isEmpty() &&
           FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.constData()), FcTrue);
}

// Added to the process's own fontconfig setup, so that a font named by its design family anywhere in the program
// gets the same font; the user's and the system's setup stay as they are.
void loadFontAliases() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    if (!loadRules(FcConfigGetCurrent())) {
        qWarning("hopwick: the font aliases could not be loaded; Japanese text may use other fonts");
    }
}

bool isInstalled(const FcChar8* family) {
    const PatternPointer query(FcPatternCreate());
    FcPatternAddString(query.get(), FC_FAMILY, family);
    const ObjectSetPointer objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    const FontSetPointer fonts(FcFontList(nullptr, query.get(), objects.get()));
    return fonts && fonts->nfont > 0;
}

// The family that the aliases alone lead to, when it is installed. Applying only them spares running the whole of
// the system's setup and scoring every font, which is what a full match costs.
QString aliasedFamily(const std::string& family) {
    static FcConfig* const aliases = [] {
        FcConfig* config = FcConfigCreate();
        return config && loadRules(config) ? config : nullptr;
    }();
    if (!aliases) {
        return {};
    }
    const PatternPointer pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(aliases, pattern.get(), FcMatchPattern);
    FcChar8* first = nullptr;
    if (FcPatternGetString(pattern.get(), FC_FAMILY, 0, &first) != FcResultMatch ||
        family == reinterpret_cast<const char*>(first) || !isInstalled(first)) {
        return {};
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(first));
}

// What the whole fontconfig setup gives for the family: the way when its aliased font is missing.
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
// style the window uses: about a tenth of the start-up, spared by naming the installed font. One answer per
// design family, since fontconfig's setup does not change while the program runs.
QString installedFamily(std::string_view family) {
    loadFontAliases(); // a match made without them would be kept
    static std::map<std::string, QString, std::less<>> known;
    auto found = known.find(family);
    if (found == known.end()) {
        const std::string name(family);
        QString installed = aliasedFamily(name);
        found = known.emplace(name, installed.isEmpty() ? matchedFamily(name) : installed).first;
    }
    return found->second;
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
