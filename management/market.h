// The slave market (menu code 104 before the last match day): bids for the
// offered slaves and the transfer decisions on the own squad, and the chooser of
// a transfer's destination.
#pragma once

#include <string>

#include "management/marketrules.h"

namespace korax {

void SKLAVENMARKT();
// Fills the screen's working data from GEN and lays out the cards.
void SETSKLAVEN();
// Destination of a player: team 1..10, -1 release, -3 offer for a price, 0 cancelled.
int WAEHLETEAM(const std::string& name);

// The screen's working data as SETSKLAVEN left them.
extern SKLAVENMARKTDATEN MARKT;

}  // namespace korax
