// Headless backend: the dialogs and dropped files (seam/dialogs.h), answered
// by the tests: an open or save dialog takes the next answer queued for its kind, a message box is
// logged and closed at once, a drop reaches only windows that accept files.
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/seam/dialogs.h"

#include <utility>

namespace backend {

void messageBox(HWND, const std::string& text, const std::string& caption, bool) {
    Headless_state.messageBoxes.push_back(caption + ": " + text);
}

namespace {

bool takeAnswer(std::deque<std::string>& answers, std::string* path) {
    if (answers.empty()) return false;
    *path = std::move(answers.front());
    answers.pop_front();
    return !path->empty();
}

}  // namespace

bool chooseFileToOpen(HWND, const std::string&, const std::vector<FileFilter>&, std::string* path) {
    return takeAnswer(Headless_state.openAnswers, path);
}

bool chooseFileToSave(HWND, const std::string&, const std::vector<FileFilter>&, const std::string&, bool,
                      std::string* path) {
    return takeAnswer(Headless_state.saveAnswers, path);
}

void acceptDroppedFiles(HWND window, bool accept) {
    if (accept)
        Headless_state.dropTargets.insert(window);
    else
        Headless_state.dropTargets.erase(window);
}

}  // namespace backend

namespace headless {

bool dropFiles(HWND window, const std::vector<std::string>& paths) {
    if (!Headless_state.dropTargets.count(window)) return false;
    core::filesDropped(window, paths);
    return true;
}

void answerOpenDialog(const std::string& path) {
    backend::initialise();
    Headless_state.openAnswers.push_back(path);
}

void answerSaveDialog(const std::string& path) {
    backend::initialise();
    Headless_state.saveAnswers.push_back(path);
}

const std::vector<std::string>& messageBoxes() { return Headless_state.messageBoxes; }

}  // namespace headless
