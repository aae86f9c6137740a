// GetOpenFileNameA: one existing file chosen in the screen's open dialog.
//
// The filter list, the title and the initial name are passed on; the chosen
// path comes back in lpstrFile with nFileOffset and nFileExtension, and its
// name alone in lpstrFileTitle when one is given. A buffer too small for the
// path leaves it holding the size needed in its first two bytes and returns
// FALSE, as Windows does. No hooks, templates or multiple selection.
#include "platform/seam/dialogs.h"

#include <cstring>

namespace {

// "MIDI files\0*.mid;*.midi\0All files\0*.*\0\0"
std::vector<backend::FileFilter> filtersOf(const char* list) {
    std::vector<backend::FileFilter> filters;
    while (list && *list) {
        backend::FileFilter filter{list, {}};
        list += std::strlen(list) + 1;
        if (!*list) break;
        const std::string patterns = list;
        list += patterns.size() + 1;
        for (std::size_t start = 0; start <= patterns.size();) {
            const std::size_t end = std::min(patterns.find(';', start), patterns.size());
            if (end > start) filter.patterns.push_back(patterns.substr(start, end - start));
            start = end + 1;
        }
        filters.push_back(filter);
    }
    return filters;
}

WORD offsetOfName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
}

WORD offsetOfExtension(const std::string& path, WORD nameOffset) {
    const std::size_t dot = path.find_last_of('.');
    return static_cast<WORD>(dot == std::string::npos || dot < nameOffset ? 0 : dot + 1);
}

}  // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA openFile) {
    if (!openFile || openFile->lStructSize < sizeof(OPENFILENAMEA) || !openFile->lpstrFile ||
        openFile->nMaxFile == 0)
        return FALSE;
    std::string path;
    if (!backend::chooseFileToOpen(openFile->hwndOwner, openFile->lpstrTitle ? openFile->lpstrTitle : "Open",
                                   filtersOf(openFile->lpstrFilter), &path))
        return FALSE;
    if (path.size() + 1 > openFile->nMaxFile) {
        if (openFile->nMaxFile >= 2) {
            const auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(openFile->lpstrFile, &needed, sizeof needed);
        }
        return FALSE;
    }
    std::memcpy(openFile->lpstrFile, path.c_str(), path.size() + 1);
    openFile->nFileOffset = offsetOfName(path);
    openFile->nFileExtension = offsetOfExtension(path, openFile->nFileOffset);
    if (openFile->lpstrFileTitle && openFile->nMaxFileTitle > 0) {
        const std::string name = path.substr(openFile->nFileOffset);
        const std::size_t count = std::min<std::size_t>(name.size(), openFile->nMaxFileTitle - 1);
        std::memcpy(openFile->lpstrFileTitle, name.data(), count);
        openFile->lpstrFileTitle[count] = '\0';
    }
    return TRUE;
}
