#include "shell/types.h"

namespace korax {

void ERROR(int nr, const std::string& text) { throw FatalError(nr, text); }

int ERROR_EXITCODE(int nr) {
    int code = nr & 0xFF;
    return code == 0 ? 99 : code;
}

}  // namespace korax
