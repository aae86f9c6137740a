// MessageBoxA: a modal message with an OK button, shown by the screen. Only
// MB_OK, alone or with MB_ICONERROR.
#include "platform/seam/dialogs.h"
#include "platform/user32/user_state.h"

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    user::useBackend();
    backend::messageBox(user::find(owner) ? owner : nullptr, text ? text : "", caption ? caption : "Error",
                        (type & MB_ICONERROR) != 0);
    return IDOK;
}
