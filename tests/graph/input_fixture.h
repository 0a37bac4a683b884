// Common set-up of the input tests: a headless run with the graph layer marked
// open, empty queues, no script and the emulation mouse at its start values.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/inputscript.h"
#include "graph/sdl_input.h"
#include "graph/wingraph.h"

namespace korax {

class InputTest : public ::testing::Test {
protected:
    bool oldenabled = false;
    void SetUp() override {
        setenv("KORAX_VIDEO", "headless", 1);
        oldenabled = GRENABLED;
        GRENABLED = true;
        EMPTY_INPUT_QUEUES();
        END_INPUT_SCRIPT();
        RESET_SDL_INPUT();
        EMUMOUSE_init();
        ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);  // no button held, pointer at (0, 0)
        EMPTY_INPUT_QUEUES();
        TICKCOUNT = 0;
    }
    void TearDown() override {
        END_INPUT_SCRIPT();
        EMPTY_INPUT_QUEUES();
        RESET_SDL_INPUT();
        EMUMOUSE_init();
        GRENABLED = oldenabled;
    }

    // Everything waiting in the key queue, read without a script.
    static std::vector<int> drain() {
        std::vector<int> out;
        while (KEYQUEUE_COUNT() > 0) out.push_back(READKEY());
        return out;
    }
    // The next mouse event is want.
    static void expect_event(TMOUSEEVENT want) {
        TMOUSEEVENT e{};
        GETMOUSEEVENT(e);
        EXPECT_EQ((std::vector<int>{e.BUTTONS, e.X, e.Y, e.ACTION}),
                  (std::vector<int>{want.BUTTONS, want.X, want.Y, want.ACTION}));
    }
};

}  // namespace korax
