// The line-up of the league team (menu code 102) and of the friendly (117).
#pragma once

#include <string>

namespace korax {

void AUFSTELLUNG(bool sparr);
// Copies the tactics of one team of a recorded match file into TAKTIK, or into
// SPARRTAKTIK when sparr; false when the file cannot serve.
bool IMPORTSCHEMA(const std::string& name, bool sparr);
// Draws the pitch and sets XS1..YS2 (management/formation.h).
void WRITESPIELFELD();
// The pitch with the five positions of TEAM as the screen shows them.
void DRAWLINEUPPITCH(bool sparr);
// The five race windows of the friendly's line-up.
void SPARRLEISTE();

}  // namespace korax
