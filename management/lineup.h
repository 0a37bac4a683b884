// The line-up of the league team (menu code 102) and of the friendly (117).
#pragma once

#include <string>

namespace korax {

void AUFSTELLUNG(bool sparr);
// Copies the tactics of the own team in a recorded match file into TAKTIK, or into
// SPARRTAKTIK when sparr; false when the file cannot serve.
bool IMPORTSCHEMA(const std::string& name, bool sparr);

}  // namespace korax
