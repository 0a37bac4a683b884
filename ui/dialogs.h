// Small modal dialogs and helpers shared by many screens: yes/no, the number dialog,
// help, file chooser and name prompt, whole-screen save/restore, the string list,
// the gold display and text trimming.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

bool JANEIN(std::string_view text);
std::int32_t EDITINT(std::string_view title, std::int64_t start, std::int64_t min, std::int64_t max);
void HELP(int topic);
// Returns the chosen file name, or the empty text. When the trainer changed the
// directory, the name comes joined with that directory so that callers open the
// file that was chosen.
std::string GETDATEINAME(std::string dir, std::string_view mask, std::string_view title);
// Returns the typed name (ext appended when it has no "."), or the empty text when
// the typed text is not a plain file name.
std::string SAVEDATEINAME(std::string_view name, std::string_view ext, std::string_view title);
void SAVEBILD();
void LOADBILD();
void SHOWGOLD(int x, int y);
int IMTEAMNR(int slot);
void NORMTEXT(std::string& s);
void NORMTEXT2(std::string& s);

// The string list: every line's text in one buffer with room for a full list of
// the longest lines, so that filling it with thousands of lines costs no
// allocation and the buffer never moves.
inline constexpr int LISTEMAX = 10000;
inline constexpr std::size_t LISTEROOM = std::size_t(LISTEMAX) * 255;
struct LISTSTORE {
    char* text = nullptr;  // LISTEROOM bytes
    std::size_t used = 0;
    std::vector<std::uint32_t> from, size;  // per line number; size 0 for an empty line
};
extern LISTSTORE* LISTE;
extern int LISTENANZ;
void LISTEINIT();
void LISTENEW(int i, std::string_view text);
void LISTEGET(int i, std::string& text);
void LISTECLOSE();

// The pure parts of the dialogs, for tests.
// EDITINT's value range: max below min shows the single value min.
std::int64_t EDITCLAMP(std::int64_t v, std::int64_t min, std::int64_t max);
// Filled length of the 200-pixel slider for v.
int EDITSLIDERFILL(std::int64_t v, std::int64_t min, std::int64_t max);
// Value for a click dx pixels right of the slider's left end (0..200).
std::int64_t EDITSLIDERVALUE(int dx, std::int64_t min, std::int64_t max);
// Value of a typed text; nullopt-like: false when the text is not a whole number.
bool EDITPARSE(std::string_view text, std::int64_t& v);

// Help file: the title and lines of a topic from the text of a help file.
struct HELPTOPIC {
    bool found = false;
    std::vector<std::string> lines;
};
HELPTOPIC READHELPTOPIC(std::string_view filetext, int topic);
// The help box for a topic: width in characters and line count give its size.
struct HELPBOX {
    int x1, y1, x2, y2;
};
HELPBOX HELPBOXAT(int x, int y, int widthchars, int lines, int maxx, int maxy);

// The file chooser's list for a directory and mask: entry 1 is the choice of no file
// (language text 8, cut to 12), then the matching names, 100 entries at most.
std::vector<std::string> DATEILISTE(std::string_view dir, std::string_view mask);
// The chooser's directory: ".\" when empty, with a trailing "\".
std::string DATEIDIR(std::string_view dir);

// A typed file name is plain: not empty, no separators, no ":", no control
// character, not "." or "..".
bool PLAINFILENAME(std::string_view name);

}  // namespace korax
