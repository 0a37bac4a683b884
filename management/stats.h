// Looking back over the season and closing it: statistics (114), history (107)
// and, on the last match day, the season end's keep decisions (104).
#pragma once

namespace korax {

void STATISTIK();
void HISTORIE();
void SAISONENDE();

// The chart frame with its axes and match days, and one line per shown team in its
// colour: kind 2 table places, kind 1 strengths between lo and hi.
void RASTER(int lo, int hi, int kind);

// Reads the own history file (created empty when missing) into LISTE; a longer
// file keeps its newest lines. Returns LISTENANZ.
int LADEHISTORIE();

}  // namespace korax
