#include "results/zipper_dialog.h"

#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

std::string ZIPPERDIALOG(bool first, const std::string& prompt) {
    if (first) {
        EHIDEMOUSE();
        INITOBERFLAECHE(1);
    }
    int cx = EGETMAXX() / 2;
    int cy = EGETMAXY() / 2 + 100;
    FELD3D(cx - 130, cy - 130, cx + 130, cy - 90, 0, 7);
    ESETCOLOR(15);
    EOUTTEXTXY(cx - 120, cy - 110, prompt);
    std::string pw;
    GREADLN(cx - 120 + ETEXTWIDTH(prompt) + 8, cy - 110, 15, 7, 10, 8, pw);
    return pw;
}

void ZIPPERMESSAGE(const std::string& text) { MELDUNG(text); }

}  // namespace korax
