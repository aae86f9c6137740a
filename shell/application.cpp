// Start-up and the message loop.
#include "shell/application.h"

#include "analysis/analysis.h"
#include "canvas/canvas.h"
#include "display/state.h"
#include "listening/listen_watch.h"
#include "midi/keyboard_watch.h"
#include "midi/sound.h"
#include "shell/audio_listening.h"
#include "shell/form.h"
#include "shell/formproc.h"
#include "shell/keyboard_input.h"
#include "shell/live_session.h"
#include "shell/pieces.h"
#include "shell/sounding.h"

namespace {

const int iconResource = 123;

// Without a dialog the mapping leaves the rectangle as it is, so both units are 2.
void fixLayoutScale() {
    RECT scale = {0, 0, 4, 8};
    MapDialogRect(nullptr, &scale);
    Shell.unitX = scale.right / 2;
    Shell.unitY = scale.bottom / 4;
}

void registerFormClass() {
    WNDCLASSA formClass = {};
    formClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    formClass.lpfnWndProc = formProc;
    formClass.hInstance = Shell.programInstance;
    formClass.hIcon = LoadIconA(Shell.programInstance, MAKEINTRESOURCEA(iconResource));
    formClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    formClass.lpszClassName = Shell.formClassName;
    RegisterClassA(&formClass);
}

void initCommonControls() {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                     ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);
}

// Keyboard messages go through Form1's dialog navigation first: Tab moves
// between the controls, Return and Escape become commands 1 and 2. The piece
// window takes its keys (the arrows, space) itself.
// A fetch error (-1) ends the loop rather than spinning on it.
int runMessageLoop() {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND active = GetActiveWindow();
        if (active == Form1 && IsDialogMessageA(active, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

// Every subsystem's state goes back to its start first, so that a program
// started again in the same process (as tests do) begins as a new one does.
void prepareApplication(HINSTANCE instance) {
    resetAnalysis();
    resetCanvas();
    resetDisplay();
    resetShell();
    resetKeyboardWatch();
    resetListenWatch();
    closeSound();  // a synthesizer that a program run before left open
    Shell.formClassName = "Tonvisor";
    fixLayoutScale();
    Shell.programInstance = instance;
    registerFormClass();
    initCommonControls();
    preparePieces();
    prepareLiveSession();
}

// The sound starts once the first frame is drawn, so that it never delays it.
int runApplication(HINSTANCE instance, const char* commandLine) {
    prepareApplication(instance);
    loadForm();
    startSound();
    startWatchingKeyboards();
    startListening();
    startPieces(commandLine);
    return runMessageLoop();
}
