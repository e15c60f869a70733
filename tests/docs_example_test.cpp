// The tools page's example run of the replay driver: its script and the
// state line it shows, read from the page itself, so that the two cannot
// drift apart.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "game/game_state.h"
#include "tools/replay/replay_script.h"

namespace zephlet {
namespace {

TEST(DocsExample, TheReplayDriverPrintsTheLineTheToolsPageShows) {
    std::ifstream page(ZEPHLET_TOOLS_PAGE);
    ASSERT_TRUE(page) << ZEPHLET_TOOLS_PAGE;
    // printf '<script>' | <path>/zephlet-replay, then "# <state line>".
    const std::regex example(R"(\nprintf '([^']*)' \| \S*zephlet-replay\n# (level=[^\n]*)\n)");
    const std::string pageText{std::istreambuf_iterator<char>(page), {}};
    std::smatch found;
    ASSERT_TRUE(std::regex_search(pageText, found, example)) << "no example run on the page";
    const std::string script = std::regex_replace(found[1].str(), std::regex(R"(\\n)"), "\n");

    resetGame();
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(runReplay(in, out, err, {}), 0) << err.str();
    EXPECT_EQ(out.str(), found[2].str() + "\n");
}

}  // namespace
}  // namespace zephlet
