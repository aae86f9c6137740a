// Form1's window procedure: sets the flags and keywords that steer the
// drawing, has the form drawn, hands over to the help launcher, to the sound
// to the keyboards played in and to the piece window, and gives the result
// fields and the statuses their colours.
#include "shell/formproc.h"

#include "display/identify.h"
#include "listening/listen_watch.h"
#include "midi/keyboard_watch.h"
#include "midi/sound.h"
#include "shell/audio_listening.h"
#include "piecewindow/piece_window.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/help.h"
#include "shell/keyboard_input.h"
#include "shell/live_session.h"
#include "shell/pieces.h"
#include "shell/sounding.h"
#include "shell/window_ids.h"

#include <cstring>

namespace {

// No control bears it: it ends the message loop without destroying the window.
const int quitCommand = 200;

const COLORREF white = RGB(255, 255, 255);
const COLORREF orange = RGB(255, 100, 0);

// Each request replaces the brush of the one before.
LRESULT colourNotesField(HDC dc) {
    if (Shell.notesBrush) DeleteObject(Shell.notesBrush);
    Shell.notesBrush = CreateSolidBrush(white);
    SetTextColor(dc, orange);
    SetBkColor(dc, white);
    return reinterpret_cast<LRESULT>(Shell.notesBrush);
}

// The status reads like the painted headings: their grey on the form's background.
LRESULT colourStatus(HDC dc) {
    const COLORREF background = RGB(50, 140, 140);
    if (!Shell.statusBrush) Shell.statusBrush = CreateSolidBrush(background);
    SetTextColor(dc, RGB(210, 210, 210));
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(Shell.statusBrush);
}

void selectArrangement(int mode, const char* keyword) {
    modeNumber = mode;
    std::strcpy(displayKeyword, keyword);
    plotSpectrum();
    setPieceArrangement(mode == 2);
}

// Returns whether the command is handled here (result 0).
bool runCommand(int id) {
    switch (id) {
    case EnterButtonId:
        enterPending = 1;
        plotSpectrum();
        soundEntry();
        return true;
    case KeyButtonId:
        selectArrangement(1, "dispn");
        return true;
    case ChordButtonId:
        selectArrangement(2, "dispc");
        return true;
    case HelpButtonId:
        launchHelp();
        return true;
    case OpenButtonId:
        choosePiece();
        return true;
    case SoundBoxId:
        soundSwitched();
        return true;
    case ListenBoxId:
        listenSwitched();
        return true;
    case quitCommand:
        PostQuitMessage(0);
        return false;
    default:
        return false;
    }
}

// The position comes from the cursor when the release is handled, measured
// from the outer left and bottom edges of Form1.
void identifyRelease() {
    RECT outer = {};
    POINT cursor = {};
    buttonDown = 0;
    GetWindowRect(Form1, &outer);
    GetCursorPos(&cursor);
    clickX = cursor.x - outer.left;
    clickY = outer.bottom - cursor.y;
    const SpikeChord chord = identifySpike(clickX, clickY);
    if (chord.named) soundSpike(chord.type, chord.root);
}

}  // namespace

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLOREDIT && lParam == reinterpret_cast<LPARAM>(RecognisedNotesField))
        return colourNotesField(reinterpret_cast<HDC>(wParam));
    if (message == WM_CTLCOLORSTATIC && lParam == reinterpret_cast<LPARAM>(ChordField))
        return colourNotesField(reinterpret_cast<HDC>(wParam));
    if (message == WM_CTLCOLORSTATIC &&
        (lParam == reinterpret_cast<LPARAM>(MidiStatus) || lParam == reinterpret_cast<LPARAM>(AudioStatus) ||
         lParam == reinterpret_cast<LPARAM>(PieceStatus)))
        return colourStatus(reinterpret_cast<HDC>(wParam));
    switch (message) {
    case WM_DESTROY:
        endPieceWindow();
        endSound();
        stopWatchingKeyboards();
        stopListening();
        PostQuitMessage(0);
        return 0;
    case WM_TIMER:
        if (soundTimerDue(wParam) || handleKeyboardMessage(message, wParam, lParam) ||
            handleListenMessage(message, wParam, lParam) || sessionTimerDue(wParam))
            return 0;
        break;
    case MM_MIM_DATA:
        if (!handleKeyboardMessage(message, wParam, lParam)) break;
        sessionKeyboardData(reinterpret_cast<HMIDIIN>(wParam), static_cast<DWORD>(lParam));
        return 0;
    case MM_MIM_CLOSE:
        if (handleKeyboardMessage(message, wParam, lParam)) return 0;
        break;
    case MM_WIM_DATA:
        if (handleListenMessage(message, wParam, lParam)) return 0;
        break;
    case WM_PAINT:
        paintform();
        plotSpectrum();
        break;
    case WM_COMMAND:
        if (runCommand(LOWORD(wParam))) return 0;
        break;
    case WM_LBUTTONDOWN:
        buttonDown = 1;
        break;
    case WM_LBUTTONUP:
        if (buttonDown == 1) identifyRelease();
        break;
    case WM_DROPFILES:
        openDroppedPiece(reinterpret_cast<HDROP>(wParam));
        return 0;
    case SynthesizerOpened:
        takeSynthesizerResult(wParam, lParam);
        return 0;
    case MM_MOM_CLOSE:
        if (soundClosed(wParam)) return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
