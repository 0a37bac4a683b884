// A value in a narrow column of the squad lists.
#pragma once

#include <string>

namespace korax {

// "max" for 100, otherwise the number.
inline std::string WW10(int n) { return n == 100 ? std::string("max") : std::to_string(n); }

}  // namespace korax
