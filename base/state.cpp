#include "base/state.h"

namespace korax {

std::string KXPATH;
std::string GAMEDIR = ".\\";
std::int16_t NUMMER = 0;
std::string NUMMERSTR;

std::string KXNAME;
std::string KXEXT;
std::string RSTNAME;
std::string RSZNAME;
int NUMMERWAHL = 0;
bool BARESTART = false;
bool AUSVGR = false;
bool IGNORMODE = false;
bool TESTMODE = false;
bool AUTOSEND = false;
bool GESENDET = false;
int AKTUMENU = 101;
std::int32_t KXSTARTTIME = 0;
std::int32_t KXSTOPTIME = 0;

}  // namespace korax
