// The table window's cost: one full repaint with a hand and a trick on it (offscreen), and
// placing every control at load (making the array members and laying out both areas).
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <memory>

#include "platform/runtime/failure.h"
#include "platform/runtime/single_instance.h"
#include "resources/picture_ids.h"
#include "table/table_layout.h"
#include "table/table_scene.h"

namespace {

using table_test::LoadedTable;
using table_test::Screen;

void UseOffscreenDisplay() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    table_test::EnsureApplication();
}

void BM_RepaintTableWindow(benchmark::State& state, Screen screen) {
    UseOffscreenDisplay();
    LoadedTable table(screen, true);
    table_test::SetUpScene(table);
    for (auto _ : state) {
        QImage picture = forms::renderWindow(table.form());
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// A table window as designed, nothing placed yet: a second copy of the client is refused by
// the single-instance lock before start-up places anything, and the window stays loaded.
struct DesignedTable {
    support::ClientHarness harness;
    std::unique_ptr<platform::SingleInstanceLock> otherCopy;
    client::Client* c = nullptr;

    explicit DesignedTable(Screen screen) {
        harness.env.screenSize = table_test::ScreenSize(screen);
        otherCopy = std::make_unique<platform::SingleInstanceLock>(harness.folder, "korvash");
        c = &harness.make();
        try {
            c->MainForm.get();
        } catch (const platform::ProgramEnd&) {
        }
        c->s.g_fScaleX = c->s.g_fScaleY = table_test::ScaleOf(screen);
        c->ids = resources::InitImageIds(c->s.g_fScaleX);
    }
};

void BM_PlaceEveryControlAtLoad(benchmark::State& state, Screen screen) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<DesignedTable>(screen);
        state.ResumeTiming();
        table::ArrangeSeatControls(*table->c);
        table::ArrangePlayAreaControls(*table->c);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(BM_RepaintTableWindow, full_1280x1024, Screen::Framed1280)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RepaintTableWindow, reduced_800x600, Screen::Small800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlaceEveryControlAtLoad, full, Screen::Framed1280)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlaceEveryControlAtLoad, reduced, Screen::Small800)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
