// Shared between the adviser's units, not for screens.
#pragma once

namespace korax {

// The figure's button (click window 26, the tip cycle) with the count of tips.
void TIPSBUTTON();

}  // namespace korax
