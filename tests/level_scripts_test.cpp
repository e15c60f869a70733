#include "game/level_scripts.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class LevelScriptsTest : public GameTest {};

// The row made at this tick from this random state, and the draws it took.
std::vector<Obstacle> rowFrom(std::uint32_t seed, std::uint32_t levelIndex, std::int32_t tick,
                              int& draws) {
    setState({.levelIndex = levelIndex, .levelTick = tick});
    srand(seed);
    spawnObstacles();
    const std::uint32_t after = randomState();
    srand(seed);
    for (draws = 0; randomState() != after && draws < 10; ++draws) {
        rand();
    }
    return gameState.obstacles;
}

// From state 1 (whose first draws are 41, 18467, 6334, 26500, 19169), and from
// state 14: level 1's single obstacle, level 3's two blue first (no third
// parity draw), level 4's plain lane 0, level 6's open lane green.
TEST_F(LevelScriptsTest, Rows) {
    const struct {
        std::uint32_t seed, levelIndex;
        std::int32_t tick;
        std::vector<Obstacle> row;
        int draws;
    } cases[] = {
        {1, 0, 90, {{4, -50, 32, Plain}, {2, -50, -32, Plain}}, 4},
        {14, 0, 90, {{4, -50, -32, Plain}}, 3},
        {1, 1, 90, {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}}, 3},
        {1, 2, 80, {{4, -50, -32, Plain}, {2, -50, 0, Blue}, {2, -50, 32, Plain}}, 6},
        {14, 2, 80, {{4, -50, -32, Blue}, {0, -50, 0, Blue}, {4, -50, 32, Plain}}, 5},
        {1, 3, 70, {{4, -50, 32, Plain}, {2, -50, 0, Blue}, {4, -50, -32, Green}}, 5},
        {14, 3, 70, {{4, -50, -32, Plain}, {0, -50, 0, Blue}, {4, -50, 32, Green}}, 5},
        {1, 4, 72, {{4, -50, -32, Plain}, {4, -50, 0, Plain}, {2, -50, 32, Plain}}, 3},
        {1, 5, 60, {{0, -50, -32, Green}, {4, -50, 0, Blue}, {2, -50, 32, Blue}}, 4},
        {14, 5, 60, {{2, -50, -32, Green}, {4, -50, 0, Blue}, {0, -50, 32, Green}}, 4},
    };
    for (const auto& c : cases) {
        int draws = 0;
        EXPECT_EQ(rowFrom(c.seed, c.levelIndex, c.tick, draws), c.row) << c.levelIndex;
        EXPECT_EQ(draws, c.draws) << c.seed << " " << c.levelIndex;
    }
}

// Every tick of a level: the ticks that make a row; the others draw nothing.
TEST_F(LevelScriptsTest, Rhythms) {
    const struct {
        std::uint32_t levelIndex;
        std::vector<std::int32_t> first;
        std::int32_t last;
        std::size_t rows;
    } cases[] = {
        {0, {90, 180}, 1800, 20},
        {1, {90, 180}, 1800, 20},
        {2, {80, 160}, 1760, 22},
        {3, {70, 140}, 1750, 25},
        {4, {72, 90, 162, 180}, 1800, 40},
        {5, {60, 120}, 1800, 30},
        {6, {}, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::int32_t> ticks;
        for (std::int32_t tick = 1; tick <= 2221; ++tick) {
            int draws = 0;
            if (!rowFrom(tick, c.levelIndex, tick, draws).empty()) {
                ticks.push_back(tick);
            } else {
                EXPECT_EQ(draws, 0) << c.levelIndex << " " << tick;
            }
        }
        ASSERT_EQ(ticks.size(), c.rows) << c.levelIndex;
        if (c.rows != 0) {
            EXPECT_EQ(std::vector(ticks.begin(), ticks.begin() + c.first.size()), c.first);
            EXPECT_EQ(ticks.back(), c.last) << c.levelIndex;
        }
    }
}

}  // namespace
}  // namespace zephlet
