#include "results/rsz.h"

#include <dirent.h>
#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>

#include "data/g_tools.h"
#include "platform/dospath.h"
#include "results/zipper.h"

namespace korax {

namespace {

constexpr char MAGIC[4] = {'K', 'X', 'R', 'Z'};
constexpr std::uint8_t PAYLOADFORMAT = 1;
constexpr std::uint8_t FLAG_ENCRYPTED = 1;
constexpr std::size_t FIXEDEND = RSZHEADERSIZE + 4 + 1 + 1;
constexpr std::size_t SALTBYTES = crypto_pwhash_SALTBYTES;
constexpr std::size_t STREAMHEADER = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t ABYTES = crypto_secretstream_xchacha20poly1305_ABYTES;
constexpr std::size_t KEYBYTES = crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr std::size_t ENCFIXEDEND = FIXEDEND + SALTBYTES + 4 + 4 + STREAMHEADER;
constexpr std::uint32_t LASTFRAME = 0x80000000u;
constexpr std::uint8_t KIND_END = 0;
constexpr std::uint8_t KIND_FILE = 1;

// Password hash costs: what we write, and the most an archive may ask of us.
constexpr std::uint32_t OPS_WRITE = crypto_pwhash_argon2id_OPSLIMIT_INTERACTIVE;
constexpr std::uint32_t MEMKIB_WRITE = crypto_pwhash_argon2id_MEMLIMIT_INTERACTIVE / 1024;
constexpr std::uint32_t OPS_QUICK = crypto_pwhash_argon2id_OPSLIMIT_MIN;
constexpr std::uint32_t MEMKIB_QUICK = crypto_pwhash_argon2id_MEMLIMIT_MIN / 1024;
constexpr std::uint32_t OPS_MAX = crypto_pwhash_argon2id_OPSLIMIT_MODERATE;
constexpr std::uint32_t MEMKIB_MAX = crypto_pwhash_argon2id_MEMLIMIT_MODERATE / 1024;

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
std::uint32_t get32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
std::uint64_t get64(const char* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

RSZRESULT fail(RSZSTATUS s, std::string detail) {
    RSZRESULT r;
    r.status = s;
    r.detail = std::move(detail);
    return r;
}

// A name inside an archive must stay inside the target directory: one plain
// component, nothing a file system or a DOS-style name could read as a path.
// Untrimmed: a name SAFENAME would have to trim is not taken as it stands.
bool plainname(std::string_view n, std::size_t maxlen, bool allowdot = false) {
    auto safe = SAFENAME(n, maxlen, allowdot);
    return safe && *safe == n;
}

bool sodium_ready() {
    static const bool ok = sodium_init() >= 0;
    return ok;
}

bool derivekey(std::string_view pw, const unsigned char* salt, std::uint32_t ops, std::uint32_t memkib,
               unsigned char* key) {
    return crypto_pwhash(key, KEYBYTES, pw.data(), pw.size(), salt, ops,
                         static_cast<std::size_t>(memkib) * 1024, crypto_pwhash_ALG_ARGON2ID13) == 0;
}

std::string errtext(int e) { return std::strerror(e); }

bool writeall(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

std::string joinpath(const std::string& dir, std::string_view name) {
    std::string p = dir.empty() ? std::string(".") : dir;
    if (p.back() != '/') p += '/';
    return p + std::string(name);
}

// Creates a fresh file beside the final names that nobody else can have planted
// (exclusive create, links not followed). Gives its path and descriptor.
int createtemp(const std::string& dir, std::string& path) {
    static std::atomic<unsigned> counter{0};
    for (int tries = 0; tries < 100; ++tries) {
        path = joinpath(dir, ".rsz-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                                 std::to_string(randombytes_uniform(1000000000u)) + ".tmp");
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The spelling under which `name` already exists in dir (any letter case), else name.
std::string existingspelling(const std::string& dir, const std::string& name) {
    std::string found = name;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return found;
    std::string want = UPCASE(name);
    bool exact = false;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n == name) exact = true;
        else if (!exact && UPCASE(n) == want) found = n;
    }
    ::closedir(d);
    return exact ? name : found;
}

// Files being unpacked: kept under temporary names until the archive has been
// read to its end, removed again when anything fails.
struct Output {
    std::string dir;
    struct Pending {
        std::string tmp;
        std::string name;
    };
    std::vector<Pending> done;
    int fd = -1;
    std::string curtmp;
    std::string curname;

    ~Output() { discard(); }

    void discard() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        if (!curtmp.empty()) ::unlink(curtmp.c_str());
        curtmp.clear();
        for (auto& p : done) ::unlink(p.tmp.c_str());
        done.clear();
    }
    RSZRESULT open(const std::string& name) {
        fd = createtemp(dir, curtmp);
        if (fd < 0) {
            int e = errno;
            curtmp.clear();
            return fail(RSZSTATUS::WRITE, dir + ": " + errtext(e));
        }
        curname = name;
        return {};
    }
    RSZRESULT write(const char* p, std::size_t n) {
        if (!writeall(fd, p, n)) return fail(RSZSTATUS::WRITE, curname + ": " + errtext(errno));
        return {};
    }
    RSZRESULT close() {
        bool ok = ::fsync(fd) == 0;
        int e = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            e = errno;
        }
        fd = -1;
        if (!ok) return fail(RSZSTATUS::WRITE, curname + ": " + errtext(e));
        done.push_back({curtmp, curname});
        curtmp.clear();
        return {};
    }
    // Puts every file in place. Only reached when the whole archive checked out.
    RSZRESULT commit() {
        for (std::size_t i = 0; i < done.size(); ++i) {
            std::string final = joinpath(dir, existingspelling(dir, done[i].name));
            if (::rename(done[i].tmp.c_str(), final.c_str()) != 0) {
                int e = errno;
                done.erase(done.begin(), done.begin() + static_cast<std::ptrdiff_t>(i));
                return fail(RSZSTATUS::WRITE, done.front().name + ": " + errtext(e));
            }
        }
        done.clear();
        int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        return {};
    }
};

// Reads the decompressed inner stream piece by piece and turns it into files.
struct Parser {
    enum State { KIND, NAMELEN, NAME, SIZE, DATA, END } st = KIND;
    Output& out;
    std::size_t namelen = 0;
    std::string name;
    std::string acc;
    std::uint64_t remaining = 0;
    std::uint64_t total = 0;
    std::set<std::string> seen;
    std::vector<std::string> names;

    explicit Parser(Output& o) : out(o) {}

    RSZRESULT feed(const char* p, std::size_t n) {
        while (n > 0) {
            switch (st) {
                case KIND: {
                    auto k = static_cast<std::uint8_t>(*p);
                    ++p, --n;
                    if (k == KIND_END) st = END;
                    else if (k == KIND_FILE) st = NAMELEN;
                    else return fail(RSZSTATUS::DAMAGED, "unknown entry");
                    break;
                }
                case NAMELEN:
                    namelen = static_cast<std::uint8_t>(*p);
                    ++p, --n;
                    if (namelen == 0 || namelen > RSZMAXNAME) return fail(RSZSTATUS::DAMAGED, "file name length");
                    name.clear();
                    st = NAME;
                    break;
                case NAME: {
                    std::size_t take = std::min(n, namelen - name.size());
                    name.append(p, take);
                    p += take, n -= take;
                    if (name.size() < namelen) break;
                    if (!plainname(name, RSZMAXNAME)) return fail(RSZSTATUS::BADNAME, name);
                    if (!seen.insert(UPCASE(name)).second) return fail(RSZSTATUS::DAMAGED, "file twice: " + name);
                    if (seen.size() > RSZMAXFILES) return fail(RSZSTATUS::DAMAGED, "too many files");
                    acc.clear();
                    st = SIZE;
                    break;
                }
                case SIZE: {
                    std::size_t take = std::min(n, 8 - acc.size());
                    acc.append(p, take);
                    p += take, n -= take;
                    if (acc.size() < 8) break;
                    remaining = get64(acc.data());
                    if (remaining > RSZMAXTOTAL || total + remaining > RSZMAXTOTAL)
                        return fail(RSZSTATUS::DAMAGED, "larger than allowed: " + name);
                    total += remaining;
                    if (auto r = out.open(name); !r.ok()) return r;
                    names.push_back(name);
                    st = DATA;
                    if (remaining == 0) {
                        if (auto r = out.close(); !r.ok()) return r;
                        st = KIND;
                    }
                    break;
                }
                case DATA: {
                    std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining));
                    if (auto r = out.write(p, take); !r.ok()) return r;
                    p += take, n -= take;
                    remaining -= take;
                    if (remaining == 0) {
                        if (auto r = out.close(); !r.ok()) return r;
                        st = KIND;
                    }
                    break;
                }
                case END:
                    return fail(RSZSTATUS::DAMAGED, "data after the last file");
            }
        }
        return {};
    }
};

struct Inflater {
    z_stream z{};
    bool ready = false;
    bool ended = false;
    Inflater() { ready = inflateInit(&z) == Z_OK; }
    ~Inflater() {
        if (ready) inflateEnd(&z);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    RSZRESULT feed(const unsigned char* in, std::size_t n, Parser& parser) {
        if (ended) return fail(RSZSTATUS::DAMAGED, "data after the end of the packed stream");
        static thread_local unsigned char buf[RSZCHUNK];
        z.next_in = const_cast<unsigned char*>(in);
        z.avail_in = static_cast<uInt>(n);
        for (;;) {
            z.next_out = buf;
            z.avail_out = sizeof buf;
            int rc = inflate(&z, Z_NO_FLUSH);
            std::size_t got = sizeof buf - z.avail_out;
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
                return fail(RSZSTATUS::DAMAGED, "packed data broken");
            if (got > 0)
                if (auto r = parser.feed(reinterpret_cast<const char*>(buf), got); !r.ok()) return r;
            if (rc == Z_STREAM_END) {
                ended = true;
                if (z.avail_in > 0) return fail(RSZSTATUS::DAMAGED, "data after the end of the packed stream");
                return {};
            }
            if (rc == Z_BUF_ERROR || (z.avail_in == 0 && z.avail_out > 0)) return {};
        }
    }
};

std::string deflateall(const std::string& in) {
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    std::string out;
    unsigned char buf[RSZCHUNK];
    z.next_in = reinterpret_cast<unsigned char*>(const_cast<char*>(in.data()));
    std::size_t left = in.size();
    int rc;
    do {
        uInt step = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
        z.avail_in = step;
        left -= step;
        int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = buf;
            z.avail_out = sizeof buf;
            rc = deflate(&z, flush);
            out.append(reinterpret_cast<char*>(buf), sizeof buf - z.avail_out);
        } while (z.avail_out == 0);
    } while (rc != Z_STREAM_END);
    deflateEnd(&z);
    return out;
}

std::string basename_of(const std::string& path) {
    std::size_t i = path.find_last_of('/');
    return i == std::string::npos ? path : path.substr(i + 1);
}

bool readfile(const std::string& path, std::string& out, int& err, std::size_t limit) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err = 1;
        return false;
    }
    out.clear();
    char buf[RSZCHUNK];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            err = 2;
            return false;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
        if (out.size() > limit) {
            ::close(fd);
            err = 3;
            return false;
        }
    }
    ::close(fd);
    return true;
}

}  // namespace

bool PARSEZIPHEADER(std::string_view bytes, ZIPHEADERTYPE& h) {
    if (bytes.size() < RSZHEADERSIZE) return false;
    std::memcpy(&h, bytes.data(), RSZHEADERSIZE);
    // Clamp the length bytes so every later use stays inside the fields.
    h.GAMEDIR.len = static_cast<std::uint8_t>(h.GAMEDIR.size());
    h.PASSWORT.len = static_cast<std::uint8_t>(h.PASSWORT.size());
    return true;
}

int READZIPHEADER(const std::string& hostpath, ZIPHEADERTYPE& h) {
    int fd = ::open(hostpath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 1;
    }
    char buf[RSZHEADERSIZE];
    std::size_t got = 0;
    while (got < sizeof buf) {
        ssize_t n = ::read(fd, buf + got, sizeof buf - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    int closed = ::close(fd);
    if (got < sizeof buf) return 2;
    if (closed != 0) return 9;
    PARSEZIPHEADER(std::string_view(buf, sizeof buf), h);
    return 0;
}

std::string RSZMESSAGE(const RSZRESULT& r) {
    switch (r.status) {
        case RSZSTATUS::OK: return "OK";
        case RSZSTATUS::OPEN: return "cannot open " + r.detail;
        case RSZSTATUS::READ: return "cannot read " + r.detail;
        case RSZSTATUS::DAMAGED: return "damaged archive (" + r.detail + "), nothing unpacked";
        case RSZSTATUS::NOPASSWORD: return "the archive is protected: a password is needed";
        case RSZSTATUS::PASSWORD: return "wrong password, nothing unpacked";
        case RSZSTATUS::BADNAME: return "not a plain file name: " + r.detail;
        case RSZSTATUS::WRITE: return "cannot write " + r.detail;
    }
    return "unknown failure";
}

int RSZEXITCODE(RSZSTATUS s) {
    switch (s) {
        case RSZSTATUS::OK: return 0;
        case RSZSTATUS::OPEN:
        case RSZSTATUS::READ: return RZIPEXIT_UNREADABLE;
        case RSZSTATUS::DAMAGED: return RZIPEXIT_DAMAGED;
        case RSZSTATUS::NOPASSWORD:
        case RSZSTATUS::PASSWORD: return RZIPEXIT_PASSWORD;
        case RSZSTATUS::BADNAME: return RZIPEXIT_NAME;
        case RSZSTATUS::WRITE: return RZIPEXIT_WRITE;
    }
    return RZIPEXIT_DAMAGED;
}

std::string RSZEXITREASON(int code) {
    switch (code) {
        case 0: return "unpacked";
        case RZIPEXIT_UNREADABLE: return "the archive cannot be read";
        case RZIPEXIT_DAMAGED: return "the archive is damaged, nothing was unpacked";
        case RZIPEXIT_PASSWORD: return "wrong password, nothing was unpacked";
        case RZIPEXIT_NAME: return "the archive names a file or game directory that is no plain name";
        case RZIPEXIT_WRITE: return "the unpacked files cannot be written (disk full or no permission)";
    }
    return "the unpacker failed (exit code " + std::to_string(code) + ")";
}

bool RSZENCRYPTED(std::string_view a) {
    return a.size() >= FIXEDEND && std::memcmp(a.data() + RSZHEADERSIZE, MAGIC, 4) == 0 &&
           (static_cast<std::uint8_t>(a[RSZHEADERSIZE + 5]) & FLAG_ENCRYPTED) != 0;
}

RSZRESULT RSZPACKBYTES(const std::vector<RSZENTRY>& entries, const RSZPACKOPTIONS& opt, std::string& archive) {
    archive.clear();
    if (!opt.gamedir.empty() && !plainname(opt.gamedir, MAXDIRNAME, true))
        return fail(RSZSTATUS::BADNAME, opt.gamedir);
    if (opt.password.size() > 8) return fail(RSZSTATUS::PASSWORD, "a password has at most 8 characters");
    if (entries.size() > RSZMAXFILES) return fail(RSZSTATUS::DAMAGED, "too many files");
    RSZRESULT result;
    std::set<std::string> seen;
    std::uint64_t total = 0;
    std::string inner;
    for (const auto& e : entries) {
        if (!plainname(e.name, RSZMAXNAME)) return fail(RSZSTATUS::BADNAME, e.name);
        if (!seen.insert(UPCASE(e.name)).second) return fail(RSZSTATUS::BADNAME, "twice: " + e.name);
        total += e.data.size();
        if (total > RSZMAXTOTAL) return fail(RSZSTATUS::DAMAGED, "larger than allowed");
        inner += static_cast<char>(KIND_FILE);
        inner += static_cast<char>(e.name.size());
        inner += e.name;
        put64(inner, e.data.size());
        inner += e.data;
        result.names.push_back(e.name);
    }
    inner += static_cast<char>(KIND_END);
    std::string packed = deflateall(inner);
    inner.clear();

    ZIPHEADERTYPE h;
    h.VERSION = RSZVERSION;
    h.GAMEDIR.set(opt.gamedir);
    std::string check = CRUNCHPW(opt.password);
    if (opt.shortcheck && check.size() == 8) check.resize(7);
    h.PASSWORT.set(check);
    std::string out(reinterpret_cast<const char*>(&h), RSZHEADERSIZE);
    out.append(MAGIC, 4);
    out += static_cast<char>(PAYLOADFORMAT);
    bool enc = !opt.password.empty();
    out += static_cast<char>(enc ? FLAG_ENCRYPTED : 0);

    crypto_secretstream_xchacha20poly1305_state state;
    if (enc) {
        if (!sodium_ready()) return fail(RSZSTATUS::WRITE, "no cryptography available");
        unsigned char salt[SALTBYTES];
        randombytes_buf(salt, sizeof salt);
        std::uint32_t ops = opt.quickhash ? OPS_QUICK : OPS_WRITE;
        std::uint32_t mem = opt.quickhash ? MEMKIB_QUICK : MEMKIB_WRITE;
        out.append(reinterpret_cast<char*>(salt), sizeof salt);
        put32(out, ops);
        put32(out, mem);
        unsigned char key[KEYBYTES];
        if (!derivekey(opt.password, salt, ops, mem, key)) return fail(RSZSTATUS::WRITE, "out of memory");
        unsigned char sh[STREAMHEADER];
        crypto_secretstream_xchacha20poly1305_init_push(&state, sh, key);
        sodium_memzero(key, sizeof key);
        out.append(reinterpret_cast<char*>(sh), sizeof sh);
    }
    std::size_t frames = (packed.size() + RSZCHUNK - 1) / RSZCHUNK;
    if (frames == 0) frames = 1;
    std::string ad = out;
    std::vector<unsigned char> ct(RSZCHUNK + ABYTES);
    for (std::size_t i = 0; i < frames; ++i) {
        bool last = i + 1 == frames;
        std::size_t off = i * RSZCHUNK;
        std::size_t len = std::min(RSZCHUNK, packed.size() - off);
        const auto* m = reinterpret_cast<const unsigned char*>(packed.data() + off);
        if (enc) {
            unsigned long long clen = 0;
            crypto_secretstream_xchacha20poly1305_push(
                &state, ct.data(), &clen, m, len, i == 0 ? reinterpret_cast<const unsigned char*>(ad.data()) : nullptr,
                i == 0 ? ad.size() : 0,
                last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
            put32(out, static_cast<std::uint32_t>(clen) | (last ? LASTFRAME : 0));
            out.append(reinterpret_cast<char*>(ct.data()), clen);
        } else {
            put32(out, static_cast<std::uint32_t>(len) | (last ? LASTFRAME : 0));
            out.append(reinterpret_cast<const char*>(m), len);
        }
    }
    archive = std::move(out);
    return result;
}

RSZRESULT RSZPACKFILES(const std::string& archivepath, const std::vector<std::string>& files,
                       const RSZPACKOPTIONS& opt) {
    std::vector<RSZENTRY> entries;
    for (const auto& f : files) {
        RSZENTRY e;
        e.name = basename_of(f);
        int err = 0;
        if (!readfile(f, e.data, err, RSZMAXTOTAL)) {
            if (err == 1) return fail(RSZSTATUS::OPEN, f);
            if (err == 3) return fail(RSZSTATUS::DAMAGED, "larger than allowed: " + f);
            return fail(RSZSTATUS::READ, f);
        }
        entries.push_back(std::move(e));
    }
    std::string bytes;
    RSZRESULT r = RSZPACKBYTES(entries, opt, bytes);
    if (!r.ok()) return r;
    std::size_t slash = archivepath.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : archivepath.substr(0, slash == 0 ? 1 : slash);
    std::string tmp;
    int fd = createtemp(dir, tmp);
    if (fd < 0) return fail(RSZSTATUS::WRITE, archivepath + ": " + errtext(errno));
    bool ok = writeall(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    int e = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && ::rename(tmp.c_str(), archivepath.c_str()) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return fail(RSZSTATUS::WRITE, archivepath + ": " + errtext(e));
    }
    return r;
}

RSZRESULT RSZUNPACKBYTES(std::string_view a, const std::string& targetdir, std::string_view password) {
    ZIPHEADERTYPE h;
    if (!PARSEZIPHEADER(a, h)) return fail(RSZSTATUS::DAMAGED, "shorter than its header");
    if (a.size() < FIXEDEND || std::memcmp(a.data() + RSZHEADERSIZE, MAGIC, 4) != 0 ||
        static_cast<std::uint8_t>(a[RSZHEADERSIZE + 4]) != PAYLOADFORMAT)
        return fail(RSZSTATUS::DAMAGED, "not a result archive of this program");
    auto flags = static_cast<std::uint8_t>(a[RSZHEADERSIZE + 5]);
    if ((flags & ~FLAG_ENCRYPTED) != 0) return fail(RSZSTATUS::DAMAGED, "unknown flags");
    bool enc = (flags & FLAG_ENCRYPTED) != 0;
    // The header's check value and the payload must tell the same story.
    if (enc != (h.PASSWORT.size() > 0)) return fail(RSZSTATUS::DAMAGED, "password check and payload disagree");

    std::size_t pos = FIXEDEND;
    crypto_secretstream_xchacha20poly1305_state state;
    if (enc) {
        if (a.size() < ENCFIXEDEND) return fail(RSZSTATUS::DAMAGED, "cut short");
        if (password.empty()) return fail(RSZSTATUS::NOPASSWORD, "");
        STRING8 stored = h.PASSWORT;
        if (password.size() > 8 || !PASSWORDFITS(password, stored)) return fail(RSZSTATUS::PASSWORD, "");
        const auto* salt = reinterpret_cast<const unsigned char*>(a.data() + FIXEDEND);
        std::uint32_t ops = get32(a.data() + FIXEDEND + SALTBYTES);
        std::uint32_t mem = get32(a.data() + FIXEDEND + SALTBYTES + 4);
        if (ops < OPS_QUICK || ops > OPS_MAX || mem < MEMKIB_QUICK || mem > MEMKIB_MAX)
            return fail(RSZSTATUS::DAMAGED, "password hash settings");
        if (!sodium_ready()) return fail(RSZSTATUS::DAMAGED, "no cryptography available");
        unsigned char key[KEYBYTES];
        if (!derivekey(password, salt, ops, mem, key)) return fail(RSZSTATUS::DAMAGED, "out of memory");
        const auto* sh = reinterpret_cast<const unsigned char*>(a.data() + FIXEDEND + SALTBYTES + 8);
        int rc = crypto_secretstream_xchacha20poly1305_init_pull(&state, sh, key);
        sodium_memzero(key, sizeof key);
        if (rc != 0) return fail(RSZSTATUS::DAMAGED, "stream header");
        pos = ENCFIXEDEND;
    }

    Output out;
    out.dir = targetdir;
    Parser parser(out);
    Inflater inflater;
    if (!inflater.ready) return fail(RSZSTATUS::DAMAGED, "out of memory");
    std::vector<unsigned char> plain(RSZCHUNK);
    bool last = false;
    bool first = true;
    while (pos < a.size()) {
        if (last) return fail(RSZSTATUS::DAMAGED, "data after the last frame");
        if (a.size() - pos < 4) return fail(RSZSTATUS::DAMAGED, "cut short");
        std::uint32_t word = get32(a.data() + pos);
        pos += 4;
        last = (word & LASTFRAME) != 0;
        std::size_t len = word & ~LASTFRAME;
        if (len == 0 || len > RSZCHUNK + (enc ? ABYTES : 0)) return fail(RSZSTATUS::DAMAGED, "frame length");
        if (a.size() - pos < len) return fail(RSZSTATUS::DAMAGED, "cut short");
        const auto* frame = reinterpret_cast<const unsigned char*>(a.data() + pos);
        pos += len;
        const unsigned char* m = frame;
        std::size_t mlen = len;
        if (enc) {
            if (len < ABYTES) return fail(RSZSTATUS::DAMAGED, "frame length");
            unsigned long long got = 0;
            unsigned char tag = 0;
            int rc = crypto_secretstream_xchacha20poly1305_pull(
                &state, plain.data(), &got, &tag, frame, len,
                first ? reinterpret_cast<const unsigned char*>(a.data()) : nullptr, first ? ENCFIXEDEND : 0);
            if (rc != 0) {
                // The check value fitted, so the first frame failing means a
                // password that shares its check value, or an altered archive.
                if (first) return fail(RSZSTATUS::PASSWORD, "");
                return fail(RSZSTATUS::DAMAGED, "altered");
            }
            bool final = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
            if (final != last || (!final && tag != crypto_secretstream_xchacha20poly1305_TAG_MESSAGE))
                return fail(RSZSTATUS::DAMAGED, "frame order");
            m = plain.data();
            mlen = static_cast<std::size_t>(got);
        }
        first = false;
        if (auto r = inflater.feed(m, mlen, parser); !r.ok()) return r;
    }
    if (!last || !inflater.ended || parser.st != Parser::END) return fail(RSZSTATUS::DAMAGED, "cut short");
    if (auto r = out.commit(); !r.ok()) return r;
    RSZRESULT r;
    r.names = std::move(parser.names);
    return r;
}

RSZRESULT RSZUNPACKFILE(const std::string& archivepath, const std::string& targetdir, std::string_view password) {
    std::string bytes;
    int err = 0;
    if (!readfile(archivepath, bytes, err, RSZMAXARCHIVE)) {
        if (err == 1) return fail(RSZSTATUS::OPEN, archivepath);
        if (err == 3) return fail(RSZSTATUS::DAMAGED, "larger than allowed");
        return fail(RSZSTATUS::READ, archivepath);
    }
    return RSZUNPACKBYTES(bytes, targetdir, password);
}

}  // namespace korax
