#include "game/level_scripts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/world_tick.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class LevelScriptsTest : public GameTest {
  protected:
    // The row made at this tick from this random state, and the draws it took.
    static std::vector<Obstacle> rowFrom(std::uint32_t seed, std::uint32_t levelIndex,
                                         std::int32_t tick, int* draws = nullptr) {
        gameState.obstacles.clear();
        gameState.levelIndex = levelIndex;
        gameState.levelTick = tick;
        srand(seed);
        spawnObstacles();
        if (draws != nullptr) {
            const std::uint32_t after = randomState();
            srand(seed);
            for (*draws = 0; randomState() != after && *draws < 10; ++*draws) {
                rand();
            }
        }
        return gameState.obstacles;
    }
};

TEST_F(LevelScriptsTest, FirstDrawsFromStateOne) {
    srand(1);
    for (std::int32_t value : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(rand(), value);
    }
}

TEST_F(LevelScriptsTest, RowsFromStateOne) {
    struct Case {
        std::uint32_t levelIndex;
        std::int32_t tick;
        std::vector<Obstacle> row;  // y is -50: spawning does not move
        int draws;
    };
    const std::vector<Case> cases{
        {0, 90, {{4, -50, 32, Plain}, {2, -50, -32, Plain}}, 4},
        {1, 90, {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}}, 3},
        {2, 80, {{4, -50, -32, Plain}, {2, -50, 0, Blue}, {2, -50, 32, Plain}}, 6},
        {3, 70, {{4, -50, 32, Plain}, {2, -50, 0, Blue}, {4, -50, -32, Green}}, 5},
        {4, 72, {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}}, 3},
        {5, 60, {{0, -50, -32, Green}, {4, -50, 0, Blue}, {2, -50, 32, Blue}}, 4},
    };
    for (const Case& c : cases) {
        int draws = 0;
        EXPECT_EQ(rowFrom(1, c.levelIndex, c.tick, &draws), c.row) << c.levelIndex;
        EXPECT_EQ(draws, c.draws) << c.levelIndex;
    }
}

TEST_F(LevelScriptsTest, RhythmsOverAWholeLevel) {
    struct Case {
        std::uint32_t levelIndex;
        std::vector<std::int32_t> firstTicks;
        std::int32_t last;
        std::size_t rows;
    };
    const std::vector<Case> cases{
        {0, {90, 180}, 1800, 20}, {1, {90, 180}, 1800, 20},          {2, {80, 160}, 1760, 22},
        {3, {70, 140}, 1750, 25}, {4, {72, 90, 162, 180}, 1800, 40}, {5, {60, 120}, 1800, 30},
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> ticks;
        for (std::int32_t tick = 1; tick <= 2300; ++tick) {
            if (!rowFrom(tick, c.levelIndex, tick).empty()) {
                ticks.push_back(tick);
            }
        }
        ASSERT_EQ(ticks.size(), c.rows) << c.levelIndex;
        EXPECT_TRUE(std::equal(c.firstTicks.begin(), c.firstTicks.end(), ticks.begin()));
        EXPECT_EQ(ticks.back(), c.last) << c.levelIndex;
    }
}

TEST_F(LevelScriptsTest, NoRowMeansNoDraw) {
    const std::vector<std::pair<std::uint32_t, std::int32_t>> cases{
        {0, 89}, {0, 1801}, {1, 1890}, {4, 18}, {4, 54}, {4, 1872}, {5, 1860}, {6, 0}, {7, 60}};
    for (auto [levelIndex, tick] : cases) {
        int draws = -1;
        EXPECT_TRUE(rowFrom(12345, levelIndex, tick, &draws).empty()) << levelIndex << " " << tick;
        EXPECT_EQ(draws, 0) << levelIndex << " " << tick;
    }
}

TEST_F(LevelScriptsTest, LevelThreeNeverHoldsThreeBlue) {
    int rowsWithTwoBlueFirst = 0;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        int draws = 0;
        std::vector<Obstacle> row = rowFrom(seed, 2, 80, &draws);
        ASSERT_EQ(row.size(), 3u);
        const bool firstTwoBlue = row[0].kind == Blue && row[1].kind == Blue;
        rowsWithTwoBlueFirst += firstTwoBlue ? 1 : 0;
        EXPECT_EQ(draws, firstTwoBlue ? 5 : 6) << seed;
        if (firstTwoBlue) {
            EXPECT_EQ(row[2].kind, Plain) << seed;
        }
    }
    EXPECT_GT(rowsWithTwoBlueFirst, 0);
}

TEST_F(LevelScriptsTest, LevelFourLanesFollowThePlainLane) {
    // plain lane -> blue and green lanes, as offsets: 0 -> 1, 2; 1 -> 0, 2; 2 -> 1, 0
    const std::int32_t blueFor[3] = {0, -32, 0};
    const std::int32_t greenFor[3] = {32, 32, -32};
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        std::vector<Obstacle> row = rowFrom(seed, 3, 70);
        ASSERT_EQ(row.size(), 3u);
        const int plainLane = (row[0].lane + 32) / 32;
        EXPECT_EQ(row[1].lane, blueFor[plainLane]) << seed;
        EXPECT_EQ(row[2].lane, greenFor[plainLane]) << seed;
    }
}

TEST_F(LevelScriptsTest, LevelSixLeavesExactlyOneWayThrough) {
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        std::vector<Obstacle> row = rowFrom(seed, 5, 60);
        int ways = 0;
        for (std::int32_t lane : {-32, 0, 32}) {
            for (std::int32_t altitude : {0, 2, 4}) {
                bool blocked = false;
                for (const Obstacle& o : row) {
                    blocked = blocked || (o.lane == lane && hitsCraftAt(o, altitude));
                }
                ways += blocked ? 0 : 1;
            }
        }
        EXPECT_EQ(ways, 1) << seed;
    }
}

TEST_F(LevelScriptsTest, TheRunsFirstTickDrawsNothing) {
    srand(777);
    tickWorld();
    EXPECT_EQ(gameState.levelTick, 1);
    EXPECT_TRUE(gameState.obstacles.empty());
    EXPECT_EQ(randomState(), 777u);
}

}  // namespace
}  // namespace zephlet
