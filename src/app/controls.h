#pragma once

#include "app/control_host.h"
#include "app/control_table.h"

#include <string>

namespace hopwick {

class TextBox {
public:
    explicit TextBox(ControlHost& host) : host_(host) {}
    const std::string& Text() const { return text_; }
    void setText(const std::string& text);
    // What the user typed: the front end shows it already.
    void setTextFromUser(const std::string& text) { text_ = text; }
    void SetFocus() { host_.focusControl(ControlId::Text1); }

private:
    ControlHost& host_;
    std::string text_;
};

class Label {
public:
    // Starts with the caption and the weight of its design.
    Label(ControlHost& host, const ControlSpec& design)
        : host_(host), id_(design.id), caption_(design.caption), bold_(design.font.weight >= kBoldWeight) {}
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& caption);
    bool FontBold() const { return bold_; }
    void setFontBold(bool bold);

private:
    ControlHost& host_;
    ControlId id_;
    std::string caption_;
    bool bold_;
};

class Button {
public:
    Button(ControlHost& host, ControlId id, unsigned backColor) : host_(host), id_(id), backColor_(backColor) {}
    unsigned BackColor() const { return backColor_; }
    void setBackColor(unsigned color);
    void SetFocus() { host_.focusControl(id_); }

private:
    ControlHost& host_;
    ControlId id_;
    unsigned backColor_;
};

} // namespace hopwick
