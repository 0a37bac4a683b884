#include "management/lineup.h"

namespace korax {

void AUFSTELLUNG(bool) {}

bool IMPORTSCHEMA(const std::string&, bool) { return false; }

}  // namespace korax
