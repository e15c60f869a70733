#include "game/world_tick.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/caption_rule.h"
#include "game/level_scripts.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class WorldTickTest : public GameTest {
  protected:
    // Keeps the level script quiet: level 1 makes no row before tick 90.
    void SetUp() override {
        GameTest::SetUp();
        gameState.levelTick = 1;
    }
    static Obstacle at(std::int32_t y, std::int32_t lane = 0, std::int32_t altitude = 0,
                       std::int32_t kind = Plain) {
        return Obstacle{altitude, y, lane, kind};
    }
};

TEST_F(WorldTickTest, FirstTickAfterProgramStart) {
    resetGame();
    tickWorld();
    EXPECT_EQ(gameState.scrollOffset, 2);
    EXPECT_EQ(gameState.levelTick, 1);
}

TEST_F(WorldTickTest, ScrollWrapsBelowEightHundred) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases{
        {800, 2}, {0, 2}, {796, 798}, {798, 0}};
    for (auto [before, after] : cases) {
        gameState.scrollOffset = before;
        tickWorld();
        EXPECT_EQ(gameState.scrollOffset, after) << before;
    }
}

TEST_F(WorldTickTest, HitWindowEdges) {
    const std::vector<std::pair<std::int32_t, bool>> cases{{470, false}, {471, true}, {472, true},
                                                           {528, true},  {529, true}, {530, false}};
    for (auto [y, inside] : cases) {
        EXPECT_EQ(inHitWindow(y), inside) << y;
    }
}

TEST_F(WorldTickTest, ObstacleMovingIntoTheWindowEdgesInTheCraftsWay) {
    // The y before the tick; the tick moves it by 2 first.
    const std::vector<std::pair<std::int32_t, bool>> cases{
        {468, false}, {470, true}, {526, true}, {528, false}};
    for (auto [yBefore, hits] : cases) {
        resetGame();
        gameState.levelTick = 1;
        gameState.obstacles = {at(yBefore)};
        tickWorld();
        EXPECT_EQ(gameState.crashed, hits) << yBefore;
        EXPECT_EQ(gameState.obstacles.size(), hits ? 0u : 1u) << yBefore;
    }
}

TEST_F(WorldTickTest, HitTable) {
    struct Case {
        std::int32_t kind;
        std::int32_t obstacleAltitude;
        std::int32_t craftAltitude;
        bool hits;
    };
    const std::vector<Case> cases{
        // plain: only at its own altitude
        {Plain, 2, 0, false},
        {Plain, 2, 2, true},
        {Plain, 2, 4, false},
        // blue: not beneath it
        {Blue, 2, 0, true},
        {Blue, 2, 2, true},
        {Blue, 2, 4, false},
        // green: not above it
        {Green, 2, 0, false},
        {Green, 2, 2, true},
        {Green, 2, 4, true},
        // blue at the top and green at the bottom close their lane
        {Blue, 4, 0, true},
        {Blue, 4, 2, true},
        {Blue, 4, 4, true},
        {Green, 0, 0, true},
        {Green, 0, 2, true},
        {Green, 0, 4, true},
        // blue at the bottom and green at the top block their altitude only
        {Blue, 0, 0, true},
        {Blue, 0, 2, false},
        {Blue, 0, 4, false},
        {Green, 4, 0, false},
        {Green, 4, 2, false},
        {Green, 4, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " at " << c.obstacleAltitude
                                          << ", craft at " << c.craftAltitude);
        resetGame();
        gameState.levelTick = 1;
        gameState.playerAltitude = c.craftAltitude;
        gameState.obstacles = {at(498, 0, c.obstacleAltitude, c.kind)};
        tickWorld();
        EXPECT_EQ(gameState.crashed, c.hits);
        // Another lane never hits, whatever the kind.
        resetGame();
        gameState.levelTick = 1;
        gameState.playerAltitude = c.craftAltitude;
        gameState.playerLane = 32;
        gameState.obstacles = {at(498, 0, c.obstacleAltitude, c.kind)};
        tickWorld();
        EXPECT_FALSE(gameState.crashed);
    }
}

TEST_F(WorldTickTest, CraftMovingIntoTheWayLateInTheWindowIsHit) {
    gameState.playerLane = 32;
    gameState.obstacles = {at(470)};
    for (int i = 0; i < 20; ++i) {
        tickWorld();
    }
    ASSERT_FALSE(gameState.crashed);
    gameState.playerLane = 0;
    tickWorld();
    EXPECT_TRUE(gameState.crashed);
}

TEST_F(WorldTickTest, LeavingThePicture) {
    gameState.obstacles = {at(598), at(600, -32)};
    tickWorld();
    ASSERT_EQ(gameState.obstacles.size(), 1u);
    EXPECT_EQ(gameState.obstacles[0].y, 600);
    tickWorld();
    EXPECT_TRUE(gameState.obstacles.empty());
}

TEST_F(WorldTickTest, AnObstacleThatNeverHitsIsDrawnIn325FramesAndGoneInIts326thTick) {
    gameState.levelTick = 89;
    tickWorld();  // tick 90 makes level 1's first row
    ASSERT_FALSE(gameState.obstacles.empty());
    EXPECT_EQ(gameState.obstacles.front().y, -48);
    gameState.playerLane = 99;  // out of every lane's way
    int ticksAlive = 1;
    while (!gameState.obstacles.empty() && gameState.obstacles.front().y != 600) {
        tickWorld();
        ++ticksAlive;
    }
    EXPECT_EQ(ticksAlive, 325);
    tickWorld();
    EXPECT_TRUE(gameState.obstacles.empty() || gameState.obstacles.front().y != 602);
}

TEST_F(WorldTickTest, RemovalDuringTheWalkKeepsTheOthersInOrder) {
    // lane 0 is the craft's; y 470 moves into the window and hits.
    const Obstacle hit = at(470);
    const Obstacle gone = at(600, 32);
    const Obstacle stays1 = at(100, 32);
    const Obstacle stays2 = at(200, -32);
    struct Case {
        const char* name;
        std::vector<Obstacle> before;
        std::vector<std::int32_t> survivorsY;
    };
    const std::vector<Case> cases{
        {"first", {hit, stays1, stays2}, {102, 202}},
        {"middle", {stays1, gone, stays2}, {102, 202}},
        {"last", {stays1, stays2, hit}, {102, 202}},
        {"only", {gone}, {}},
        {"every other", {hit, stays1, gone, stays2, hit}, {102, 202}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetGame();
        gameState.levelTick = 1;
        gameState.obstacles = c.before;
        tickWorld();
        std::vector<std::int32_t> ys;
        for (const Obstacle& o : gameState.obstacles) {
            ys.push_back(o.y);
        }
        EXPECT_EQ(ys, c.survivorsY);
    }
}

TEST_F(WorldTickTest, TwoHitsInOneTickRemoveBoth) {
    gameState.obstacles = {at(498), at(500, 0, 2, Blue), at(300)};
    tickWorld();
    EXPECT_TRUE(gameState.crashed);
    ASSERT_EQ(gameState.obstacles.size(), 1u);
    EXPECT_EQ(gameState.obstacles[0].y, 302);
}

TEST_F(WorldTickTest, CrashTimeline) {
    gameState.levelIndex = 3;
    gameState.levelTick = 1000;
    gameState.playerLane = 32;
    gameState.playerAltitude = 4;
    gameState.obstacles = {at(498, 32, 4)};
    tickWorld();  // tick N: the hit
    ASSERT_TRUE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 0);
    for (int i = 1; i <= 90; ++i) {
        tickWorld();
        ASSERT_TRUE(gameState.crashed);
        ASSERT_EQ(gameState.crashTimer, i);
    }
    EXPECT_EQ(gameState.levelTick, 1091);
    tickWorld();  // N+91: the restart, which also drops this tick's row
    EXPECT_FALSE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 0);
    EXPECT_EQ(gameState.levelTick, 0);
    EXPECT_EQ(gameState.levelIndex, 3u);
    EXPECT_EQ(gameState.scrollOffset, 800);
    EXPECT_EQ(gameState.playerLane, 0);
    EXPECT_EQ(gameState.playerAltitude, 0);
    EXPECT_TRUE(gameState.obstacles.empty());
    tickWorld();  // N+92: the level again from its start
    EXPECT_EQ(gameState.levelTick, 1);
    EXPECT_EQ(gameState.scrollOffset, 2);
}

TEST_F(WorldTickTest, AHitDuringThePauseRemovesTheObstacleAndKeepsTheTimer) {
    gameState.crashed = true;
    gameState.crashTimer = 40;
    gameState.obstacles = {at(498), at(300)};
    tickWorld();
    EXPECT_TRUE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 41);
    ASSERT_EQ(gameState.obstacles.size(), 1u);
    EXPECT_EQ(gameState.obstacles[0].y, 302);
}

TEST_F(WorldTickTest, RowsKeepComingDuringThePause) {
    gameState.crashed = true;
    gameState.crashTimer = 10;
    gameState.levelTick = 89;
    srand(1);
    tickWorld();
    EXPECT_EQ(gameState.obstacles.size(), 2u);
}

TEST_F(WorldTickTest, LevelEnd) {
    struct Case {
        std::int32_t tickBefore;
        bool crashed;
        std::uint32_t levelAfter;
        std::int32_t tickAfter;
    };
    const std::vector<Case> cases{
        {2219, false, 2, 2220},
        {2220, false, 3, 0},
        {2220, true, 2, 2221},
        {2500, true, 2, 2501},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tickBefore);
        resetGame();
        gameState.levelIndex = 2;
        gameState.levelTick = c.tickBefore;
        gameState.crashed = c.crashed;
        gameState.playerLane = 32;
        gameState.playerAltitude = 4;
        gameState.scrollOffset = 400;
        gameState.obstacles = {at(100, -32)};
        tickWorld();
        EXPECT_EQ(gameState.levelIndex, c.levelAfter);
        EXPECT_EQ(gameState.levelTick, c.tickAfter);
        if (c.levelAfter == 3) {
            // The craft, the crash state and the ground carry over.
            EXPECT_TRUE(gameState.obstacles.empty());
            EXPECT_EQ(gameState.playerLane, 32);
            EXPECT_EQ(gameState.playerAltitude, 4);
            EXPECT_EQ(gameState.scrollOffset, 402);
        }
    }
}

TEST_F(WorldTickTest, ALevelPassingItsEndDuringThePauseIsRestarted) {
    gameState.levelIndex = 1;
    gameState.levelTick = 2200;
    gameState.crashed = true;
    gameState.crashTimer = 80;
    for (int i = 0; i < 10; ++i) {
        tickWorld();
    }
    EXPECT_EQ(gameState.levelTick, 2210);
    for (int i = 0; i < 20; ++i) {
        tickWorld();
    }
    EXPECT_EQ(gameState.levelIndex, 1u);
    EXPECT_FALSE(gameState.crashed);
    EXPECT_EQ(gameState.levelTick, 19);
}

TEST_F(WorldTickTest, TheCruiseBeginsInTheFrameTheLastLevelEnds) {
    gameState.levelIndex = 5;
    gameState.levelTick = 2220;
    advanceFrame();
    EXPECT_EQ(gameState.levelIndex, 6u);
    EXPECT_EQ(gameState.levelTick, 0);
    EXPECT_TRUE(gameState.won);
    std::int32_t scroll = gameState.scrollOffset;
    srand(5);
    for (int i = 0; i < 1000; ++i) {
        advanceFrame();
        ASSERT_EQ(gameState.levelTick, 0);
        ASSERT_TRUE(gameState.obstacles.empty());
    }
    EXPECT_EQ(gameState.scrollOffset, (scroll + 2000) % 800);
    EXPECT_EQ(randomState(), 5u);
    EXPECT_EQ(gameState.levelIndex, 6u);
}

TEST_F(WorldTickTest, CaptionRuleSetsWonOnlyForTheCongratulation) {
    struct Case {
        std::uint32_t levelIndex;
        std::uint32_t row;
        bool won;
    };
    const std::vector<Case> cases{{0, 0, false}, {5, 5, false}, {6, 6, true}, {9, 6, true}};
    for (const Case& c : cases) {
        resetGame();
        gameState.levelIndex = c.levelIndex;
        EXPECT_EQ(chooseCaption(), c.row);
        EXPECT_EQ(gameState.won, c.won);
    }
}

TEST_F(WorldTickTest, CaptionShowsDuringTheFirst240Ticks) {
    for (auto [tick, showing] : std::vector<std::pair<std::int32_t, bool>>{
             {0, true}, {239, true}, {240, false}, {2000, false}}) {
        gameState.levelTick = tick;
        EXPECT_EQ(captionShowing(), showing) << tick;
    }
}

TEST_F(WorldTickTest, RestartAndAdvanceChangeOnlyWhatTheyOwn) {
    gameState.levelIndex = 3;
    gameState.won = false;
    gameState.levelTick = 700;
    gameState.crashed = true;
    gameState.crashTimer = 91;
    gameState.playerLane = 32;
    gameState.playerAltitude = 4;
    gameState.scrollOffset = 120;
    gameState.obstacles = {at(1)};
    advanceLevel();
    EXPECT_EQ(gameState.levelIndex, 4u);
    EXPECT_EQ(gameState.levelTick, 0);
    EXPECT_TRUE(gameState.obstacles.empty());
    EXPECT_TRUE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 91);
    EXPECT_EQ(gameState.playerLane, 32);
    EXPECT_EQ(gameState.scrollOffset, 120);
    gameState.obstacles = {at(1)};
    restartLevel();
    EXPECT_EQ(gameState.levelIndex, 4u);
    EXPECT_FALSE(gameState.crashed);
    EXPECT_EQ(gameState.crashTimer, 0);
    EXPECT_EQ(gameState.playerLane, 0);
    EXPECT_EQ(gameState.playerAltitude, 0);
    EXPECT_EQ(gameState.scrollOffset, 800);
    EXPECT_TRUE(gameState.obstacles.empty());
}

TEST_F(WorldTickTest, MakeObstacleReducesTheLaneIndex) {
    struct Case {
        std::int32_t laneIndex, kind, altitudeIndex;
        Obstacle made;
    };
    const std::vector<Case> cases{
        {0, 1, 0, {0, -50, -32, 1}},
        {2, 3, 2, {4, -50, 32, 3}},
        {3, 2, 1, {2, -50, -32, 2}},
        {4, 1, 1, {2, -50, 0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(makeObstacle(c.laneIndex, c.kind, c.altitudeIndex), c.made) << c.laneIndex;
    }
}

TEST_F(WorldTickTest, ATickAllocatesNothingOnceTheListHasRoom) {
    // Over a whole level 5, the list never needs more room than it starts with.
    const std::size_t capacity = gameState.obstacles.capacity();
    gameState.levelIndex = 4;
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
