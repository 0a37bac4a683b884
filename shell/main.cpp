// Entry point: the start-up, menu loop and stop live in korax.cpp; this only
// turns a fatal error into its exit code.
#include <cstdio>

#include "shell/types.h"

int main(int, char**) {
    try {
        return 0;
    } catch (const korax::FatalError& e) {
        std::fprintf(stderr, "Error %d: %s\n", e.nr, e.text.c_str());
        return korax::ERROR_EXITCODE(e.nr);
    }
}
