#include "plain_line.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>

#include <algorithm>
#include <array>
#include <cmath>

namespace hopwick {

namespace {

// Glyphs laid out past the edge: a glyph that starts there may still reach back over it.
constexpr int kGlyphsPastEdge = 2;

// What a shaper does by default, in the font's tables: positioning (kerning, marks) and the substitutions
// that replace letters (ligatures, contextual and local forms, fractions). Composition with the marks and
// modifier symbols that follow a letter ('ccmp') is left out here because such characters are refused in text.
constexpr std::array<const char*, 2> kPositioningTables = {"GPOS", "kern"};
constexpr std::array<const char*, 10> kReplacingFeatures = {"liga", "clig", "rlig", "calt", "rclt",
                                                            "locl", "frac", "numr", "dnom", "rvrn"};

std::optional<quint16> bigEndian16(const QByteArray& table, qsizetype at) {
    if (at < 0 || at + 2 > table.size()) {
        return std::nullopt;
    }
    return static_cast<quint16>((static_cast<quint8>(table[at]) << 8) | static_cast<quint8>(table[at + 1]));
}

// Whether the font's substitution table has a feature that a shaper applies by default and that replaces
// letters; a table that cannot be read counts as having one.
bool replacesLetters(const QByteArray& substitutions) {
    if (substitutions.isEmpty()) {
        return false;
    }
    const std::optional<quint16> featureList = bigEndian16(substitutions, 6);
    const std::optional<quint16> count = featureList ? bigEndian16(substitutions, *featureList) : std::nullopt;
    if (!count || *featureList + 2 + qsizetype{*count} * 6 > substitutions.size()) {
        return true;
    }
    for (int i = 0; i < *count; ++i) {
        const QByteArray tag = substitutions.mid(*featureList + 2 + i * 6, 4);
        if (std::any_of(kReplacingFeatures.begin(), kReplacingFeatures.end(),
                        [&tag](const char* feature) { return tag == feature; })) {
            return true;
        }
    }
    return false;
}

// The advance of every glyph that has one of its own ('hmtx'); the glyphs after the last share its advance.
std::vector<quint16> advanceTable(const QRawFont& font) {
    const std::optional<quint16> count = bigEndian16(font.fontTable("hhea"), 34);
    const QByteArray metrics = font.fontTable("hmtx");
    if (!count || *count == 0 || metrics.size() < qsizetype{*count} * 4) {
        return {};
    }
    std::vector<quint16> advances(*count);
    for (int glyph = 0; glyph < *count; ++glyph) {
        advances[static_cast<std::size_t>(glyph)] = *bigEndian16(metrics, qsizetype{glyph} * 4);
    }
    return advances;
}

// Characters that a shaper draws as their own glyph, left to right, wherever they stand: no marks or modifier
// symbols (which a font may compose with the letter before), no controls or invisible formatting, and only
// scripts written left to right without joining or reordering.
bool standsAlone(char32_t character) {
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Symbol_Modifier:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return false;
    default: break;
    }
    switch (QChar::script(character)) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana: return true;
    default: return false;
    }
}

} // namespace

PlainLine::PlainLine(const QRawFont& font) : font_(font) {
    const bool positions = std::any_of(kPositioningTables.begin(), kPositioningTables.end(),
                                       [&font](const char* table) { return !font.fontTable(table).isEmpty(); });
    if (!font.isValid() || font.unitsPerEm() <= 0 || positions || replacesLetters(font.fontTable("GSUB"))) {
        return;
    }
    advances_ = advanceTable(font);
    pixelsPerUnit_ = font.pixelSize() / font.unitsPerEm();
}

std::optional<QGlyphRun> PlainLine::layOut(QStringView text, qreal width) const {
    if (advances_.empty()) {
        return std::nullopt;
    }
    QList<quint32> glyphs;
    QList<QPointF> positions;
    qreal x = 0;
    int past = 0;
    for (qsizetype at = 0; at < text.size() && past <= kGlyphsPastEdge;) {
        const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        const int units = pair ? 2 : 1;
        const char32_t character = pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
        quint32 glyph = 0;
        int found = 1;
        if (!standsAlone(character) || !font_.glyphIndexesForChars(text.data() + at, units, &glyph, &found) ||
            found != 1 || glyph == 0) {
            return std::nullopt;
        }
        glyphs.append(glyph);
        positions.append(QPointF(x, 0));
        const quint16 advance = advances_[std::min<std::size_t>(glyph, advances_.size() - 1)];
        // In 1/64 pixel, as the font engine gives a glyph's advance.
        x += std::floor(advance * pixelsPerUnit_ * 64) / 64;
        if (x > width) {
            ++past;
        }
        at += units;
    }
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

} // namespace hopwick
