// PostMessageA from other threads: nothing lost or reordered, and a waiting
// GetMessageA woken.
#include "platform_fixture.h"

#include "platform/core.h"

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

}  // namespace
