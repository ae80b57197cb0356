// The video frame path's cost: a remote frame decoded, scaled to its pane and painted, each
// step alone and the whole way from the relay socket's bytes to the pane; and the share of one
// core a table spends while three remote panes play at the camera's frame rate (offscreen).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPainter>
#include <chrono>
#include <thread>

#include "platform/video/camera_source.h"
#include "platform/video/frame_display.h"
#include "platform/video/relay_protocol.h"
#include "platform/video/relay_socket.h"
#include "platform/video/video_component.h"
#include "support/test_pattern_camera.h"
#include "table/table_fixture.h"

namespace {

namespace relay = platform::relay;

constexpr QSize kPane{116, 95};  // a remote pane of the full table

void UseOffscreenDisplay() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    table_test::EnsureApplication();
}

QByteArray Frame(int n, QColor tint = Qt::blue) {
    return platform::EncodeFrame(support::TestPattern(n, QStringLiteral("对家"), tint));
}

void BM_DecodeFrame(benchmark::State& state) {
    UseOffscreenDisplay();
    const QByteArray frame = Frame(1);
    for (auto _ : state) {
        QImage picture = platform::DecodeFrame(frame);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["frame_bytes"] = double(frame.size());
}

void BM_ScaleFrame(benchmark::State& state) {
    UseOffscreenDisplay();
    const QImage picture = platform::DecodeFrame(Frame(1));
    for (auto _ : state) {
        QImage scaled = platform::ScaleFrame(picture, kPane);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}

// What the pane's widget does with the picture it holds: draw it over its place.
void BM_PaintFrame(benchmark::State& state) {
    UseOffscreenDisplay();
    const QImage scaled = platform::ScaleFrame(platform::DecodeFrame(Frame(1)), kPane);
    QImage window(1040, 796, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QPoint(17, 31), scaled);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

// A table with the video component, three seated players linked in slots 1..3 of its relay
// socket at the full rate; frames are handed to the socket as the relay's bytes.
struct PlayingTable {
    support::ClientHarness harness;
    platform::VideoComponent component{harness.scheduler, {.openCamera = nullptr, .relayPort = 1}};
    client::Client* c = nullptr;
    platform::RelaySocket* socket = nullptr;

    explicit PlayingTable(bool withView) {
        harness.videoComponent = &component;
        if (withView) harness.attachView = forms::attachView;
        c = &harness.make();
        auto& form = *c->MainForm;
        socket = dynamic_cast<platform::RelaySocket*>(form.P2PSocket1.get());
        // No relay: the frames come from the benchmark.
        socket->ServerLogout();
        const QString names[] = {QStringLiteral("left"), QStringLiteral("opposite"),
                                 QStringLiteral("right")};
        for (std::int16_t k = 1; k <= 3; ++k) {
            c->s.custom[std::size_t(k)].name = names[k - 1];
            std::int16_t slot = k;
            QString account = names[k - 1];
            socket->RequestVideo(slot, account);
            socket->receive(relay::encode(relay::Kind::SlotState, std::uint8_t(k),
                                          QByteArray(1, char(relay::kStateFullRate))));
        }
    }
    void deliver(int slot, const QByteArray& frame) {
        harness.scheduler.dispatch([&] {
            socket->receive(relay::encode(relay::Kind::PeerFrame, std::uint8_t(slot), frame));
        });
    }
};

// The whole receiving path of one frame: the socket's bytes to the drawn pane's picture.
void BM_FrameArrivalToPane(benchmark::State& state) {
    UseOffscreenDisplay();
    PlayingTable table(false);
    const QByteArray frames[2] = {Frame(1), Frame(2)};
    int n = 0;
    for (auto _ : state) table.deliver(1, frames[++n % 2]);
    const auto& pane = dynamic_cast<const platform::FrameDisplay&>(table.c->MainForm->vshow1[1]);
    if (pane.framesShown() == 0) state.SkipWithError("no frame reached the pane");
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Three panes at the camera's rate for three seconds, the table's widgets painting offscreen:
// the process's CPU time over the wall time.
void BM_ThreePanesPlaying(benchmark::State& state) {
    UseOffscreenDisplay();
    PlayingTable table(true);
    table.c->MainForm->show();
    std::vector<QByteArray> frames;
    const QColor tints[] = {Qt::green, Qt::blue, Qt::yellow};
    for (int n = 0; n < 16; ++n) frames.push_back(Frame(n, tints[n % 3]));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        auto due = start;
        int tick = 0;
        while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
            for (int k = 1; k <= 3; ++k) table.deliver(k, frames[std::size_t((tick + k) % 16)]);
            QApplication::processEvents();
            ++tick;
            due += std::chrono::milliseconds(platform::kCameraFrameIntervalMs);
            std::this_thread::sleep_until(due);
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["cpu_percent_of_core"] = 100.0 * (CpuSeconds() - cpuStart) / wall;
        state.counters["frames_per_second"] = 3.0 * tick / wall;
    }
}

}  // namespace

BENCHMARK(BM_DecodeFrame);
BENCHMARK(BM_ScaleFrame);
BENCHMARK(BM_PaintFrame);
BENCHMARK(BM_FrameArrivalToPane);
BENCHMARK(BM_ThreePanesPlaying)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
