// Files dropped on a window: DragAcceptFiles asks the screen to take them,
// a drop queues WM_DROPFILES with an HDROP that names them, DragQueryFileA
// reads them and DragFinish frees the handle.
#include "platform/seam/dialogs.h"
#include "platform/seam/handles.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// Never destroyed: a drop may be finished while static objects are torn down.
auto& drops = *new std::map<HDROP, std::vector<std::string>>;

}  // namespace

void WINAPI DragAcceptFiles(HWND window, BOOL accept) {
    if (IsWindow(window)) backend::acceptDroppedFiles(window, accept != FALSE);
}

UINT WINAPI DragQueryFileA(HDROP drop, UINT index, LPSTR file, UINT size) {
    const auto found = drops.find(drop);
    if (found == drops.end()) return 0;
    const std::vector<std::string>& paths = found->second;
    if (index == 0xFFFFFFFFu) return static_cast<UINT>(paths.size());
    if (index >= paths.size()) return 0;
    const std::string& path = paths[index];
    if (!file) return static_cast<UINT>(path.size());
    if (size == 0) return 0;
    const std::size_t count = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(file, path.data(), count);
    file[count] = '\0';
    return static_cast<UINT>(count);
}

void WINAPI DragFinish(HDROP drop) { drops.erase(drop); }

void core::filesDropped(HWND window, const std::vector<std::string>& paths) {
    if (!IsWindow(window) || paths.empty()) return;
    const HDROP drop = core::newHandle<HDROP>();
    drops[drop] = paths;
    // Queued like the person's other input: reports never call a window procedure.
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}
