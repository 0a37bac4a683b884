// Artefacts (pendants): their names, icon colours and marker colours, and the
// pendant icon recoloured for a type.
#pragma once

#include <cstdint>
#include <string>

#include "data/g_types.h"

namespace korax {

// The pendant icon as READPENDANT last loaded it.
extern ICONREC ARTICON;

// Marker colour of an artefact type; a type outside 0..6 is "Nothing" (0).
int PENDANTCOLOR(int type);
// Icon colours (replacing 16 and 2) and the name "Pendant of " + type name. A type
// of 0 or more also loads the icon "pendant" into ARTICON and recolours it; a
// negative type (its magnitude is used) leaves the icon alone.
void READPENDANT(int type, int& c1, int& c2, std::string& name);

}  // namespace korax
