#pragma once

#include "platform/window_view.h"

#include <windows.h>

namespace hopwick::win32 {

// A picture that this front end loaded, drawn at its own size.
class Win32Picture : public Picture {
public:
    // Draws the picture with its top-left corner at (x, y) of the device context.
    virtual void draw(HDC dc, int x, int y) const = 0;
};

} // namespace hopwick::win32
