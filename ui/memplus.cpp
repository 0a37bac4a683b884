#include "ui/memplus.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>
#include <vector>

#include "ui/frames.h"

namespace korax {

std::uint16_t MEMPLUSERROR = 0;
std::uint8_t MEMPLUSSTATE = 0;
STRING3 MEMPLUSFORM = STRING3::of("NO");
std::string TEMPPFAD;
std::int64_t MEMPLUSFREEKB = -1;

struct XSTREAM {
    bool infile = false;
    std::vector<std::uint8_t> mem;  // memory stream: the bytes written so far
    std::size_t limit = 0;          // memory stream: largest size it may reach
    int fd = -1;                    // file stream
    std::int64_t pos = 0;
    std::int64_t size = 0;
};

void DONEXMEMORY(XSTREAM* s) {
    if (!s) return;
    if (s->fd >= 0) ::close(s->fd);
    delete s;
}

namespace {

std::array<XSTREAMPTR, MEMPLUS_MAXHANDLE + 1> ERWEITERT;

XSTREAM* stream_of(int h) {
    if (h < 0 || h > MEMPLUS_MAXHANDLE) return nullptr;
    return ERWEITERT[static_cast<std::size_t>(h)].get();
}

std::int64_t free_kb() {
    if (MEMPLUSFREEKB >= 0) return MEMPLUSFREEKB;
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::int64_t value = 0;
    std::string unit;
    while (in >> key >> value >> unit)
        if (key == "MemAvailable:") return value;
    return 0;
}

// A memory stream made with kb KiB free that may grow up to maxkb KiB, as far as
// a file stream would go with the same request.
XSTREAMPTR make_memory(std::uint32_t kb, std::uint32_t maxkb) {
    if (kb == 0 || static_cast<std::int64_t>(kb) > free_kb()) return nullptr;
    XSTREAMPTR s(new (std::nothrow) XSTREAM);
    if (!s) return nullptr;
    s->limit = static_cast<std::size_t>(std::max(kb, maxkb)) * 1024;
    return s;
}

std::string temp_path() {
    if (!TEMPPFAD.empty()) return TEMPPFAD;
    try {
        return TMPFILE("EMS_XMS.TMP");
    } catch (const FatalError&) {
        return {};  // no scratch directory: the stream simply cannot be made
    }
}

// The file is unlinked as soon as it is open: it never outlives the stream, and
// several streams can use the same name one after the other.
XSTREAMPTR make_file() {
    std::string path = temp_path();
    if (path.empty()) return nullptr;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) {
        ::unlink(path.c_str());
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (fd < 0) return nullptr;
    ::unlink(path.c_str());
    XSTREAMPTR s(new (std::nothrow) XSTREAM);
    if (!s) {
        ::close(fd);
        return nullptr;
    }
    s->infile = true;
    s->fd = fd;
    return s;
}

}  // namespace

XSTREAMPTR INITXMEMORY(std::uint32_t size, std::uint32_t maxsize) {
    XSTREAMPTR s = make_memory(size, maxsize);
    if (!s && maxsize != size) s = make_memory(maxsize, maxsize);
    if (s) {
        MEMPLUSSTATE = 1;
        MEMPLUSFORM = "HP";
        return s;
    }
    s = make_file();
    if (s) {
        MEMPLUSSTATE = 2;
        MEMPLUSFORM = "HD";
        return s;
    }
    MEMPLUSSTATE = 0;
    MEMPLUSFORM = "NO";
    return nullptr;
}

void MEMPLUSOPEN(int h, std::uint32_t size, std::uint32_t maxsize) {
    if (h < 0 || h > MEMPLUS_MAXHANDLE) {
        MEMPLUSERROR = 1;
        return;
    }
    auto& slot = ERWEITERT[static_cast<std::size_t>(h)];
    if (slot) return;
    slot = INITXMEMORY(size, maxsize);
    if (!slot) MEMPLUSERROR = 1;
}

void MEMPLUSCLOSE(int h) {
    if (!stream_of(h)) return;
    ERWEITERT[static_cast<std::size_t>(h)].reset();
}

bool MEMPLUSISOPEN(int h) { return stream_of(h) != nullptr; }

void MEMPLUSSEEK(int h, std::int64_t pos) {
    XSTREAM* s = stream_of(h);
    if (!s) return;
    if (pos < 0 || pos > s->size) {
        MEMPLUSERROR = 2;
        return;
    }
    s->pos = pos;
}

std::int64_t MEMPLUSPOS(int h) {
    XSTREAM* s = stream_of(h);
    return s ? s->pos : 0;
}

void MEMPLUSWRITE(int h, const void* buffer, std::size_t count) {
    XSTREAM* s = stream_of(h);
    if (!s || count == 0) return;
    const auto* src = static_cast<const std::uint8_t*>(buffer);
    if (!s->infile) {
        std::size_t end = static_cast<std::size_t>(s->pos) + count;
        if (end > s->limit || end < count) {
            MEMPLUSERROR = 3;
            return;
        }
        try {
            if (end > s->mem.size()) s->mem.resize(end);
        } catch (const std::bad_alloc&) {
            MEMPLUSERROR = 3;
            return;
        }
        std::memcpy(s->mem.data() + s->pos, src, count);
    } else {
        std::size_t done = 0;
        while (done < count) {
            ssize_t n = ::pwrite(s->fd, src + done, count - done, s->pos + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                MEMPLUSERROR = 3;
                return;
            }
            done += static_cast<std::size_t>(n);
        }
    }
    s->pos += static_cast<std::int64_t>(count);
    if (s->pos > s->size) s->size = s->pos;
}

void MEMPLUSREAD(int h, void* buffer, std::size_t count) {
    XSTREAM* s = stream_of(h);
    if (!s || count == 0) return;
    auto* dst = static_cast<std::uint8_t*>(buffer);
    // Reading past the end is an error; the buffer is zeroed rather than left stale.
    if (static_cast<std::uint64_t>(s->size - s->pos) < count) {
        std::memset(dst, 0, count);
        MEMPLUSERROR = 4;
        return;
    }
    if (!s->infile) {
        std::memcpy(dst, s->mem.data() + s->pos, count);
    } else {
        std::size_t done = 0;
        while (done < count) {
            ssize_t n = ::pread(s->fd, dst + done, count - done, s->pos + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                std::memset(dst, 0, count);
                MEMPLUSERROR = 4;
                return;
            }
            done += static_cast<std::size_t>(n);
        }
    }
    s->pos += static_cast<std::int64_t>(count);
}

void MEMPLUSRESET() {
    for (auto& s : ERWEITERT) s.reset();
    MEMPLUSERROR = 0;
    MEMPLUSSTATE = 0;
    MEMPLUSFORM = "NO";
}

}  // namespace korax
