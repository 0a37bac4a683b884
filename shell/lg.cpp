#include "shell/lg.h"

namespace korax {

std::array<STRING70, 701> L{};

}  // namespace korax
