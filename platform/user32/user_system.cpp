// Screen metrics, the work area, the cursor, dialog units and common controls.
#include "platform/user32/user_state.h"

int WINAPI GetSystemMetrics(int index) {
    user::useBackend();
    const RECT screen = backend::screenRect();
    switch (index) {
        case SM_CXSCREEN: return user::widthOf(screen);
        case SM_CYSCREEN: return user::heightOf(screen);
        default: return 0;
    }
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni) {
    user::useBackend();
    if (action != SPI_GETWORKAREA || !data) return FALSE;
    *static_cast<RECT*>(data) = backend::workArea();
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    user::useBackend();
    *point = backend::cursorPosition();
    return TRUE;
}

// Dialog units exist only for dialog boxes, which the layer does not make:
// the rectangle stays as it is.
BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) { return FALSE; }

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    // The backend shows its own arrow; the handle only has to be a valid one.
    static int arrow;
    if (instance == nullptr && name == IDC_ARROW) return reinterpret_cast<HCURSOR>(&arrow);
    return nullptr;
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    // The layer's controls need no registration; only the structure is checked.
    return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
