#include "app/controls.h"

namespace hopwick {

void TextBox::setText(const std::string& text) {
    text_ = text;
    host_.controlChanged(ControlId::Text1);
}

void Label::setCaption(const std::string& caption) {
    caption_ = caption;
    host_.controlChanged(id_);
}

void Label::setFontBold(bool bold) {
    bold_ = bold;
    host_.controlChanged(id_);
}

void Button::setBackColor(unsigned color) {
    backColor_ = color;
    host_.controlChanged(id_);
}

} // namespace hopwick
