// PostMessageA, the one USER call that any thread may make (a MIDI input's
// callback, a synthesizer opening in the background), and the posted-message
// queue behind it.
//
// The queue, and the set of windows that may be posted to, are guarded by one
// mutex; everything else in USER belongs to the thread that runs the window
// procedures, which alone takes messages out. A post wakes that thread's
// GetMessageA through backend::wake. A window destroyed after a message was
// posted to it is simply not found when the message is dispatched.
#include "platform/user32/user_state.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <unordered_set>

namespace user {
namespace {

struct Posting {
    std::mutex guard;
    std::deque<MSG> posted;
    std::unordered_set<HWND> postable;  // every live window, mirrored under the guard
    std::atomic<int> otherThreadPosters{0};
};

// Never destroyed: another thread may still post while the process exits.
Posting& posting = *new Posting;

}  // namespace

void allowPosts(HWND window) {
    std::lock_guard lock(posting.guard);
    posting.postable.insert(window);
}

void forbidPosts(HWND window) {
    std::lock_guard lock(posting.guard);
    posting.postable.erase(window);
}

bool takePosted(MSG* message) {
    {
        std::lock_guard lock(posting.guard);
        if (posting.posted.empty()) return false;
        *message = posting.posted.front();
        posting.posted.pop_front();
    }
    // The cursor is read here, on the window procedures' thread: the screen
    // may not be asked from the poster's.
    message->pt = backend::cursorPosition();
    return true;
}

void emptyPosted() {
    std::lock_guard lock(posting.guard);
    posting.posted.clear();
}

}  // namespace user

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard lock(user::posting.guard);
        if (window && !user::posting.postable.contains(window)) return FALSE;
        user::posting.posted.push_back(MSG{window, message, wParam, lParam, 0, POINT{}});
    }
    backend::wake();
    return TRUE;
}

void core::otherThreadPosterOpened() { ++user::posting.otherThreadPosters; }
void core::otherThreadPosterClosed() { --user::posting.otherThreadPosters; }
bool core::otherThreadsMayPost() { return user::posting.otherThreadPosters > 0; }
