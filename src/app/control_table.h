#pragma once

#include "platform/control_id.h"

#include <span>
#include <string_view>

namespace hopwick {

enum class ControlKind { Window, ListBox, TextBox, Button, Label };

inline constexpr int kBoldWeight = 700;

struct FontSpec {
    std::string_view family;
    double points;
    int weight;        // 400 regular, kBoldWeight bold
    int charset = 128; // Shift_JIS
};

// One control's design-time settings; positions and sizes in twips from the client area's top-left.
struct ControlSpec {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    int left, top, width, height;
    int tabIndex;             // -1 for the window
    std::string_view caption; // with "&" before the access key
    std::string_view tooltip; // empty: none
    FontSpec font;            // the window font where the control has none of its own
    char accessKey;           // upper-case letter, or 0
    // What assistive technology tells of the control where its tooltip is missing or its caption is only a
    // glyph; empty: the tooltip.
    std::string_view description = {};
};

inline constexpr FontSpec kWindowFont{"ＭＳ ゴシック", 9, 400};
inline constexpr int kLayoutWidth = 6960;
inline constexpr int kLayoutHeight = 2865;
inline constexpr int kOuterWidth = 7080;
inline constexpr int kNormalOuterHeight = 2175;
inline constexpr int kSetupOuterHeight = 3285;
// The client areas that those outer sizes leave inside the Windows frame.
inline constexpr int kNormalClientHeight = 1755;
inline constexpr int kSetupClientHeight = 2865;
inline constexpr int kTwipsPerPixel = 15; // at 96 dots per inch

inline constexpr unsigned kButtonFaceColor = 0x8000000F; // the system's button-face colour
inline constexpr unsigned kSetupOkColor = 0x00C0C0FF;    // light red, &H00BBGGRR

// The controls in tab order (the window is not among them).
std::span<const ControlSpec> controlTable();
const ControlSpec& controlSpec(ControlId id);
// The control's description for assistive technology: its own, else its tooltip.
std::string_view accessibleDescription(const ControlSpec& spec);

// Whether a control shows in the window's client area in the given mode: setup mode shows the whole layout,
// normal mode only the top strip above the setup band. Front ends give no keyboard input to what is out of view.
bool inView(ControlId id, bool setupMode);

} // namespace hopwick
