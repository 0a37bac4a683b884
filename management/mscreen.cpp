#include "management/mscreen.h"

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_types.h"
#include "graph/emugraph.h"

namespace korax {

void LEAVESCREEN(int screen, bool changed) {
    // In the menu loop "R" would be taken for a menu code.
    if (KEY == 'R') KEY = 27;
    if (!changed) return;
    WRITETEAM(NUMMER, TEAM);
    TIPCHANGED(screen);
}

void PICTURE(int x, int y, const std::string& name) { ELOADPCX(name, x, y); }

}  // namespace korax
