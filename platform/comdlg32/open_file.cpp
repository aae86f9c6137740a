// GetOpenFileNameA and GetSaveFileNameA: one existing file chosen in the
// screen's open dialog, or a name to save under chosen in its save dialog.
//
// The filter list, the title and the initial name are passed on; the chosen
// path comes back in lpstrFile with nFileOffset and nFileExtension, and its
// name alone in lpstrFileTitle when one is given. A buffer too small for the
// path leaves it holding the size needed in its first two bytes and returns
// FALSE, as Windows does. Saving, a name typed without an extension gets
// lpstrDefExt, and OFN_OVERWRITEPROMPT has the dialog ask before an existing
// file is chosen. No hooks, templates or multiple selection.
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

bool usable(LPOPENFILENAMEA dialog) {
    return dialog && dialog->lStructSize >= sizeof(OPENFILENAMEA) && dialog->lpstrFile && dialog->nMaxFile > 0;
}

BOOL giveBack(LPOPENFILENAMEA dialog, const std::string& path) {
    if (path.size() + 1 > dialog->nMaxFile) {
        if (dialog->nMaxFile >= 2) {
            const auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(dialog->lpstrFile, &needed, sizeof needed);
        }
        return FALSE;
    }
    std::memcpy(dialog->lpstrFile, path.c_str(), path.size() + 1);
    dialog->nFileOffset = offsetOfName(path);
    dialog->nFileExtension = offsetOfExtension(path, dialog->nFileOffset);
    if (dialog->lpstrFileTitle && dialog->nMaxFileTitle > 0) {
        const std::string name = path.substr(dialog->nFileOffset);
        const std::size_t count = std::min<std::size_t>(name.size(), dialog->nMaxFileTitle - 1);
        std::memcpy(dialog->lpstrFileTitle, name.data(), count);
        dialog->lpstrFileTitle[count] = '\0';
    }
    return TRUE;
}

}  // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA openFile) {
    if (!usable(openFile)) return FALSE;
    std::string path;
    if (!backend::chooseFileToOpen(openFile->hwndOwner, openFile->lpstrTitle ? openFile->lpstrTitle : "Open",
                                   filtersOf(openFile->lpstrFilter), &path))
        return FALSE;
    return giveBack(openFile, path);
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA saveFile) {
    if (!usable(saveFile)) return FALSE;
    const std::string initial(saveFile->lpstrFile, strnlen(saveFile->lpstrFile, saveFile->nMaxFile));
    std::string path;
    if (!backend::chooseFileToSave(saveFile->hwndOwner, saveFile->lpstrTitle ? saveFile->lpstrTitle : "Save As",
                                   filtersOf(saveFile->lpstrFilter), initial,
                                   (saveFile->Flags & OFN_OVERWRITEPROMPT) != 0, &path))
        return FALSE;
    if (saveFile->lpstrDefExt && *saveFile->lpstrDefExt && offsetOfExtension(path, offsetOfName(path)) == 0)
        path += std::string(".") + saveFile->lpstrDefExt;
    return giveBack(saveFile, path);
}
