// Window timers: SetTimer and KillTimer without a timer procedure, and the
// WM_TIMER messages they give.
//
// As on Windows, a timer is not a queued message but a flag: GetMessageA makes
// WM_TIMER for a timer that has fallen due only when nothing else is ready,
// after paints. One message stands for however many periods have passed, and
// the next period counts from the moment the message is made. Timers run on
// backend::milliseconds(). Limits: a timer belongs to a window (SetTimer with
// no window or with a timer procedure fails).
#include "platform/seam/core.h"
#include "platform/user32/user_state.h"

#include <algorithm>
#include <vector>

namespace user {
namespace {

struct Timer {
    HWND window;
    UINT_PTR id;
    UINT elapse;
    std::uint64_t due;
};

std::vector<Timer> timers;  // in the order they were set: ties go to the older

// The timer that falls due first, or none.
Timer* earliest() {
    auto first = std::min_element(timers.begin(), timers.end(),
                                  [](const Timer& a, const Timer& b) { return a.due < b.due; });
    return first == timers.end() ? nullptr : &*first;
}

}  // namespace

bool nextTimerMessage(MSG* message) {
    Timer* timer = earliest();
    const std::uint64_t now = backend::milliseconds();
    if (!timer || timer->due > now) return false;
    timer->due = now + timer->elapse;
    *message = MSG{timer->window, WM_TIMER, timer->id, 0, 0, backend::cursorPosition()};
    return true;
}

std::int64_t millisecondsToNextTimer() {
    const Timer* timer = earliest();
    if (!timer) return -1;
    const std::uint64_t now = backend::milliseconds();
    return timer->due > now ? static_cast<std::int64_t>(timer->due - now) : 0;
}

void killTimersOf(HWND window) {
    std::erase_if(timers, [window](const Timer& timer) { return timer.window == window; });
}

}  // namespace user

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    constexpr UINT shortest = 10, longest = 0x7FFFFFFF;  // USER_TIMER_MINIMUM, _MAXIMUM
    if (procedure || !user::find(window)) return 0;
    elapse = std::clamp(elapse, shortest, longest);
    const std::uint64_t due = backend::milliseconds() + elapse;
    auto same = std::find_if(user::timers.begin(), user::timers.end(), [&](const user::Timer& timer) {
        return timer.window == window && timer.id == id;
    });
    // Setting a timer again replaces it and starts its period afresh.
    if (same != user::timers.end())
        *same = user::Timer{window, id, elapse, due};
    else
        user::timers.push_back(user::Timer{window, id, elapse, due});
    return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    return std::erase_if(user::timers, [&](const user::Timer& timer) {
               return timer.window == window && timer.id == id;
           }) > 0;
}

bool core::nextTimerDue(std::uint64_t* due) {
    const user::Timer* timer = user::earliest();
    if (timer) *due = timer->due;
    return timer != nullptr;
}
