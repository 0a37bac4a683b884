// Turns the window's SDL events into the key and mouse rings.
#pragma once

#include <SDL2/SDL_events.h>

namespace korax {

// Called by the window thread for every event it pumps.
void HANDLE_SDL_EVENT(const SDL_Event& e);

}  // namespace korax
