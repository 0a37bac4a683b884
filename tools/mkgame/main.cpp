// mkgame: writes a league as the game master sends it to one trainer.
//
//   mkgame [--seed N] [--team N] [--day D] [--dir NAME] [--rszname NAME]
//          [--form dir|rst|rsz] [--password PW] [--cup] OUTDIR
//
// --cup: the result of the last cup round, CUP<n>.RST, waits in the game directory.
// dir: every file of the game directory into OUTDIR (default);
// rst: the result container TEAM<n>.RST into OUTDIR;
// rsz: the container packed into the archive <dir>.RSZ in OUTDIR.
//
//   mkgame --check TURNFILE
//
// checks a turn file's team check as the game master does: exit 0 when it holds.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

#include "../mkassets/canvas.h"
#include "league.h"
#include "results/rsz.h"
#include "turn/saveturn.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: mkgame [--seed N] [--team N] [--day D] [--dir NAME] [--rszname NAME]\n"
                 "              [--form dir|rst|rsz] [--password PW] [--cup] OUTDIR\n");
    return 2;
}

void put(const std::string& path, const std::string& bytes) {
    mkassets::WRITE_FILE(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The game master's side of the team check: the turn's own match day gives the
// turn within its half.
int checkturn(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string b;
    if (f) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.append(buf, n);
        std::fclose(f);
    }
    if (b.size() < 1009) {
        std::fprintf(stderr, "mkgame: %s is no turn file\n", path.c_str());
        return 1;
    }
    std::int16_t day;
    std::memcpy(&day, b.data(), 2);
    korax::TEAMREC team;
    std::memcpy(&team, b.data() + 102, sizeof team);
    const std::uint16_t c = korax::TEAMCHECK(team, static_cast<std::int16_t>(day > 9 ? day - 9 : day));
    const bool ok = static_cast<unsigned char>(b[2]) == (c & 0xFF) && static_cast<unsigned char>(b[3]) == (c >> 8) &&
                    static_cast<unsigned char>(b[4]) == korax::SYSTEMKENNUNG;
    std::printf("%s\n", ok ? "team check ok" : "team check wrong");
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--check") return checkturn(argv[2]);
    mkgame::Options o;
    std::string form = "dir", out, password;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(a + " needs a value");
            return argv[++i];
        };
        try {
            if (a == "--seed") o.seed = static_cast<std::uint32_t>(std::stoul(value()));
            else if (a == "--team") o.team = std::stoi(value());
            else if (a == "--day") o.day = std::stoi(value());
            else if (a == "--dir") o.gamedir = value();
            else if (a == "--rszname") o.rszname = value();
            else if (a == "--form") form = value();
            else if (a == "--password") password = value();
            else if (a == "--cup") o.cupresult = true;
            else if (!a.empty() && a[0] == '-') return usage();
            else if (out.empty()) out = a;
            else return usage();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mkgame: %s\n", e.what());
            return usage();
        }
    }
    if (out.empty() || (form != "dir" && form != "rst" && form != "rsz")) return usage();
    try {
        ::mkdir(out.c_str(), 0755);
        const mkgame::Game g = mkgame::MAKEGAME(o);
        const std::string n = std::to_string(o.team);
        if (form == "dir") {
            for (const auto& [name, bytes] : g.files) put(out + "/" + name, bytes);
        } else if (form == "rst") {
            put(out + "/TEAM" + n + ".RST", mkgame::MAKECONTAINER(o, g));
        } else {
            korax::RSZPACKOPTIONS opt;
            opt.gamedir = o.gamedir;
            opt.password = password;
            std::string archive;
            auto r = korax::RSZPACKBYTES({{"TEAM" + n + ".RST", mkgame::MAKECONTAINER(o, g)}}, opt, archive);
            if (!r.ok()) throw std::runtime_error(korax::RSZMESSAGE(r));
            put(out + "/" + (o.rszname.empty() ? o.gamedir : o.rszname) + ".RSZ", archive);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkgame: %s\n", e.what());
        return 1;
    }
    return 0;
}
