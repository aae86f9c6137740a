// Picture export: the program's own start-up and message loop on the
// headless screen, with the entry typed, "Enter" and the chosen buttons pressed
// and a click played in as a person would, then Form1's inside saved as a PNG.
// Limits: once per process; the click must fall on the spectrograph.
#include "cli/picture.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/output_file.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "shell/sounding.h"

namespace {

bool inside(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// A click on a control would press it: "Help" starts a viewer program.
bool onControl(POINT point) {
    for (int i = 0; i < ControlCount; ++i) {
        RECT rect = {};
        if (GetWindowRect(formControl(i), &rect) && inside(rect, point)) return true;
    }
    return false;
}

// Presses and releases the left button over Form1, or says why it cannot.
PictureOutcome clickForm(int clientX, int clientY) {
    const RECT client = headless::clientRect(Form1);
    const POINT point = {client.left + clientX, client.top + clientY};
    const std::string where = "--click " + std::to_string(clientX) + "," + std::to_string(clientY);
    if (!inside(client, point))
        return {2, where + " lies outside the " + std::to_string(client.right - client.left) + "x" +
                       std::to_string(client.bottom - client.top) + " picture"};
    if (onControl(point)) return {2, where + " lies on a button or field, not on the spectrograph"};
    headless::mouseDown(point.x, point.y);
    headless::mouseUp(point.x, point.y);
    return {};
}

PictureOutcome savePicture(const std::string& path) {
    if (writeWholeFile(path, [](const std::string& part) { return headless::saveClientPng(Form1, part.c_str()); }))
        return {};
    return {1, "cannot write the picture to '" + path + "'"};
}

// Each step runs once the program has handled everything the one before caused.
// The first lets the moment pass after which the program opens its
// synthesizer, so the Sound box shows as a person sees it.
void scheduleSteps(const PictureOptions& picture, bool typeEntry, const std::string& entry, PictureOutcome& outcome) {
    headless::whenIdle([] { headless::advanceClock(OpenDelay); });
    if (picture.byChord) headless::whenIdle([] { headless::clickButton(ChordButton); });
    if (typeEntry)
        headless::whenIdle([&entry] {
            headless::typeText(NoteEntryField, entry.c_str());
            headless::clickButton(EnterButton);
        });
    if (picture.click) headless::whenIdle([&] { outcome = clickForm(picture.clickX, picture.clickY); });
    headless::whenIdle([&] {
        if (outcome.status == 0) outcome = savePicture(picture.path);
        PostMessageA(Form1, WM_CLOSE, 0, 0);  // as a person closes it: the loop ends with 0
    });
}

}  // namespace

std::string unwritableReason(const std::string& path) {
    const bool existed = access(path.c_str(), F_OK) == 0;
    std::FILE* file = std::fopen(path.c_str(), "ab");  // appending leaves existing bytes alone
    if (!file) return std::strerror(errno);
    std::fclose(file);
    if (!existed) std::remove(path.c_str());
    return "";
}

PictureOutcome exportPicture(const PictureOptions& picture, bool typeEntry, const std::string& entry) {
    headless::setScreen(picture.screenWidth, picture.screenHeight);
    PictureOutcome outcome;
    scheduleSteps(picture, typeEntry, entry, outcome);
    _controlfp(_PC_64, _MCW_PC);  // as the program's own start-up does
    const int quitCode = runApplication(GetModuleHandleA(nullptr));
    if (quitCode != 0 && outcome.status == 0)
        return {1, "the window closed with status " + std::to_string(quitCode) + " before the picture was saved"};
    return outcome;
}
