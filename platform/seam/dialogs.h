// What a screen implements for the program's dialogs (a message box, the file
// open and save dialogs) and for files dropped on a window, and the core's report of a
// drop. The core calls the backend:: functions; the screen calls
// core::filesDropped. The program never includes this file.
#pragma once

#include "platform/win32.h"

#include <string>
#include <vector>

namespace backend {

// A modal message with one OK button; returns when the person has closed it.
void messageBox(HWND owner, const std::string& text, const std::string& caption, bool error);

// One entry of the open dialog's file type list: "MIDI files" with "*.mid", "*.midi".
struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};
// A modal dialog for choosing one existing file; false when the person cancels.
bool chooseFileToOpen(HWND owner, const std::string& title, const std::vector<FileFilter>& filters,
                      std::string* path);
// A modal dialog for choosing where to save, starting from `initialName`;
// with askOverwrite it asks before an existing file is chosen. False when
// the person cancels.
bool chooseFileToSave(HWND owner, const std::string& title, const std::vector<FileFilter>& filters,
                      const std::string& initialName, bool askOverwrite, std::string* path);

// From now on (or no longer) files dropped on the top-level window reach core::filesDropped.
void acceptDroppedFiles(HWND window, bool accept);

}  // namespace backend

namespace core {

// Files were dropped on the window: it receives WM_DROPFILES.
void filesDropped(HWND window, const std::vector<std::string>& paths);

}  // namespace core
