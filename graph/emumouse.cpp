#include "graph/emumouse.h"

#include "graph/events.h"
#include "graph/sdl_input.h"

namespace korax {

bool MAUSISTAN = false;
int MOUSEBORDER_X1 = 0, MOUSEBORDER_X2 = 4000, MOUSEBORDER_Y1 = 0, MOUSEBORDER_Y2 = 4000;
MOUSESHAPE_KIND MOUSESHAPE = MOUSESHAPE_NORMAL;

namespace {

// Lower bound first, then the upper one: a reversed border ends at its upper value.
int into(int v, int lo, int hi) {
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return v;
}

void shape(MOUSESHAPE_KIND s) {
    MOUSESHAPE = s;
    REQUEST_MOUSE_CURSOR(s);
}

}  // namespace

void EMUMOUSE_init() {
    MAUSISTAN = false;
    MOUSEBORDER_X1 = 0;
    MOUSEBORDER_X2 = 4000;
    MOUSEBORDER_Y1 = 0;
    MOUSEBORDER_Y2 = 4000;
    MOUSESHAPE = MOUSESHAPE_NORMAL;
}

void EMOUSESTAT(int& buttons, int& x, int& y) {
    std::uint16_t b, mx, my;
    GETMOUSESTATE(b, mx, my);
    buttons = ((b & MOUSE_LEFT) ? 1 : 0) + ((b & MOUSE_RIGHT) ? 2 : 0);
    x = into(mx, MOUSEBORDER_X1, MOUSEBORDER_X2);
    y = into(my, MOUSEBORDER_Y1, MOUSEBORDER_Y2);
}

void EMOUSEPOS(int x, int y) { SETMOUSEXY(x, y); }

void EMOUSEBORDER(int x1, int y1, int x2, int y2) {
    MOUSEBORDER_X1 = x1;
    MOUSEBORDER_X2 = x2;
    MOUSEBORDER_Y1 = y1;
    MOUSEBORDER_Y2 = y2;
}

void ESHOWMOUSE() { MAUSISTAN = true; }
void EHIDEMOUSE() { MAUSISTAN = false; }
void ERESETMOUSE() { MAUSISTAN = false; }

void ESETSMOUSE() { shape(MOUSESHAPE_NORMAL); }
void ESETHMOUSE() { shape(MOUSESHAPE_WAIT); }
void ESETDRAGMOUSE() { shape(MOUSESHAPE_DRAG); }
void ESETPOSMOUSE() { shape(MOUSESHAPE_POSITION); }
void ESETSTOPMOUSE() { shape(MOUSESHAPE_STOP); }
void ESETCMOUSE() { shape(MOUSESHAPE_CROSS); }
void EINITMOUSE() { shape(MOUSESHAPE_NORMAL); }

}  // namespace korax
