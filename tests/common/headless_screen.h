// The headless screen the scripted screen tests run on: graph layer open in
// memory, empty input queues, no script, the mouse released at (0, 0), no click
// windows; and its orderly close.
#pragma once

#include <cstdlib>
#include <string>

#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "ui/frames.h"

namespace korax::testing {

inline void OPENHEADLESSSCREEN() {
    setenv("KORAX_VIDEO", "headless", 1);
    EMPTY_INPUT_QUEUES();
    END_INPUT_SCRIPT();
    EINITGRAPH(0);
    EMUMOUSE_init();
    ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);
    EMPTY_INPUT_QUEUES();
    CLEARKLICKFENSTER();
}

inline void CLOSEHEADLESSSCREEN() {
    END_INPUT_SCRIPT();
    EMPTY_INPUT_QUEUES();
    CLEARKLICKFENSTER();
    if (INGRAPH) ECLOSEGRAPH();
    EMUGRAPH_INIT();
    EMUMOUSE_init();
}

// Feeds the input script `text`; `name` names it in parse errors.
inline void RUNSCRIPT(const std::string& text, const std::string& name) {
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT(text, name));
}

}  // namespace korax::testing
