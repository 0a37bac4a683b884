// The language text table: L[n], n = 0..700, loaded from the language file.
#pragma once

#include <array>

#include "shell/types.h"

namespace korax {

using STRING70 = PSTRING<70>;
extern std::array<STRING70, 701> L;

}  // namespace korax
