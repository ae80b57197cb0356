// Showing a picture goes through a temporary file: write the resource, load it, delete the
// file. One card face must take well under half a millisecond.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <filesystem>

#include "resources/resource_store.h"

namespace {

void ShowCardPictureThroughTemporaryFile(benchmark::State& state) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("korvash_bench_" + std::to_string(::getpid()) + "_tmp46.GIF");
    const QString qtPath = QString::fromStdString(path.string());
    for (auto _ : state) {
        if (!resources::SaveResToFile(46, "GIF", path)) {
            state.SkipWithError("picture 46 could not be written");
            break;
        }
        QImage picture(qtPath);
        benchmark::DoNotOptimize(picture);
        std::filesystem::remove(path);
    }
}
BENCHMARK(ShowCardPictureThroughTemporaryFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);  // the median is the figure to read

}  // namespace

BENCHMARK_MAIN();
