// PostMessageA from other threads: nothing lost or reordered, and a waiting
// GetMessageA woken; a thread the program starts with CreateThread.
#include "platform_fixture.h"

#include "platform/seam/core.h"

#include <thread>

namespace {

using PostingFromThreads = PlatformTest;

TEST_F(PostingFromThreads, WakesAWaitingGetMessageAndKeepsEachThreadsOrder) {
    HWND window = makeWindow(400, 300);
    constexpr int perThread = 2000;
    constexpr UINT first = 0x8000, second = 0x8001;  // WM_APP and the next
    core::otherThreadPosterOpened();  // the headless queue waits for posts, not a script
    auto post = [window](UINT message) {
        for (int i = 0; i < perThread; ++i) {
            EXPECT_TRUE(PostMessageA(window, message, static_cast<WPARAM>(i), 0));
            if (i % 100 == 0) std::this_thread::yield();  // lets the queue run dry now and then
        }
    };
    std::thread one(post, first), two(post, second);

    int next[2] = {0, 0};
    MSG message;
    while (next[0] + next[1] < 2 * perThread && GetMessageA(&message, nullptr, 0, 0)) {
        DispatchMessageA(&message);
        ASSERT_TRUE(message.message == first || message.message == second);
        int& expected = next[message.message - first];
        ASSERT_EQ(message.wParam, static_cast<WPARAM>(expected));
        ++expected;
    }
    one.join();
    two.join();
    core::otherThreadPosterClosed();
    EXPECT_EQ(received(first).size() + received(second).size(), 2u * perThread);

    // A window destroyed on its own thread is no longer found by a post from another.
    SendMessageA(window, WM_CLOSE, 0, 0);
    BOOL posted = TRUE;
    std::thread([&posted, window] { posted = PostMessageA(window, first, 0, 0); }).join();
    EXPECT_FALSE(posted);
}

DWORD WINAPI postTwice(LPVOID window) {
    PostMessageA(static_cast<HWND>(window), WM_APP + 1, 1, 0);
    PostMessageA(static_cast<HWND>(window), WM_APP + 1, 2, 0);
    return 0;
}

// The headless loop counts a thread the program started as work still to do:
// its posts are handled before the next scripted step runs. Its handle is
// closed once; the thread runs on to its end regardless.
TEST_F(PostingFromThreads, AThreadTheProgramStartsIsWaitedForBeforeTheNextStep) {
    HWND window = makeWindow(400, 300);
    std::size_t postsAtTheStep = 0;
    headless::whenIdle([&] {
        postsAtTheStep = received(WM_APP + 1).size();
        PostQuitMessage(0);
    });
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, postTwice, window, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_FALSE(CloseHandle(thread));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
    EXPECT_EQ(postsAtTheStep, 2u);
    EXPECT_FALSE(core::programThreadsRunning());

    constexpr DWORD suspended = 0x4;  // CREATE_SUSPENDED
    EXPECT_EQ(CreateThread(nullptr, 0, postTwice, window, suspended, nullptr), nullptr);
}

}  // namespace
