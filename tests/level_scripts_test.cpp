#include "game/level_scripts.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/world_tick.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class LevelScriptsTest : public GameTest {};

// The state the generator reaches after `draws` draws from state 1.
std::uint32_t stateAfterDraws(int draws) {
    srand(1);
    for (int i = 0; i < draws; ++i) {
        rand();
    }
    return randomState();
}

// One row from state 1 at the level's first row tick.
std::vector<Obstacle> firstRow(std::uint32_t levelIndex, std::int32_t rowTick) {
    gameState.levelIndex = levelIndex;
    gameState.levelTick = rowTick;
    srand(1);
    spawnObstacles();
    return gameState.obstacles;
}

TEST_F(LevelScriptsTest, FirstDrawsFromStateOne) {
    srand(1);
    const std::vector<std::int32_t> expected{41, 18467, 6334, 26500, 19169};
    for (std::int32_t value : expected) {
        EXPECT_EQ(rand(), value);
    }
}

TEST_F(LevelScriptsTest, DrawsStayInRangeAcrossTheWholeState) {
    srand(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        std::int32_t value = rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

struct RowCase {
    const char* name;
    std::uint32_t levelIndex;
    std::int32_t rowTick;
    std::vector<Obstacle> row;  // y is -50: spawning does not move
    int draws;
};

class RowFromStateOne : public LevelScriptsTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowFromStateOne, MakesTheRowAndDrawsExactly) {
    const RowCase& c = GetParam();
    EXPECT_EQ(firstRow(c.levelIndex, c.rowTick), c.row);
    EXPECT_EQ(randomState(), stateAfterDraws(c.draws));
}

INSTANTIATE_TEST_SUITE_P(
    Recipes, RowFromStateOne,
    ::testing::Values(
        RowCase{"Level1TwoPlain", 0, 90, {{4, -50, 32, Plain}, {2, -50, -32, Plain}}, 4},
        RowCase{"Level2FullRow",
                1,
                90,
                {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}},
                3},
        RowCase{"Level3AtMostTwoBlue",
                2,
                80,
                {{4, -50, -32, Plain}, {2, -50, 0, Blue}, {2, -50, 32, Plain}},
                6},
        RowCase{"Level4ThirdDrawThrownAway",
                3,
                70,
                {{4, -50, 32, Plain}, {2, -50, 0, Blue}, {4, -50, -32, Green}},
                5},
        RowCase{"Level5SameAsLevel2",
                4,
                72,
                {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}},
                3},
        RowCase{"Level6OneWayThrough",
                5,
                60,
                {{0, -50, -32, Green}, {4, -50, 0, Blue}, {2, -50, 32, Blue}},
                4}),
    [](const auto& param) { return param.param.name; });

// Rows made over a whole level played without a crash, by level tick.
std::vector<std::int32_t> rowTicks(std::uint32_t levelIndex) {
    std::vector<std::int32_t> ticks;
    for (std::int32_t tick = 1; tick <= 2300; ++tick) {
        gameState.obstacles.clear();
        gameState.levelIndex = levelIndex;
        gameState.levelTick = tick;
        spawnObstacles();
        if (!gameState.obstacles.empty()) {
            ticks.push_back(tick);
        }
    }
    return ticks;
}

struct RhythmCase {
    std::uint32_t levelIndex;
    std::size_t rows;
    std::int32_t first;
    std::int32_t second;
    std::int32_t last;
};

TEST_F(LevelScriptsTest, RhythmsOverAWholeLevel) {
    const std::vector<RhythmCase> cases{
        {0, 20, 90, 180, 1800}, {1, 20, 90, 180, 1800}, {2, 22, 80, 160, 1760},
        {3, 25, 70, 140, 1750}, {4, 40, 72, 90, 1800},  {5, 30, 60, 120, 1800},
    };
    for (const RhythmCase& c : cases) {
        SCOPED_TRACE(c.levelIndex);
        std::vector<std::int32_t> ticks = rowTicks(c.levelIndex);
        ASSERT_EQ(ticks.size(), c.rows);
        EXPECT_EQ(ticks[0], c.first);
        EXPECT_EQ(ticks[1], c.second);
        EXPECT_EQ(ticks.back(), c.last);
    }
}

TEST_F(LevelScriptsTest, LevelFiveComesInPairsEighteenTicksApart) {
    std::vector<std::int32_t> ticks = rowTicks(4);
    for (std::size_t i = 0; i + 1 < ticks.size(); i += 2) {
        EXPECT_EQ(ticks[i] + 18, ticks[i + 1]);
        EXPECT_EQ(ticks[i + 1] % 90, 0);
    }
    for (std::int32_t early : {18, 36, 54}) {
        EXPECT_FALSE(rowDue(4, early)) << early;
    }
}

TEST_F(LevelScriptsTest, NoRowLeavesTheRandomStateAlone) {
    struct Case {
        std::uint32_t levelIndex;
        std::int32_t levelTick;
    };
    const std::vector<Case> cases{
        {0, 1}, {0, 89}, {0, 1801}, {1, 1890}, {4, 1872}, {5, 1860}, {6, 0}, {6, 90}, {7, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.levelIndex << " at " << c.levelTick);
        srand(12345);
        gameState.levelIndex = c.levelIndex;
        gameState.levelTick = c.levelTick;
        spawnObstacles();
        EXPECT_TRUE(gameState.obstacles.empty());
        EXPECT_EQ(randomState(), 12345u);
    }
}

// Seeds a level 3 or level 4 row and returns how many draws it made.
int drawsForRow(std::uint32_t seed) {
    srand(seed);
    spawnObstacles();
    std::uint32_t after = randomState();
    srand(seed);
    for (int draws = 1; draws <= 8; ++draws) {
        rand();
        if (randomState() == after) {
            return draws;
        }
    }
    return -1;
}

TEST_F(LevelScriptsTest, LevelThreeNeverHoldsThreeBlue) {
    bool sawTwoBlueFirst = false;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        gameState.obstacles.clear();
        gameState.levelIndex = 2;
        gameState.levelTick = 80;
        int draws = drawsForRow(seed);
        const ObstacleList& row = gameState.obstacles;
        ASSERT_EQ(row.size(), 3u);
        int blue = 0;
        for (const Obstacle& o : row) {
            blue += o.kind == Blue ? 1 : 0;
        }
        ASSERT_LE(blue, 2) << seed;
        bool firstTwoBlue = row[0].kind == Blue && row[1].kind == Blue;
        EXPECT_EQ(draws, firstTwoBlue ? 5 : 6) << seed;
        if (firstTwoBlue) {
            sawTwoBlueFirst = true;
            EXPECT_EQ(row[2].kind, Plain);
        }
    }
    EXPECT_TRUE(sawTwoBlueFirst);
}

TEST_F(LevelScriptsTest, LevelFourLanesByPlainLane) {
    // plain lane -> {blue lane, green lane}, as lane offsets
    const std::int32_t blueFor[3] = {0, -32, 0};
    const std::int32_t greenFor[3] = {32, 32, -32};
    bool seen[3] = {false, false, false};
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        gameState.obstacles.clear();
        gameState.levelIndex = 3;
        gameState.levelTick = 70;
        srand(seed);
        spawnObstacles();
        const ObstacleList& row = gameState.obstacles;
        ASSERT_EQ(row.size(), 3u);
        int plainLane = (row[0].lane + 32) / 32;
        seen[plainLane] = true;
        EXPECT_EQ(row[0].kind, Plain);
        EXPECT_EQ(row[1].kind, Blue);
        EXPECT_EQ(row[2].kind, Green);
        EXPECT_EQ(row[1].lane, blueFor[plainLane]) << seed;
        EXPECT_EQ(row[2].lane, greenFor[plainLane]) << seed;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST_F(LevelScriptsTest, LevelSixHasExactlyOnePassableLaneAndAltitude) {
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        gameState.obstacles.clear();
        gameState.levelIndex = 5;
        gameState.levelTick = 60;
        srand(seed);
        spawnObstacles();
        int ways = 0;
        for (std::int32_t lane : {-32, 0, 32}) {
            for (std::int32_t altitude : {0, 2, 4}) {
                bool blocked = false;
                for (const Obstacle& o : gameState.obstacles) {
                    blocked = blocked || (o.lane == lane && hitsCraftAt(o, altitude));
                }
                ways += blocked ? 0 : 1;
            }
        }
        EXPECT_EQ(ways, 1) << seed;
    }
}

TEST_F(LevelScriptsTest, TheFirstTickOfALevelSeesOne) {
    // The run's first tick comes before the seeding: it must draw nothing.
    srand(777);
    tickWorld();
    EXPECT_EQ(gameState.levelTick, 1);
    EXPECT_TRUE(gameState.obstacles.empty());
    EXPECT_EQ(randomState(), 777u);
}

}  // namespace
}  // namespace zephlet
