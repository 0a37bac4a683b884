#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/dospath.h"
#include "platform/fontcache.h"

namespace korax {

namespace {

// The program's six family names and the installed fonts that stand in for them.
// "System" and "MS Sans Serif" were raster faces with a smallest size: asked for
// less, they still gave that cell (System: 16 pixels high, 8 wide, bold). The
// layouts count on it, and they draw "Courier New" at size 1 in 8-pixel cells
// too (line editor, header band), so it gets the same smallest cell.
struct Alias {
    const char* name;
    const char* real;
    bool bold;      // the face is bold whatever the font word asks
    int minheight;  // smallest cell height in pixels
};
constexpr Alias aliases[] = {
    {"COURIER NEW", "Liberation Mono", false, 16},    {"SYSTEM", "DejaVu Sans Mono", true, 16},
    {"ARIAL", "Liberation Sans", false, 1},          {"TIMES NEW ROMAN", "Liberation Serif", false, 1},
    {"MS SANS SERIF", "DejaVu Sans", false, 13},     {"LUCIDA CONSOLE", "DejaVu Sans Mono", false, 1},
};

const Alias* alias_of(const std::string& family) {
    static std::string last;
    static const Alias* last_alias = nullptr;
    if (family == last) return last_alias;
    const std::string up = UPCASE(family);
    last_alias = nullptr;
    for (const Alias& a : aliases)
        if (up == a.name) last_alias = &a;
    last = family;
    return last_alias;
}

std::string real_family(const std::string& family) {
    const Alias* a = alias_of(family);
    return a ? a->real : family;
}

// The face and cell actually drawn for a request.
FONTKEY effective(const FONTKEY& key) {
    FONTKEY k = key;
    if (const Alias* a = alias_of(key.family)) {
        k.bold = k.bold || a->bold;
        k.height = std::max(k.height, a->minheight);
    }
    return k;
}

struct Face {
    std::string file;
    FT_Face face = nullptr;
    int height = 0;  // the cell height the face is set to
};

FT_Library library = nullptr;
bool fc_ready = false;
std::vector<Face> faces;                       // index = face id
std::map<std::string, int> face_by_request;    // "family|b|i" -> face id (-1 none)
std::unordered_map<std::uint64_t, GLYPH> glyphs;
std::unordered_map<std::uint64_t, FONTMETRICS> metrics;  // face id + 1, height
// Text runs ask for the same face glyph after glyph: the last answer is kept.
std::string last_family;
bool last_bold = false, last_italic = false;
int last_id = -2;
const GLYPH empty_glyph;

bool init_fc() {
    if (!fc_ready) {
        fc_ready = FcInit() != FcFalse;
        // fontconfig keeps parts of its configuration out of reach until FcFini.
        if (fc_ready) std::atexit(FONT_RELEASE_ALL);
    }
    return fc_ready;
}

struct MATCHED {
    std::string file, family;
};
// fontconfig's answers by "family|bold|italic": the start asks for every family
// once and the faces opened then ask again.
std::map<std::string, MATCHED> matched;

MATCHED match_uncached(const std::string& family, bool bold, bool italic);

std::string cache_path;  // "" keeps no cache
bool cache_looked = false;
FONTCACHE cache;  // its answers, when current

const FONTANSWER* cached(const std::string& req) {
    if (cache_path.empty()) return nullptr;
    if (!cache_looked) {
        cache_looked = true;
        // Bounded: a system with a great many font directories gets no cache.
        std::ifstream in(cache_path, std::ios::binary | std::ios::ate);
        const std::streamsize size = in ? static_cast<std::streamsize>(in.tellg()) : 0;
        std::string text(static_cast<std::size_t>(std::clamp<std::streamsize>(size, 0, 1 << 20)), '\0');
        in.seekg(0);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        if (!PARSEFONTCACHE(text, cache) || !FONTCACHECURRENT(cache)) cache = {};
    }
    for (const FONTANSWER& a : cache.answers)
        if (a.request == req) return &a;
    return nullptr;
}

void add_paths(std::vector<std::string>& paths, FcStrList* list) {
    if (!list) return;
    while (FcChar8* p = FcStrListNext(list)) paths.emplace_back(reinterpret_cast<char*>(p));
    FcStrListDone(list);
}

// Written after each new answer, so a start that ends early keeps what it learnt;
// a cache that cannot be written only costs the next start its time.
void keep_answers() {
    if (cache_path.empty()) return;
    std::vector<std::string> paths = USERFONTPLACES();
    add_paths(paths, FcConfigGetConfigFiles(nullptr));
    add_paths(paths, FcConfigGetConfigDirs(nullptr));
    add_paths(paths, FcConfigGetFontDirs(nullptr));
    for (const auto& [req, m] : matched)
        if (!m.file.empty()) paths.push_back(m.file);
    // A configuration file or font directory added beside one that was read.
    const std::size_t n = paths.size();
    for (std::size_t i = 0; i < n; ++i)
        if (const auto slash = paths[i].rfind('/'); slash != std::string::npos && slash > 0)
            paths.push_back(paths[i].substr(0, slash));
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    FONTCACHE c;
    c.env = FONTENV();
    for (const std::string& p : paths)
        if (!p.empty() && p[0] == '/') c.stamps.push_back(STAMPOF(p));
    for (const auto& [req, m] : matched) c.answers.push_back({req, m.file, m.family});
    const std::string text = FORMATFONTCACHE(c);
    if (text.empty()) return;
    const std::string tmp = cache_path + ".new";
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out || std::rename(tmp.c_str(), cache_path.c_str()) != 0) std::remove(tmp.c_str());
}

// fontconfig's best match (or its answer kept from an earlier start); `family_out`
// gets the family it chose.
std::string match(const std::string& family, bool bold, bool italic, std::string* family_out) {
    const std::string req = family + "|" + (bold ? "b" : "") + "|" + (italic ? "i" : "");
    auto it = matched.find(req);
    if (it == matched.end()) {
        if (const FONTANSWER* a = cached(req)) {
            it = matched.emplace(req, MATCHED{a->file, a->family}).first;
        } else {
            if (!init_fc()) return "";
            it = matched.emplace(req, match_uncached(family, bold, italic)).first;
            keep_answers();
        }
    }
    if (family_out && !it->second.family.empty()) *family_out = it->second.family;
    return it->second.file;
}

MATCHED match_uncached(const std::string& family, bool bold, bool italic) {
    std::string file, chosen;
    std::string* family_out = &chosen;
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern* m = FcFontMatch(nullptr, pat, &res);
    if (m) {
        FcChar8* f = nullptr;
        if (FcPatternGetString(m, FC_FILE, 0, &f) == FcResultMatch && f) file = reinterpret_cast<char*>(f);
        FcChar8* fam = nullptr;
        if (family_out && FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch && fam)
            *family_out = reinterpret_cast<char*>(fam);
        FcPatternDestroy(m);
    }
    FcPatternDestroy(pat);
    return {file, chosen};
}

int face_id(const FONTKEY& key) {
    if (last_id != -2 && key.bold == last_bold && key.italic == last_italic && key.family == last_family)
        return last_id;
    const std::string req = UPCASE(key.family) + "|" + (key.bold ? "b" : "") + "|" + (key.italic ? "i" : "");
    auto it = face_by_request.find(req);
    if (it != face_by_request.end()) {
        last_family = key.family;
        last_bold = key.bold;
        last_italic = key.italic;
        last_id = it->second;
        return it->second;
    }
    int id = -1;
    const std::string file = FONT_FILE(key.family, key.bold, key.italic);
    if (!file.empty() && (library || FT_Init_FreeType(&library) == 0)) {
        for (std::size_t i = 0; i < faces.size(); ++i)
            if (faces[i].file == file) id = static_cast<int>(i);
        if (id < 0) {
            FT_Face f = nullptr;
            if (FT_New_Face(library, file.c_str(), 0, &f) == 0) {
                faces.push_back({file, f});
                id = static_cast<int>(faces.size()) - 1;
            }
        }
    }
    face_by_request[req] = id;
    last_family = key.family;
    last_bold = key.bold;
    last_italic = key.italic;
    last_id = id;
    return id;
}

// Sizes the face so that ascent + descent is the requested cell height. Setting a
// size makes FreeType run the face's hinting set-up again at the next glyph, so
// it is set only when it changes.
void size_face(Face& face, int height, int& ascent, int& descent) {
    FT_Face f = face.face;
    const int asc = f->ascender, desc = -f->descender;
    const int cell = std::max(1, asc + desc);
    const double em = static_cast<double>(height) * f->units_per_EM / cell;
    if (face.height != height) FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(std::max(1L, std::lround(em))));
    face.height = height;
    ascent = static_cast<int>(std::lround(static_cast<double>(height) * asc / cell));
    descent = height - ascent;
}

}  // namespace

std::string FONT_FILE(const std::string& family, bool bold, bool italic) {
    return match(real_family(family), bold, italic, nullptr);
}

bool FONT_FAMILY_EXISTS(const std::string& family) {
    if (family.empty()) return false;
    const std::string real = real_family(family);
    std::string got;
    if (match(real, false, false, &got).empty()) return false;
    return UPCASE(got) == UPCASE(real);
}

int FONT_CELL_HEIGHT(const FONTKEY& key) { return effective(key).height; }

std::string FONT_STANDIN(const std::string& family) {
    std::string got;
    if (match(real_family(family), false, false, &got).empty()) return "";
    return got;
}

FONTMETRICS FONT_METRICS(const FONTKEY& request) {
    const FONTKEY key = effective(request);
    FONTMETRICS m;
    const int id = face_id(key);
    const std::uint64_t mk = (static_cast<std::uint64_t>(id + 1) << 32) | static_cast<std::uint32_t>(key.height);
    if (auto it = metrics.find(mk); it != metrics.end()) return it->second;
    if (id < 0) {
        m.ascent = key.height * 4 / 5;
        m.descent = key.height - m.ascent;
        return m;
    }
    FT_Face f = faces[static_cast<std::size_t>(id)].face;
    size_face(faces[static_cast<std::size_t>(id)], key.height, m.ascent, m.descent);
    m.underline = std::max(1, static_cast<int>(std::lround(-static_cast<double>(f->underline_position) *
                                                           f->size->metrics.y_ppem / f->units_per_EM)));
    metrics[mk] = m;
    return m;
}

const GLYPH& FONT_GLYPH(const FONTKEY& request, char32_t ch) {
    const FONTKEY key = effective(request);
    const int id = face_id(key);
    if (id < 0 || key.height < 1) return empty_glyph;
    const int angle = ((key.angle % 360) + 360) % 360;
    const std::uint64_t k = (static_cast<std::uint64_t>(id) << 54) |
                            (static_cast<std::uint64_t>(std::min(key.height, 4095)) << 42) |
                            (static_cast<std::uint64_t>(angle) << 32) | ch;
    auto it = glyphs.find(k);
    if (it != glyphs.end()) return it->second;

    GLYPH g;
    FT_Face f = faces[static_cast<std::size_t>(id)].face;
    int ascent, descent;
    size_face(faces[static_cast<std::size_t>(id)], key.height, ascent, descent);
    if (angle != 0) {
        const double a = angle * 3.14159265358979323846 / 180.0;
        FT_Matrix mx;
        mx.xx = static_cast<FT_Fixed>(std::cos(a) * 0x10000);
        mx.xy = static_cast<FT_Fixed>(-std::sin(a) * 0x10000);
        mx.yx = static_cast<FT_Fixed>(std::sin(a) * 0x10000);
        mx.yy = static_cast<FT_Fixed>(std::cos(a) * 0x10000);
        FT_Set_Transform(f, &mx, nullptr);
    } else {
        FT_Set_Transform(f, nullptr, nullptr);
    }
    if (FT_Load_Char(f, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
        const FT_GlyphSlot s = f->glyph;
        const FT_Bitmap& b = s->bitmap;
        g.left = s->bitmap_left;
        g.top = s->bitmap_top;
        g.w = static_cast<int>(b.width);
        g.h = static_cast<int>(b.rows);
        g.advx = static_cast<int>((s->advance.x + 32) >> 6);
        g.advy = static_cast<int>((s->advance.y + 32) >> 6);
        g.bits.assign(static_cast<std::size_t>(g.w) * g.h, 0);
        for (int y = 0; y < g.h; ++y) {
            const unsigned char* row = b.buffer + static_cast<std::ptrdiff_t>(y) * b.pitch;
            for (int x = 0; x < g.w; ++x) {
                const bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                                   : row[x] >= 128;
                g.bits[static_cast<std::size_t>(y) * g.w + x] = on ? 1 : 0;
            }
        }
    }
    FT_Set_Transform(f, nullptr, nullptr);
    return glyphs.emplace(k, std::move(g)).first->second;
}

void FONT_OPEN(const FONTKEY& request) { face_id(effective(request)); }

void FONT_CACHE_FILE(const std::string& path) {
    cache_path = path;
    cache_looked = false;
    cache = {};
}

void FONT_RELEASE_ALL() {
    cache_looked = false;
    cache = {};
    glyphs.clear();
    metrics.clear();
    last_id = -2;
    face_by_request.clear();
    matched.clear();
    for (Face& f : faces)
        if (f.face) FT_Done_Face(f.face);
    faces.clear();
    if (library) FT_Done_FreeType(library);
    library = nullptr;
    if (fc_ready) FcFini();
    fc_ready = false;
}

}  // namespace korax
