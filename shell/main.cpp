// The client: everything happens in KORAXMAIN, which also turns fatal errors into
// their exit code.
#include "shell/korax.h"

int main(int argc, char** argv) { return korax::KORAXMAIN(argc, argv); }
