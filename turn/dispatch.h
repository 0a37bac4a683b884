// The dispatch screen (menu code 128): the turn deadline, the addresses, the
// mail settings, automatic dispatch on or off, the last log and sending at once.
#pragma once

namespace korax {

void ZAT();

}  // namespace korax
