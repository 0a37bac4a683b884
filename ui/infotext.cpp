#include "ui/infotext.h"

#include "base/types.h"
#include "graph/htime.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

void INFOTEXT(const std::string& s) {
    if (ADVISER.silence) ADVISER.silence();
    CLEAROBERFLAECHE();
    FENSTER(10, XMC - 250, 182, XMC + 250, 232, s, -1);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) DELAY(10);
    }
    // "R" leaves like Escape; in the menu loop it would end the program.
    if (KEY == 'R') KEY = 27;
}

}  // namespace korax
