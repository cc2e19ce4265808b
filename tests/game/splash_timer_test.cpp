#include "game/splash.h"
#include "game_fixture.h"

#include <functional>
#include <vector>

namespace kelvaro {
namespace {

class SplashTimerTest : public GameFixture {
  protected:
    SplashScene scene;

    // The main window's start-up: the first game, then the splash.
    void startUp() {
        newGame(world);
        window.repaintRequests = 0;
        startSplash(world, scene);
    }

    void expectEnded() {
        EXPECT_EQ(state.splashTick, 0u);
        EXPECT_FALSE(window.timerRunning);
        EXPECT_EQ(state.repaintMode, repaintWhole);
        EXPECT_GE(window.repaintRequests, 1);
    }
};

TEST_F(SplashTimerTest, StartsNowWithTheSixtyMillisecondTimerAndTakesItsTicks) {
    startUp();
    EXPECT_EQ(state.splashFrame, 0);
    EXPECT_EQ(state.splashTick, window.now);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.timerPeriodMs, 60);
    EXPECT_EQ(state.timerId, static_cast<std::uint32_t>(windowTimerId));

    onTimer(world);
    EXPECT_EQ(window.repaintRequests, 1); // no frame yet: the whole window
}

TEST_F(SplashTimerTest, AStartOnTickZeroStillShows) {
    window.now = 0;
    startUp();
    EXPECT_NE(state.splashTick, 0u);
    window.advance(5000);
    onTimer(world);
    EXPECT_NE(state.splashTick, 0u);
}

struct TickCase {
    const char* what;
    std::uint32_t startTick;
    std::uint32_t elapsedMs;
    std::int16_t splashFrame;
    std::int16_t namePictureDue;
    bool ends;
    int wholeRepaints;
    std::vector<Rect> areas; // invalidated without erasing
};

TEST_F(SplashTimerTest, EachTickAsksForTheRightPartOfTheWindow) {
    const TickCase cases[] = {
        {"before any frame", 100000, 0, 0, 0, false, 1, {}},
        {"first paint came before the buffer", 100000, 60, 1, 0, false, 1, {}},
        {"after the opening frame", 100000, 120, 2, 0, false, 0, {starFieldRect}},
        {"name picture due", 100000, 2580, 44, 1, false, 0, {starFieldRect, pictureRect}},
        {"at 5000 ms exactly", 100000, 5000, 80, 0, false, 0, {starFieldRect}},
        {"first tick after 5000 ms", 100000, 5001, 80, 0, true, 1, {}},
        {"late tick after a slow frame", 100000, 5400, 80, 1, true, 1, {}},
        {"clock wraps during the splash", 0xFFFFF000u, 4200, 70, 0, false, 0, {starFieldRect}},
        {"clock wrapped, time is up", 0xFFFFF000u, 5060, 80, 0, true, 1, {}},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.what);
        window = FakeWindow{};
        window.now = c.startTick;
        startUp();
        state.splashFrame = c.splashFrame;
        scene.namePictureDue = c.namePictureDue;
        window.advance(c.elapsedMs);

        onTimer(world);
        EXPECT_EQ(state.splashTick == 0, c.ends);
        EXPECT_EQ(window.timerRunning, !c.ends);
        EXPECT_EQ(window.repaintRequests, c.wholeRepaints);
        EXPECT_EQ(window.immediateUpdates, c.ends ? 1 : 0);
        ASSERT_EQ(window.invalidatedRects.size(), c.areas.size());
        for (std::size_t i = 0; i < c.areas.size(); ++i) {
            const InvalidatedRect& got = window.invalidatedRects[i];
            EXPECT_EQ(got.area.left, c.areas[i].left);
            EXPECT_EQ(got.area.top, c.areas[i].top);
            EXPECT_EQ(got.area.right, c.areas[i].right);
            EXPECT_EQ(got.area.bottom, c.areas[i].bottom);
            EXPECT_FALSE(got.erase);
        }
    }
}

TEST_F(SplashTimerTest, RunsItsFullTimeOnSixtyMillisecondTicksThenHandsOverToTheGame) {
    startUp();
    int ticks = 0;
    while (state.splashTick != 0 && ticks < 200) {
        window.advance(60);
        ++state.splashFrame; // the paint each tick asks for
        onTimer(world);
        ++ticks;
    }
    EXPECT_EQ(ticks, 84); // 84 x 60 = 5040, the first tick past 5000 ms
    expectEnded();

    // The clock's tick takes over, and stays quiet until the first tap.
    window.invalidatedRects.clear();
    const int repaints = window.repaintRequests;
    onTimer(world);
    EXPECT_TRUE(window.invalidatedRects.empty());
    EXPECT_EQ(window.repaintRequests, repaints);
}

TEST_F(SplashTimerTest, ATapEndsItAtOnce) {
    startUp();
    window.advance(700);
    onStylusDown(world, 120, 150);
    expectEnded();
    EXPECT_EQ(state.tapCount, 0); // the tap only ends the splash

    window.invalidatedRects.clear();
    window.advance(60);
    onTimer(world);
    EXPECT_TRUE(window.invalidatedRects.empty());
}

TEST_F(SplashTimerTest, EveryCommandButPauseEndsIt) {
    const struct {
        const char* name;
        std::function<void(GameWorld&)> command;
        bool ends;
    } commands[] = {
        {"new game", newGame, true},         {"hint", askHint, true},
        {"show solution", finishGame, true}, {"learn rules", learnRules, true},
        {"options", showOptions, true},      {"close", [](GameWorld& w) { closeRequest(w); }, true},
        {"pause", pauseGame, false},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        window = FakeWindow{};
        startUp();
        window.advance(1000);
        c.command(world);
        EXPECT_EQ(state.splashTick == 0, c.ends);
        if (!c.ends) {
            EXPECT_TRUE(window.timerRunning);
            EXPECT_EQ(window.timerPeriodMs, 60);
        }
    }
}

} // namespace
} // namespace kelvaro
