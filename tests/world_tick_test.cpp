#include "game/world_tick.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/caption_rule.h"
#include "game/level_scripts.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

// Level 1 at tick 1 makes no row before tick 90, so only the test's own
// obstacles fall.
class WorldTickTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState.levelTick = 1;
    }
    static void quietLevel(const std::vector<Obstacle>& obstacles) {
        resetGame();
        gameState.levelTick = 1;
        gameState.obstacles = obstacles;
    }
};

Obstacle at(std::int32_t y, std::int32_t lane = 0, std::int32_t altitude = 0,
            std::int32_t kind = Plain) {
    return Obstacle{altitude, y, lane, kind};
}

std::vector<std::int32_t> obstacleYs() {
    std::vector<std::int32_t> ys;
    for (const Obstacle& o : gameState.obstacles) {
        ys.push_back(o.y);
    }
    return ys;
}

TEST_F(WorldTickTest, ScrollAndClock) {
    resetGame();
    tickWorld();  // the first tick after program start
    EXPECT_EQ(gameState.scrollOffset, 2);
    EXPECT_EQ(gameState.levelTick, 1);
    for (auto [before, after] : std::vector<std::pair<int, int>>{{0, 2}, {796, 798}, {798, 0}}) {
        gameState.scrollOffset = before;
        tickWorld();
        EXPECT_EQ(gameState.scrollOffset, after) << before;
    }
}

// The y before the tick moves by 2; the window is 471..529 after the move.
TEST_F(WorldTickTest, HitWindowEdgesAndLeavingThePicture) {
    struct Case {
        std::int32_t yBefore;
        bool hits;
        bool stays;
    };
    const std::vector<Case> cases{
        {468, false, true}, {470, true, false}, {526, true, false},
        {528, false, true}, {598, false, true}, {600, false, false},
    };
    for (const Case& c : cases) {
        quietLevel({at(c.yBefore)});
        tickWorld();
        EXPECT_EQ(gameState.crashed, c.hits) << c.yBefore;
        EXPECT_EQ(gameState.obstacles.size(), c.stays ? 1u : 0u) << c.yBefore;
    }
}

TEST_F(WorldTickTest, HitTable) {
    struct Case {
        std::int32_t kind, obstacleAltitude;
        bool hitsAt[3];  // craft at altitude 0, 2, 4
    };
    const std::vector<Case> cases{
        {Plain, 2, {false, true, false}}, {Blue, 2, {true, true, false}},
        {Green, 2, {false, true, true}},  {Blue, 4, {true, true, true}},
        {Green, 0, {true, true, true}},   {Blue, 0, {true, false, false}},
        {Green, 4, {false, false, true}},
    };
    for (const Case& c : cases) {
        for (std::int32_t lane : {0, 32}) {
            for (int a = 0; a < 3; ++a) {
                SCOPED_TRACE(::testing::Message()
                             << "kind " << c.kind << " at " << c.obstacleAltitude << ", craft at "
                             << 2 * a << " in lane " << lane);
                quietLevel({at(498, 0, c.obstacleAltitude, c.kind)});
                gameState.playerAltitude = 2 * a;
                gameState.playerLane = lane;
                tickWorld();
                EXPECT_EQ(gameState.crashed, lane == 0 && c.hitsAt[a]);
            }
        }
    }
}

TEST_F(WorldTickTest, TheRuleIsTestedAfreshInEveryWindowTick) {
    gameState.playerLane = 32;
    gameState.obstacles = {at(470)};
    for (int i = 0; i < 20; ++i) {
        tickWorld();
    }
    ASSERT_FALSE(gameState.crashed);
    gameState.playerLane = 0;  // moved into its way late in the window
    tickWorld();
    EXPECT_TRUE(gameState.crashed);
}

TEST_F(WorldTickTest, RemovalDuringTheWalkKeepsTheOthersInOrder) {
    const Obstacle hit = at(470);  // moves into the window in the craft's way
    const Obstacle gone = at(600, 32);
    const Obstacle a = at(100, 32);
    const Obstacle b = at(200, -32);
    const std::vector<std::vector<Obstacle>> cases{
        {hit, a, b}, {a, gone, b}, {a, b, hit}, {hit, a, gone, b, hit}};
    for (const auto& before : cases) {
        quietLevel(before);
        tickWorld();
        EXPECT_EQ(obstacleYs(), (std::vector<std::int32_t>{102, 202}));
    }
    quietLevel({gone});
    tickWorld();
    EXPECT_TRUE(gameState.obstacles.empty());
}

TEST_F(WorldTickTest, AHitDuringThePauseRemovesTheObstacleAndKeepsTheTimer) {
    gameState.crashed = true;
    gameState.crashTimer = 40;
    gameState.obstacles = {at(498), at(500, 0, 2, Blue), at(300)};
    tickWorld();
    EXPECT_TRUE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 41);
    EXPECT_EQ(obstacleYs(), std::vector<std::int32_t>{302});
}

TEST_F(WorldTickTest, CrashTimeline) {
    gameState.levelIndex = 3;
    gameState.levelTick = 1000;
    gameState.playerLane = 32;
    gameState.playerAltitude = 4;
    gameState.obstacles = {at(498, 32, 4)};
    tickWorld();  // tick N: the hit
    ASSERT_TRUE(gameState.crashed);
    for (int i = 1; i <= 90; ++i) {
        tickWorld();
        ASSERT_TRUE(gameState.crashed);
        ASSERT_EQ(gameState.crashTimer, i);
    }
    EXPECT_EQ(gameState.levelTick, 1091);
    srand(1);
    gameState.levelTick = 1119;  // this tick's row is made, then thrown away
    tickWorld();                 // N+91: the restart
    EXPECT_EQ(stateLineFields(),
              "level=3 tick=0 crashed=0 timer=0 lane=0 alt=0 scroll=800 obstacles=0");
    tickWorld();  // N+92: the level again from its start
    EXPECT_EQ(gameState.levelTick, 1);
    EXPECT_EQ(gameState.scrollOffset, 2);
}

TEST_F(WorldTickTest, LevelEndNeverDuringACrash) {
    struct Case {
        std::int32_t tickBefore, crashTimer;
        bool crashed;
        std::uint32_t levelAfter;
        std::int32_t tickAfter;
    };
    const std::vector<Case> cases{
        {2219, 0, false, 2, 2220}, {2220, 0, false, 3, 0}, {2220, 0, true, 2, 2221},
        {2300, 89, true, 2, 2301}, {2300, 90, true, 2, 0},  // restarted, not ended
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tickBefore);
        quietLevel({at(100, -32)});
        gameState.levelIndex = 2;
        gameState.levelTick = c.tickBefore;
        gameState.crashed = c.crashed;
        gameState.crashTimer = c.crashTimer;
        gameState.playerLane = 32;
        gameState.scrollOffset = 400;
        tickWorld();
        EXPECT_EQ(gameState.levelIndex, c.levelAfter);
        EXPECT_EQ(gameState.levelTick, c.tickAfter);
        if (c.levelAfter == 3) {  // the craft and the ground carry over
            EXPECT_TRUE(gameState.obstacles.empty());
            EXPECT_EQ(gameState.playerLane, 32);
            EXPECT_EQ(gameState.scrollOffset, 402);
        }
    }
}

TEST_F(WorldTickTest, TheCruiseBeginsInTheFrameTheLastLevelEnds) {
    gameState.levelIndex = 5;
    gameState.levelTick = 2220;
    advanceFrame();
    EXPECT_EQ(gameState.levelIndex, 6u);
    EXPECT_TRUE(gameState.won);
    const std::int32_t scroll = gameState.scrollOffset;
    srand(5);
    for (int i = 0; i < 1000; ++i) {
        advanceFrame();
        ASSERT_EQ(gameState.levelTick, 0);
        ASSERT_TRUE(gameState.obstacles.empty());
    }
    EXPECT_EQ(gameState.scrollOffset, (scroll + 2000) % 800);
    EXPECT_EQ(randomState(), 5u);
}

TEST_F(WorldTickTest, CaptionRule) {
    for (auto [level, row, won] : std::vector<std::tuple<std::uint32_t, std::uint32_t, bool>>{
             {0, 0, false}, {5, 5, false}, {6, 6, true}, {9, 6, true}}) {
        resetGame();
        gameState.levelIndex = level;
        EXPECT_EQ(chooseCaption(), row);
        EXPECT_EQ(gameState.won, won);
    }
    for (auto [tick, showing] :
         std::vector<std::pair<std::int32_t, bool>>{{0, true}, {239, true}, {240, false}}) {
        gameState.levelTick = tick;
        EXPECT_EQ(captionShowing(), showing) << tick;
    }
}

TEST_F(WorldTickTest, MakeObstacleReducesTheLaneIndex) {
    EXPECT_EQ(makeObstacle(0, 1, 0), (Obstacle{0, -50, -32, 1}));
    EXPECT_EQ(makeObstacle(2, 3, 2), (Obstacle{4, -50, 32, 3}));
    EXPECT_EQ(makeObstacle(3, 2, 1), (Obstacle{2, -50, -32, 2}));
    EXPECT_EQ(makeObstacle(4, 1, 1), (Obstacle{2, -50, 0, 1}));
}

TEST_F(WorldTickTest, AWholeLevelNeedsNoMoreRoomThanTheListStartsWith) {
    const std::size_t capacity = gameState.obstacles.capacity();
    gameState.levelIndex = 4;  // level 5 keeps the most obstacles in flight
    gameState.levelTick = 0;
    gameState.playerLane = 99;
    for (int i = 0; i < 2221; ++i) {
        tickWorld();
    }
    EXPECT_EQ(gameState.levelIndex, 5u);
    EXPECT_EQ(gameState.obstacles.capacity(), capacity);
}

}  // namespace
}  // namespace zephlet
