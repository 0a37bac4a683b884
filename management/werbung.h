// Advertising (119): the league's ten contracts and the trainer's two applications.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

// Advertiser names of NOTION.CFG, name line n at index n - 1: line ends LF or
// CR LF, each name cut to 20 characters, at most 255 lines (a contract numbers its
// advertiser by a byte).
std::vector<std::string> PARSENOTION(std::string_view text);
// Reads NOTION.CFG of the current directory: error 1 when it cannot be opened, 2
// when it cannot be read.
std::vector<std::string> READNOTION();
// The name of advertiser line n; empty outside the list.
std::string NOTIONNAME(const std::vector<std::string>& names, int n);

// A contract held by a team (any non-zero TEAM, also one outside 1..10).
bool WERBHELD(const WERBREC& w);
// Drops applications that name a held contract or none of 1..10; true when one
// was dropped.
bool WERBCLEAN(TEAMREC& t, const GENTYPE& g);
// Key w (1..10) on a contract: a free one is applied for or withdrawn, a third
// application replaces the second; held contracts do nothing. True when changed.
bool WERBKEY(TEAMREC& t, const GENTYPE& g, int w);

void WERBUNG();

}  // namespace korax
