// Numbered byte streams that live in memory when there is room and otherwise in a
// temporary file. Errors never stop the program; they are left in MEMPLUSERROR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/types.h"

namespace korax {

using STRING3 = PSTRING<3>;

// Handles 0..MEMPLUS_MAXHANDLE; anything else behaves like a closed handle.
inline constexpr int MEMPLUS_MAXHANDLE = 255;

struct XSTREAM;  // one open stream (memory or file)
void DONEXMEMORY(XSTREAM* s);
struct XSTREAMDELETER {
    void operator()(XSTREAM* s) const { DONEXMEMORY(s); }
};
using XSTREAMPTR = std::unique_ptr<XSTREAM, XSTREAMDELETER>;

// Last error: 1 open, 2 seek, 3 write, 4 read (0 = none so far).
extern std::uint16_t MEMPLUSERROR;
// How the last opening went: 0 nothing, 1 memory, 2 file.
extern std::uint8_t MEMPLUSSTATE;
// Storage label of the last opening: "NO", "HP" (memory) or "HD" (file).
extern STRING3 MEMPLUSFORM;
// Path of the temporary file for file streams. When empty it is derived from the
// run's private temporary directory (TMPDIR) + "EMS_XMS.TMP".
extern std::string TEMPPFAD;
// Memory in KiB that streams may take; negative = ask the system (MemAvailable).
// Tests set it to force the file fallback.
extern std::int64_t MEMPLUSFREEKB;

// Makes a stream: memory when size KiB fit into free memory (then a second attempt
// with maxsize), else a file on TEMPPFAD; null when neither works.
XSTREAMPTR INITXMEMORY(std::uint32_t size, std::uint32_t maxsize);

void MEMPLUSOPEN(int h, std::uint32_t size, std::uint32_t maxsize);
void MEMPLUSCLOSE(int h);
void MEMPLUSSEEK(int h, std::int64_t pos);
std::int64_t MEMPLUSPOS(int h);
void MEMPLUSWRITE(int h, const void* buffer, std::size_t count);
void MEMPLUSREAD(int h, void* buffer, std::size_t count);
bool MEMPLUSISOPEN(int h);
// Closes every stream and clears the error state (end of run, tests).
void MEMPLUSRESET();

}  // namespace korax
