#include <benchmark/benchmark.h>

#include <string_view>

#include "console/Colour.h"
#include "console/Surface.h"
#include "console/TerminalRenderer.h"

namespace {

using console::Surface;
using console::TerminalRenderer;

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;

// A 58 x 60 surface with every cell set: characters, box lines and suits, runs of
// colours of different lengths (so the renderer changes colours often) and plain text.
// `variant` shifts everything, so two variants differ in every cell.
Surface busy_surface(int variant)
{
    Surface surface;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int n = x + y * width + variant;
            const char ch = n % 7 == 0    ? '\xC4'
                            : n % 11 == 0 ? '\x03'
                                          : static_cast<char>('A' + n % 26);
            surface.write_characters(x, y, &ch, 1);
            const unsigned short attribute =
                static_cast<unsigned short>(((x / 3 + y + variant) % 16) | ((y / 4 % 8) << 4));
            if ((x + y + variant) % 5 != 0)
                surface.fill_attribute(x, y, attribute, 1);
        }
    }
    return surface;
}

void record_bytes(benchmark::State& state, std::size_t bytes)
{
    state.counters["bytes_per_render"] = static_cast<double>(bytes);
}

// Every cell changed since the last render (two surfaces in turn).
void render_full_change(benchmark::State& state)
{
    const Surface surfaces[2] = {busy_surface(0), busy_surface(1)};
    TerminalRenderer renderer;
    renderer.render(surfaces[1], false);
    std::size_t bytes = 0;
    int turn = 0;
    for (auto _ : state) {
        const std::string_view out = renderer.render(surfaces[turn], false);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
        turn ^= 1;
    }
    record_bytes(state, bytes);
}

// The whole terminal cleared and painted again, as after a resize.
void render_repaint(benchmark::State& state)
{
    const Surface surface = busy_surface(0);
    TerminalRenderer renderer;
    renderer.render(surface, false);
    std::size_t bytes = 0;
    for (auto _ : state) {
        renderer.invalidate();
        const std::string_view out = renderer.render(surface, false);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    record_bytes(state, bytes);
}

// Nothing changed: the cost of comparing every cell, what a redraw of the same table costs.
void render_unchanged(benchmark::State& state)
{
    const Surface surface = busy_surface(0);
    TerminalRenderer renderer;
    renderer.render(surface, false);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string_view out = renderer.render(surface, false);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    record_bytes(state, bytes);
}

// A flush before input on an unchanged screen: cursor hidden, echo row blanked, cursor shown.
void render_flush_unchanged(benchmark::State& state)
{
    const Surface surface = busy_surface(0);
    TerminalRenderer renderer;
    renderer.render(surface, true);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string_view out = renderer.render(surface, true);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    record_bytes(state, bytes);
}

} // namespace

BENCHMARK(render_full_change);
BENCHMARK(render_repaint);
BENCHMARK(render_unchanged);
BENCHMARK(render_flush_unchanged);
