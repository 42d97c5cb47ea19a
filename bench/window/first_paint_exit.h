#pragma once

class QWidget;

namespace hopwick::bench {

// Ends the application as soon as `window` has drawn its first frame: the quit is queued behind the paint
// and its flush to the display.
void quitAfterFirstPaint(QWidget& window);

} // namespace hopwick::bench
