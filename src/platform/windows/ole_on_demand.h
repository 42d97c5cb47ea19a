#pragma once

namespace hopwick::win32 {

// OLE (with COM, apartment-threaded) on the user-interface thread, started at the first need: the file dialog,
// the shell and the picture loader want it, but starting it costs much of the program's start-up (under Wine
// above all), which it does not need.

// Starts OLE on this thread unless it runs here already; when it cannot start, the caller goes on without it,
// as the system's functions report what they then cannot do.
void needOle();

// Ends, when it goes, the OLE that needOle started on this thread, if any. Made before anything that may hold
// an OLE object, so that it goes after them.
class OleScope {
public:
    OleScope() = default;
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    ~OleScope();
};

} // namespace hopwick::win32
