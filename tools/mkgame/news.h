// Further news of a match day: a page of every picture directive and a long
// category that runs over two pages.
#pragma once

#include <string>
#include <vector>

namespace mkgame {

// Appends the categories to the lines of a day's news (lines of at most 50
// characters); `team` is the trainer's team, `day` the match day.
void MORENEWS(std::vector<std::string>& lines, int team, int day);

}  // namespace mkgame
