// The screens of the messages between trainers: reading (menu code 113, also
// after an import) and writing (menu code 112).
#pragma once

namespace korax {

// The message shown when the reading screen was last left (0 at start).
extern int LESEPTR;

void LESEN();
void SCHREIBEN();

}  // namespace korax
