// Window timers on the headless screen's virtual clock, and on the real one.
#include "platform_fixture.h"

#include <utility>

namespace {

class Timers : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window = makeWindow(400, 300);
        start = GetTickCount();
    }
    // Each WM_TIMER received since the last call: its id and when, from the start.
    std::vector<std::pair<UINT_PTR, DWORD>> fired() {
        std::vector<std::pair<UINT_PTR, DWORD>> found;
        for (const LoggedMessage& entry : received(WM_TIMER)) found.emplace_back(entry.wParam, entry.tick - start);
        log.clear();
        return found;
    }
    using Firings = std::vector<std::pair<UINT_PTR, DWORD>>;

    HWND window = nullptr;
    DWORD start = 0;
};

TEST_F(Timers, FireInTimeOrderAndRearmThemselves) {
    EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 1u);
    EXPECT_EQ(SetTimer(window, 2, 25, nullptr), 2u);
    headless::advanceClock(50);
    // At 50 both fall due: the one set first comes first.
    EXPECT_EQ(fired(), (Firings{{1, 10}, {1, 20}, {2, 25}, {1, 30}, {1, 40}, {1, 50}, {2, 50}}));
    EXPECT_EQ(GetTickCount() - start, 50u);
}

TEST_F(Timers, OnlyTheTestMovesTheClock) {
    SetTimer(window, 1, 10, nullptr);
    headless::runUntilIdle();
    MSG message;
    // With nothing scripted, GetMessageA reports the stall rather than wait for the timer.
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 3u);
    headless::advanceClock(9);
    EXPECT_TRUE(fired().empty());
    headless::advanceClock(1);
    EXPECT_EQ(fired(), (Firings{{1, 10}}));
}

TEST_F(Timers, ComeAfterPostedMessagesInputAndPaint) {
    ShowWindow(window, SW_SHOW);
    SetTimer(window, 1, 10, nullptr);
    headless::advanceClock(5);  // nothing falls due: nothing runs
    PostMessageA(window, WM_COMMAND, 7, 0);
    headless::mouseDown(100, 100);
    log.clear();
    headless::advanceClock(5);
    std::vector<UINT> order;
    for (const LoggedMessage& entry : log) order.push_back(entry.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_COMMAND, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}));
}

TEST_F(Timers, SettingAgainRestartsAndKillingOrDestroyingStops) {
    SetTimer(window, 1, 10, nullptr);
    headless::advanceClock(8);
    SetTimer(window, 1, 10, nullptr);  // its period starts again at 8
    headless::advanceClock(8);
    EXPECT_TRUE(fired().empty());
    headless::advanceClock(2);
    EXPECT_EQ(fired(), (Firings{{1, 18}}));
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    headless::advanceClock(50);
    EXPECT_TRUE(fired().empty());

    // Shorter than 10 ms is 10 ms, as on Windows; id 0 is reported as 1.
    EXPECT_EQ(SetTimer(window, 0, 1, nullptr), 1u);
    headless::advanceClock(10);
    EXPECT_EQ(fired(), (Firings{{0, 78}}));
    SendMessageA(window, WM_CLOSE, 0, 0);
    headless::advanceClock(50);
    EXPECT_TRUE(fired().empty());
    EXPECT_FALSE(KillTimer(window, 0));
    EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 0u);
    EXPECT_EQ(SetTimer(nullptr, 1, 10, nullptr), 0u);
    EXPECT_EQ(SetTimer(makeWindow(100, 100), 1, 10, [](HWND, UINT, UINT_PTR, DWORD) {}), 0u);
}

// A tool in real time: GetMessageA waits for the timer instead of reporting a
// stall, and the timer never comes before its time.
TEST_F(Timers, OnTheRealClockGetMessageWaitsForThem) {
    headless::useRealClock();
    const DWORD set = GetTickCount();
    SetTimer(window, 4, 20, nullptr);
    MSG message;
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(message.wParam, 4u);
    EXPECT_GE(GetTickCount() - set, 20u);
}

}  // namespace
