// A hand's record is saved at every hand's end: a key per line of every score column, written
// in one pass over the history file. The time per key must stay flat as the columns grow (the
// figure for 64 lines a column about that for 8), not grow with the record.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QString>
#include <filesystem>
#include <string>

#include "connection/ini_file.h"
#include "platform/files/file_system.h"
#include "settlement/hand_record.h"

namespace {

settlement::HandRecord RecordOf(int linesPerColumn) {
    settlement::HandRecord record;
    for (int i = 0; i < 4; ++i) {
        record.names[std::size_t(i)] = QStringLiteral("player%1").arg(i);
        record.picIndex[std::size_t(i)] = QString::number(i);
    }
    for (QStringList& column : record.columns)
        for (int k = 0; k < linesPerColumn; ++k) column << QString::number(k * 10 - 35);
    return record;
}

void WriteHandRecordPerKey(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("bench-hand-record." + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "info.brm";
    connection::classIniFile ini;
    ini.setINIFileName(platform::toQString(file));
    const settlement::HandRecord record = RecordOf(int(state.range(0)));
    // Earlier hands in the file, as in a sitting.
    for (int hand = 1; hand <= 4; ++hand) settlement::WriteHandRecord(ini, hand, record);
    for (auto _ : state) settlement::WriteHandRecord(ini, 5, record);
    state.SetItemsProcessed(state.iterations() * (20 + 8 * state.range(0)));
    std::filesystem::remove_all(folder);
}
BENCHMARK(WriteHandRecordPerKey)
    ->Arg(8)
    ->Arg(64)
    ->Arg(512)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);  // items per second is the figure to read

}  // namespace

BENCHMARK_MAIN();
