// The graph layer against the same work done with cairo image surfaces, and PCX
// decoding against Pillow: a full-page bar, 10,000 lines, 1,000 short texts, a
// full-page image transfer and a 320 x 200 picture.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>
#include <string>
#include <vector>

#include "graph/wingraph.h"
#include "graph/winpcx.h"

#ifdef KORAX_HAVE_CAIRO
#include <cairo.h>
#endif

using namespace korax;

namespace {

constexpr int W = 1024, H = 768;

void open_layer() {
    if (GRAPHENABLED()) return;
    setenv("KORAX_VIDEO", "headless", 1);
    INITGRAPH(3, 6, "bench");
    GRAPHRESULT();
}

struct Seg {
    int x1, y1, x2, y2;
};
const std::vector<Seg>& segments() {
    static const std::vector<Seg> s = [] {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<int> x(0, W - 1), y(0, H - 1);
        std::vector<Seg> v(10000);
        for (auto& g : v) g = {x(rng), y(rng), x(rng), y(rng)};
        return v;
    }();
    return s;
}

// A 320 x 200 picture with runs and literals, encoded as a PCX file.
const std::vector<std::uint8_t>& pcx_file() {
    static const std::vector<std::uint8_t> f = [] {
        std::vector<std::uint8_t> out(128, 0);
        out[0] = 10;
        out[1] = 5;
        out[2] = 1;
        out[3] = 8;
        out[8] = 319 & 0xFF;
        out[9] = 319 >> 8;
        out[10] = 199;
        out[65] = 1;
        out[66] = 320 & 0xFF;
        out[67] = 320 >> 8;
        for (int y = 0; y < 200; ++y) {
            std::vector<std::uint8_t> row(320);
            for (int x = 0; x < 320; ++x) row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>((x / 16 + y / 10) % 2 ? (x * y) & 0xFF : 40);
            for (std::size_t i = 0; i < row.size();) {
                std::size_t n = 1;
                while (i + n < row.size() && n < 63 && row[i + n] == row[i]) ++n;
                if (n > 1 || row[i] >= 192) {
                    out.push_back(static_cast<std::uint8_t>(192 | n));
                }
                out.push_back(row[i]);
                i += n;
            }
        }
        out.push_back(12);
        for (int i = 0; i < 768; ++i) out.push_back(static_cast<std::uint8_t>(i / 3));
        return out;
    }();
    return f;
}

void BM_Korax_FullPageBar(benchmark::State& st) {
    open_layer();
    int c = 1;
    for (auto _ : st) {
        SETFILLSTYLE(1, static_cast<std::uint32_t>(c++ & 0xFF));
        BAR(0, 0, W - 1, H - 1);
    }
    st.SetItemsProcessed(st.iterations() * W * H);
}
BENCHMARK(BM_Korax_FullPageBar);

void BM_Korax_10000Lines(benchmark::State& st) {
    open_layer();
    SETLINESTYLE(0, 0, 1);
    for (auto _ : st) {
        int c = 0;
        for (const Seg& s : segments()) {
            SETCOLOR(static_cast<std::uint32_t>(c++ & 0xFF));
            LINE(s.x1, s.y1, s.x2, s.y2);
        }
    }
}
BENCHMARK(BM_Korax_10000Lines)->Unit(benchmark::kMillisecond);

void BM_Korax_1000Texts(benchmark::State& st) {
    open_layer();
    SETTEXTSTYLE(2, 0, 16);
    SETCOLOR(15);
    for (auto _ : st)
        for (int i = 0; i < 1000; ++i) OUTTEXTXY((i * 37) % 900, (i * 13) % 700, "Player 12");
}
BENCHMARK(BM_Korax_1000Texts)->Unit(benchmark::kMillisecond);

void BM_Korax_PutImageFullPage(benchmark::State& st) {
    open_layer();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; x += 8) PUTPIXEL(x, y, static_cast<std::uint32_t>((x ^ y) & 0xFF));
    std::vector<std::uint8_t> img;
    GETIMAGE(0, 0, W - 1, H - 1, img);
    for (auto _ : st) PUTIMAGE(0, 0, img, 0);
    st.SetItemsProcessed(st.iterations() * W * H);
}
BENCHMARK(BM_Korax_PutImageFullPage)->Unit(benchmark::kMillisecond);

// The same transfer for bytes the layer has not produced itself (a picture read
// from elsewhere): every colour is looked up in the palette.
void BM_Korax_PutImageFullPageForeignBytes(benchmark::State& st) {
    open_layer();
    std::vector<std::uint8_t> img;
    GETIMAGE(0, 0, W - 1, H - 1, img);
    for (std::size_t i = 54; i < img.size(); i += 3) img[i] = static_cast<std::uint8_t>(i * 7);
    std::uint8_t k = 0;
    for (auto _ : st) {
        img[60] = k++;
        PUTIMAGE(0, 0, img, 0);
    }
    st.SetItemsProcessed(st.iterations() * W * H);
}
BENCHMARK(BM_Korax_PutImageFullPageForeignBytes)->Unit(benchmark::kMillisecond);

void BM_Korax_DecodePcx320x200(benchmark::State& st) {
    const auto& f = pcx_file();
    PCXPICTURE pic;
    for (auto _ : st) {
        DECODEPCX(f.data(), f.size(), pic);
        benchmark::DoNotOptimize(pic.SCR.data());
    }
}
BENCHMARK(BM_Korax_DecodePcx320x200)->Unit(benchmark::kMicrosecond);

#ifdef KORAX_HAVE_CAIRO
struct Cairo {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_t* cr = cairo_create(s);
    Cairo() { cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); }
    ~Cairo() {
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
};

void BM_Cairo_FullPageBar(benchmark::State& st) {
    Cairo c;
    int k = 1;
    for (auto _ : st) {
        cairo_set_source_rgb(c.cr, (k++ & 0xFF) / 255.0, 0.5, 0.25);
        cairo_rectangle(c.cr, 0, 0, W, H);
        cairo_fill(c.cr);
    }
    cairo_surface_flush(c.s);
    st.SetItemsProcessed(st.iterations() * W * H);
}
BENCHMARK(BM_Cairo_FullPageBar);

void BM_Cairo_10000Lines(benchmark::State& st) {
    Cairo c;
    cairo_set_line_width(c.cr, 1.0);
    for (auto _ : st) {
        int k = 0;
        for (const Seg& s : segments()) {
            cairo_set_source_rgb(c.cr, (k++ & 0xFF) / 255.0, 0.5, 0.25);
            cairo_move_to(c.cr, s.x1 + 0.5, s.y1 + 0.5);
            cairo_line_to(c.cr, s.x2 + 0.5, s.y2 + 0.5);
            cairo_stroke(c.cr);
        }
        cairo_surface_flush(c.s);
    }
}
BENCHMARK(BM_Cairo_10000Lines)->Unit(benchmark::kMillisecond);

void BM_Cairo_1000Texts(benchmark::State& st) {
    Cairo c;
    cairo_select_font_face(c.cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(c.cr, 14);
    cairo_set_source_rgb(c.cr, 1, 1, 1);
    for (auto _ : st) {
        for (int i = 0; i < 1000; ++i) {
            cairo_move_to(c.cr, (i * 37) % 900, (i * 13) % 700 + 13);
            cairo_show_text(c.cr, "Player 12");
        }
        cairo_surface_flush(c.s);
    }
}
BENCHMARK(BM_Cairo_1000Texts)->Unit(benchmark::kMillisecond);

void BM_Cairo_PutImageFullPage(benchmark::State& st) {
    Cairo c;
    cairo_surface_t* src = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    unsigned char* d = cairo_image_surface_get_data(src);
    for (int i = 0; i < W * H * 4; ++i) d[i] = static_cast<unsigned char>(i * 31);
    cairo_surface_mark_dirty(src);
    for (auto _ : st) {
        cairo_set_source_surface(c.cr, src, 0, 0);
        cairo_paint(c.cr);
        cairo_surface_flush(c.s);
    }
    cairo_surface_destroy(src);
    st.SetItemsProcessed(st.iterations() * W * H);
}
BENCHMARK(BM_Cairo_PutImageFullPage)->Unit(benchmark::kMillisecond);
#endif

// Pillow decodes the same file in a Python process; its own timing is reported.
void BM_Pillow_DecodePcx320x200(benchmark::State& st) {
    const std::string path = "/tmp/korax-bench-pcx-" + std::to_string(getpid()) + ".pcx";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(pcx_file().data(), 1, pcx_file().size(), f);
        std::fclose(f);
    }
    const std::string cmd = "/usr/bin/python3 -c \"import timeit,io\nfrom PIL import Image\n"
                            "b=open('" + path + "','rb').read()\n"
                            "n=500\nt=timeit.timeit(lambda: Image.open(io.BytesIO(b)).load(), number=n)\n"
                            "print(t/n)\" 2>/dev/null";
    for (auto _ : st) {
        double per = -1;
        if (std::FILE* p = popen(cmd.c_str(), "r")) {
            if (std::fscanf(p, "%lf", &per) != 1) per = -1;
            pclose(p);
        }
        if (per < 0) {
            st.SkipWithError("Pillow not available");
            break;
        }
        st.SetIterationTime(per);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Pillow_DecodePcx320x200)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
