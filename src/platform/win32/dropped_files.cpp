#include "platform/win32/dropped_files.h"

#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"

namespace hopwick::win32 {

namespace {

// The shell is loaded when the first drop arrives, not at the start: the window takes drops through its
// WS_EX_ACCEPTFILES style.
const auto kDragQueryFile = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", DragQueryFileW);
const auto kDragQueryPoint = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", DragQueryPoint);
const auto kDragFinish = HOPWICK_SYSTEM_FUNCTION(L"shell32.dll", DragFinish);

std::vector<std::string> pathsOf(HDROP drop) {
    std::vector<std::string> paths;
    const auto queryFile = kDragQueryFile.get();
    if (queryFile == nullptr) {
        return paths;
    }
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(queryFile(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(queryFile(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(narrow(path));
    }
    return paths;
}

} // namespace

ShellDrop takeDrop(HDROP drop) {
    ShellDrop taken{pathsOf(drop), {}};
    if (const auto queryPoint = kDragQueryPoint.get(); queryPoint != nullptr) {
        queryPoint(drop, &taken.at);
    }
    if (const auto finish = kDragFinish.get(); finish != nullptr) {
        finish(drop);
    }
    return taken;
}

} // namespace hopwick::win32
