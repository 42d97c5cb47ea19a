#include "control_widgets.h"

#include "accessibility.h"
#include "fonts.h"

namespace hopwick {

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

void applyDesign(QWidget& widget, const ControlSpec& spec) {
    widget.setObjectName(QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
    widget.setGeometry(pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height));
    widget.setFont(fontFor(spec.font));
    widget.setToolTip(QString::fromUtf8(spec.tooltip.data(), static_cast<qsizetype>(spec.tooltip.size())));
    const std::string_view description = accessibleDescription(spec);
    widget.setAccessibleDescription(QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())));
    const QString caption = QString::fromUtf8(spec.caption.data(), static_cast<qsizetype>(spec.caption.size()));
    // The list and the text box have no caption: they are known by their names.
    widget.setAccessibleName(caption.isEmpty() ? widget.objectName() : accessibleCaption(caption));
}

QString displayText(const std::string& caption) {
    return QString::fromUtf8(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString plainCaption(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i; // "&x" shows x; "&&" shows one "&"
        }
        plain.append(caption[i]);
    }
    return plain;
}

std::optional<QColor> ownColor(unsigned color) {
    if (color == kButtonFaceColor) {
        return std::nullopt;
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace hopwick
