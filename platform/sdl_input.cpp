#include "platform/sdl_input.h"

namespace korax {

void HANDLE_SDL_EVENT(const SDL_Event&) {}

}  // namespace korax
