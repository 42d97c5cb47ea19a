#pragma once

class QWidget;

namespace hopwick::bench {

// Set in the environment, the bare window does not end after its first paint but stays until it is ended.
inline constexpr const char* kStayOpenVariable = "HOPWICK_BENCH_STAY_OPEN";

// Ends the application as soon as `window` has drawn its first frame: the quit is queued behind the paint
// and its flush to the display. Where the driver asks for it, the time of that moment is reported first (see
// kFirstFrameReportVariable), so that it is measured apart from the exit.
void quitAfterFirstPaint(QWidget& window);

} // namespace hopwick::bench
