// The mouse as the screens see it: button bits 1 (left) and 2 (right), the
// position clamped into a border, a shown/hidden flag and cursor shapes.
#pragma once

namespace korax {

// The cursor is "shown" for the screens' bookkeeping; the system cursor stays visible.
extern bool MAUSISTAN;
// The mouse border: x from MOUSEBORDER_X1 to _X2, y from _Y1 to _Y2 (initially 0..4000).
extern int MOUSEBORDER_X1, MOUSEBORDER_X2, MOUSEBORDER_Y1, MOUSEBORDER_Y2;

enum MOUSESHAPE_KIND { MOUSESHAPE_NORMAL, MOUSESHAPE_WAIT, MOUSESHAPE_DRAG, MOUSESHAPE_POSITION,
                       MOUSESHAPE_STOP, MOUSESHAPE_CROSS };
// The cursor shape chosen last.
extern MOUSESHAPE_KIND MOUSESHAPE;

// Resets the state above to its start values.
void EMUMOUSE_init();

// buttons: 1 when the left button is down, plus 2 when the right one is; x and y the
// current position clamped into the border.
void EMOUSESTAT(int& buttons, int& x, int& y);
void EMOUSEPOS(int x, int y);
void EMOUSEBORDER(int x1, int y1, int x2, int y2);
void ESHOWMOUSE();
void EHIDEMOUSE();
void ERESETMOUSE();

// Cursor shapes: normal, wait, drag, position, stop, cross; and the initialisation.
void ESETSMOUSE();
void ESETHMOUSE();
void ESETDRAGMOUSE();
void ESETPOSMOUSE();
void ESETSTOPMOUSE();
void ESETCMOUSE();
void EINITMOUSE();

}  // namespace korax
