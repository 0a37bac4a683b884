#include "results/zipper.h"

#include <unistd.h>

#include <climits>
#include <string>

#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "platform/cp437.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "results/rsz.h"
#include "results/zipper_dialog.h"

namespace korax {

namespace {

std::string default_ask(bool first) { return ZIPPERDIALOG(first, L[498].str()); }

void default_wrong() { ZIPPERMESSAGE(L[499].str()); }

// The companion runs in another working directory, so it gets the archive by
// its full path.
std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return path;
    return JOINPATH(buf, path);
}

}  // namespace

std::string (*ZIPPERASK)(bool first) = default_ask;
void (*ZIPPERWRONG)() = default_wrong;

bool ZIPPER(std::string_view mode, std::string_view archive, std::string_view workdir, std::string* why) {
    std::string name(archive);
    if (UPCASE(name).find(".RSZ") == std::string::npos) name += ".RSZ";
    std::string detail = UPCASE(name);
    std::string host = HOSTPATH(name);
    ZIPHEADERTYPE h;
    if (int e = READZIPHEADER(host, h); e != 0) ERROR(e, detail);

    std::string pw;
    if (h.PASSWORT.size() > 0) {
        STRING8 stored = h.PASSWORT;
        for (bool first = true;; first = false) {
            pw = ZIPPERASK(first);
            if (pw.size() > 8) pw.resize(8);
            if (PASSWORDFITS(pw, stored)) break;
            ZIPPERWRONG();
            if (pw.empty()) ENDPROGRAM(1);
        }
    }

    PROCESSRUN run;
    run.dir = std::string(workdir);
    run.program = JOINPATH(KXPATH, "rzip");
    run.args = {ZIPMODETEXT(mode, SILENCE), absolute(host)};
    // The companion reads the password as UTF-8 text, one line; an unprotected
    // archive gets an empty input so that it never waits on the terminal.
    run.input = pw.empty() ? std::string() : CP437_TO_UTF8(pw) + "\n";
    int status = RUNANDWAIT(run);
    if (status == NOT_STARTED) ERROR(10, JOINPATH(KXPATH, "rzip") + " (?)");
    if (why) *why = RSZEXITREASON(status);
    return status == 0;
}

}  // namespace korax
