#include "management/mscreen.h"

#include "base/types.h"
#include "data/g_types.h"
#include "graph/emugraph.h"

namespace korax {

bool pending_TIPCHECK(int) { return false; }
void pending_SCREENLESETIPS() {}

void LEAVESCREEN(int screen, bool changed) {
    // In the menu loop "R" would be taken for a menu code.
    if (KEY == 'R') KEY = 27;
    if (!changed) return;
    WRITETEAM(NUMMER, TEAM);
    if (pending_TIPCHECK(screen)) pending_SCREENLESETIPS();
}

void PICTURE(int x, int y, const std::string& name) { ELOADPCX(name, x, y); }

}  // namespace korax
