// The "scrollbar" control, horizontal, as the program uses it: SetScrollInfo
// and GetScrollInfo with SB_CTL, and the person's drag reaching the parent as
// WM_HSCROLL. As on Windows the bar keeps its position within min to
// max - page + 1, and moves only when the program sets it.
#include "platform/user32/user_state.h"

#include <algorithm>

namespace user {
namespace {

Window* scrollBar(HWND handle, int bar) {
    Window* window = find(handle);
    return window && bar == SB_CTL && window->kind == backend::WindowKind::ScrollBar ? window : nullptr;
}

int highestPosition(const SCROLLINFO& scroll) {
    return std::max(scroll.nMin, scroll.nMax - std::max(static_cast<int>(scroll.nPage) - 1, 0));
}

}  // namespace

LRESULT CALLBACK scrollBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace user

int WINAPI SetScrollInfo(HWND handle, int bar, LPCSCROLLINFO info, BOOL) {
    user::Window* window = user::scrollBar(handle, bar);
    if (!window || !info) return 0;
    SCROLLINFO& scroll = window->scroll;
    if (info->fMask & SIF_RANGE) {
        scroll.nMin = info->nMin;
        scroll.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) scroll.nPage = std::min(info->nPage, static_cast<UINT>(scroll.nMax - scroll.nMin + 1));
    if (info->fMask & SIF_POS) scroll.nPos = info->nPos;
    scroll.nPos = std::clamp(scroll.nPos, scroll.nMin, user::highestPosition(scroll));
    scroll.nTrackPos = scroll.nPos;
    backend::setScrollBar(handle, scroll.nMin, scroll.nMax, static_cast<int>(scroll.nPage), scroll.nPos);
    return scroll.nPos;
}

BOOL WINAPI GetScrollInfo(HWND handle, int bar, LPSCROLLINFO info) {
    const user::Window* window = user::scrollBar(handle, bar);
    if (!window || !info) return FALSE;
    const SCROLLINFO& scroll = window->scroll;
    if (info->fMask & SIF_RANGE) {
        info->nMin = scroll.nMin;
        info->nMax = scroll.nMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = scroll.nPage;
    if (info->fMask & SIF_POS) info->nPos = scroll.nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = scroll.nTrackPos;
    return TRUE;
}

void core::scrollBarMoved(HWND handle, int position) {
    user::Window* window = user::scrollBar(handle, SB_CTL);
    if (!window || !window->parent) return;
    window->scroll.nTrackPos = std::clamp(position, window->scroll.nMin, user::highestPosition(window->scroll));
    const WPARAM request = static_cast<WPARAM>(window->scroll.nTrackPos & 0xFFFF) << 16 | SB_THUMBPOSITION;
    user::queueInput(window->parent, WM_HSCROLL, request, reinterpret_cast<LPARAM>(handle));
}
