#include "platform/windows/ole_on_demand.h"

#include "platform/windows/system_function.h"

#include <ole2.h>

namespace hopwick::win32 {

namespace {

const auto kOleInitialize = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", OleInitialize);
const auto kOleUninitialize = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", OleUninitialize);

// Whether this thread holds a start of OLE that it must end; a thread that another part of the process put into
// COM's free-threaded apartment holds none.
thread_local bool started = false;

} // namespace

void needOle() {
    if (started) {
        return;
    }
    const auto initialize = kOleInitialize.get();
    // S_FALSE (running already) counts as a start too, which needs its own end.
    started = initialize != nullptr && SUCCEEDED(initialize(nullptr));
}

OleScope::~OleScope() {
    if (!started) {
        return;
    }
    if (const auto uninitialize = kOleUninitialize.get(); uninitialize != nullptr) {
        uninitialize();
    }
    started = false;
}

} // namespace hopwick::win32
