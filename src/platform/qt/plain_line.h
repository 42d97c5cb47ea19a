#pragma once

#include <QtCore/QStringView>
#include <QtGui/QGlyphRun>
#include <QtGui/QRawFont>

#include <optional>
#include <vector>

namespace hopwick {

// A line of text laid out from its font's own advance table, without a shaper, for text that needs none: every
// character stands for one glyph of the font, and nothing that a shaper does by default would move or replace
// a glyph. Qt's shaper reads each glyph's advance by running the hinter over it, and the hinter runs again to
// draw it; for a list of long Japanese paths that doubles the cost of its first frame.
class PlainLine {
public:
    explicit PlainLine(const QRawFont& font);

    const QRawFont& font() const { return font_; }

    // The glyphs of `text` that reach `width` pixels and a few beyond it, on a baseline at y 0, with the advances
    // a shaper gives them; nothing when the text or the font needs the shaper.
    std::optional<QGlyphRun> layOut(QStringView text, qreal width) const;

private:
    QRawFont font_;
    std::vector<quint16> advances_; // in font units, by glyph; empty when the font needs the shaper
    qreal pixelsPerUnit_ = 0;
};

} // namespace hopwick
