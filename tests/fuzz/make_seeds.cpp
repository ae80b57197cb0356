// Writes the fuzz targets' seed corpora, one folder per target, from the frame builder, the
// table server's recorded hand and hand-made files. The corpora are kept in the repository
// (tests/fuzz/corpus); run this after a frame layout changes:
//   korvash-fuzz-seeds tests/fuzz/corpus
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "anigif/gif_builder.h"
#include "connection/hall_link.h"
#include "connection/ini_file.h"
#include "dispatch_input.h"
#include "platform/desktop/window_message.h"
#include "platform/text/gbk.h"
#include "prop_work_input.h"
#include "recorded_hand.h"
#include "settlement/hand_record.h"
#include "support/client_harness.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class Corpus {
  public:
    Corpus(const fs::path& root, const std::string& target) : folder_(root / target) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void add(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(folder_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void add(const std::string& name, const std::string& bytes) const {
        add(name, Bytes(bytes.begin(), bytes.end()));
    }

  private:
    fs::path folder_;
};

std::string gbk(const QString& text) {
    return platform::encodeGbk(text);
}

void DispatchSeeds(const fs::path& root) {
    using fuzzing::TableState;
    const Corpus corpus(root, "dispatch_fuzzer");
    const auto& hand = fuzzing::WholeHand();
    const auto every = fuzzing::FrameOfEveryType();
    for (int s = 0; s < fuzzing::TableStateCount; ++s) {
        const auto state = TableState(s);
        const std::string prefix = "state" + std::to_string(s);
        for (std::size_t k = 0; k < every.size(); ++k) {
            corpus.add(prefix + "-type" + std::to_string(every[k][3]) + "-" + std::to_string(k),
                       fuzzing::WriteDispatchInput(state, {every[k]}));
        }
        const std::size_t done = fuzzing::FramesInto(state).size();
        Bytes rest =
            fuzzing::WriteDispatchInput(state, {hand.begin() + std::ptrdiff_t(done), hand.end()});
        corpus.add(prefix + "-rest-of-hand", rest);
        rest[0] |= 0x40;  // the clocks run between frames
        corpus.add(prefix + "-rest-of-hand-timed", rest);
    }
}

void Socks5Seeds(const fs::path& root) {
    const Corpus corpus(root, "socks5_fuzzer");
    // Settings: step (0: greeting reply, 1: password reply, 2: connect reply) with bit 2 for a
    // user name; then the arrival size (0: one arrival).
    const std::vector<std::pair<std::string, Bytes>> seeds = {
        {"greeting-no-auth", {0, 0, 5, 0}},
        {"greeting-password", {4, 0, 5, 2}},
        {"greeting-refused", {0, 0, 5, 0xFF}},
        {"password-accepted", {5, 0, 1, 0}},
        {"password-refused", {5, 1, 1, 1}},
        {"connect-ipv4", {2, 0, 5, 0, 0, 1, 127, 0, 0, 1, 0x1E, 0x6C}},
        {"connect-ipv4-bytewise-with-game-bytes",
         {2, 1, 5, 0, 0, 1, 10, 0, 0, 1, 0, 80, 0, 0, 0, 18}},
        {"connect-domain", {2, 0, 5, 0, 0, 3, 4, 'h', 'o', 's', 't', 0, 80}},
        {"connect-ipv6", {2, 0, 5, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 80}},
        {"connect-refused", {2, 0, 5, 5, 0, 1, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& [name, bytes] : seeds) corpus.add(name, bytes);
}

void CommandLineSeeds(const fs::path& root) {
    const Corpus corpus(root, "command_line_fuzzer");
    using support::ClientHarness;
    corpus.add("no-connection", gbk(ClientHarness::commandLine({})));
    corpus.add("direct", gbk(ClientHarness::commandLine({{6, "0"}})));
    corpus.add("proxy", gbk(ClientHarness::commandLine({{6, "5"}, {9, "user"}, {10, "pw"}})));
    corpus.add("own-captions", gbk(ClientHarness::commandLine({{11, "1"}})));
    corpus.add("short", gbk(QStringLiteral("player1$pw$127.0.0.1$")));
    corpus.add("empty", std::string());
}

void WindowMessageSeeds(const fs::path& root) {
    const Corpus corpus(root, "window_message_fuzzer");
    const auto message = [](std::uint32_t number, std::int32_t wParam = 0) {
        Bytes bytes(12, 0);
        for (int i = 0; i < 4; ++i) {
            bytes[std::size_t(i)] = std::uint8_t(number >> (8 * i));
            bytes[std::size_t(4 + i)] = std::uint8_t(std::uint32_t(wParam) >> (8 * i));
        }
        return bytes;
    };
    using namespace connection;
    for (const std::uint32_t hall : {HallMsgRelink, HallMsgClose, HallMsgIdle, HallMsgInGame,
                                     HallMsgBusy, HallMsgHandStarted}) {
        corpus.add("hall-" + std::to_string(hall), message(hall));
    }
    corpus.add("minimise", message(platform::kSystemCommandMessage,
                                   std::int32_t(platform::SystemCommand::Minimise)));
    corpus.add("restore", message(platform::kSystemCommandMessage,
                                  std::int32_t(platform::SystemCommand::Restore)));
    Bytes both = message(HallMsgRelink);
    const Bytes close = message(HallMsgClose);
    both.insert(both.end(), close.begin(), close.end());
    corpus.add("relink-then-close", both);
}

void FileSeeds(const fs::path& root) {
    const Corpus video(root, "video_switch_fuzzer");
    video.add("on", std::string("[vidiosetting]\r\nvidiovalue=1\r\n"));
    video.add("off", std::string("[vidiosetting]\r\nvidiovalue=0\r\n"));
    video.add("no-number", std::string("[vidiosetting]\r\nvidiovalue=abc\r\n"));
    video.add("empty", std::string());

    const Corpus chat(root, "chat_txt_fuzzer");
    chat.add("two-lists", gbk(QStringLiteral("[chat]\r\nnum=2\r\n1=大家好\r\n2=快点吧\r\n"
                                             "[chat1]\r\nnum=1\r\n1=再见\r\n")));
    chat.add("missing-keys", gbk(QStringLiteral("[chat]\r\nnum=3.5\r\n2=你好\r\n")));
    chat.add("empty", std::string());

    // The history file as the score board writes it, through the INI class into a scratch folder.
    const fs::path scratch = fs::temp_directory_path() / "korvash-fuzz-seeds";
    fs::create_directories(scratch);
    connection::classIniFile ini;
    ini.setINIFileName(QString::fromStdString(scratch.string()) + QStringLiteral("\\info.brm"));
    settlement::HandRecord record;
    for (int i = 0; i < 4; ++i) {
        record.names[std::size_t(i)] = QStringLiteral("玩家%1").arg(i);
        record.picIndex[std::size_t(i)] = QString::number(i * 3);
        record.colours[std::size_t(i)] = 0x00FF00u * std::uint32_t(i);
    }
    for (int j = 0; j < 8; ++j)
        record.columns[std::size_t(j)] = {QStringLiteral("+100"), QString()};
    fs::remove(scratch / "info.brm");
    settlement::WriteHandRecord(ini, 1, record);
    settlement::WriteHandRecord(ini, 2, record);
    std::ifstream in(scratch / "info.brm", std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    const Corpus history(root, "hand_history_fuzzer");
    history.add("hand1", std::string(1, '\1') + file);
    history.add("hand2", std::string(1, '\2') + file);
    fs::remove_all(scratch);
}

void PropWorkSeeds(const fs::path& root) {
    using fuzzing::PropWorkInputItem;
    const Corpus corpus(root, "prop_work_fuzzer");
    const auto text = [](const QString& t) {
        return std::vector<char16_t>(t.utf16(), t.utf16() + t.size());
    };
    state::Frame frame{};
    frame[3] = 51;
    const std::vector<std::pair<std::string, PropWorkInputItem>> items = {
        {"chat-line", {.type = 0, .text = text(QStringLiteral("道具到账"))}},
        {"floating-text",
         {.type = 1,
          .text = text(QStringLiteral("飘字")),
          .rect = {300, 30, 362, 250},
          .style = {100, 3, 15, 0x00FFFF, 2}}},
        {"frame", {.type = 2, .bytes = std::vector<std::uint8_t>(frame.begin(), frame.end())}},
        {"seat-click", {.type = 3, .text = text(QStringLiteral("2"))}},
        {"key", {.type = 4, .text = text(QStringLiteral("113"))}},
        {"seat-card", {.type = 5, .text = text(QStringLiteral("1"))}},
    };
    std::vector<PropWorkInputItem> all;
    for (const auto& [name, item] : items) all.push_back(item);
    for (int s = 0; s < fuzzing::TableStateCount; ++s) {
        const std::string prefix = "state" + std::to_string(s);
        for (const auto& [name, item] : items)
            corpus.add(prefix + "-" + name, fuzzing::WritePropWorkInput(std::uint8_t(s), {item}));
        // With chests, one item a tick with time passing, one more announced than handed over.
        corpus.add(prefix + "-all-one-a-tick",
                   fuzzing::WritePropWorkInput(std::uint8_t(s | 0x38), all));
        corpus.add(prefix + "-all-at-once", fuzzing::WritePropWorkInput(std::uint8_t(s), all));
    }
}

void GifSeeds(const fs::path& root) {
    using namespace anigif_test;
    const Corpus anigif(root, "anigif_fuzzer");
    const Corpus index(root, "gif_index_fuzzer");
    // Hand-made plans, not random ones: the seeds must come out the same from every compiler.
    FrameSpec local = patternFrame(2, 1, 5, 4, 4, 2);
    local.localTable = paletteOf(4, 3);
    FrameSpec timed = patternFrame(0, 0, 8, 6, 8, 3);
    timed.withControl = true;
    timed.delayCs = 10;
    timed.disposal = 2;
    timed.transparent = true;
    timed.transIndex = 1;
    FrameSpec interlaced = patternFrame(1, 2, 6, 9, 8, 4);
    interlaced.interlaced = true;
    const std::vector<std::pair<std::string, GifPlan>> plans = {
        {"one-frame",
         {.screenWidth = 8,
          .screenHeight = 6,
          .globalTable = paletteOf(8),
          .frames = {patternFrame(0, 0, 8, 6, 8, 1)}}},
        {"local-table", {.screenWidth = 8, .screenHeight = 6, .frames = {local}}},
        {"animation",
         {.screenWidth = 8,
          .screenHeight = 6,
          .globalTable = paletteOf(8),
          .loops = 0,
          .frames = {timed, patternFrame(3, 3, 4, 3, 8, 5), timed}}},
        {"interlaced",
         {.screenWidth = 8,
          .screenHeight = 12,
          .globalTable = paletteOf(8),
          .frames = {interlaced}}},
        {"gif87a",
         {.signature = "GIF87a",
          .screenWidth = 4,
          .screenHeight = 4,
          .globalTable = paletteOf(2),
          .frames = {patternFrame(0, 0, 4, 4, 2, 6)}}},
    };
    for (const auto& [name, plan] : plans) {
        anigif.add(name, buildGif(plan));
        index.add(name, buildGif(plan));
    }
}

// Answers of a web server, each read whole (first byte 0) or in arrivals of 7 bytes under a
// body limit of 1024 (0xC7).
void HttpResponseSeeds(const fs::path& root) {
    const Corpus corpus(root, "http_response_fuzzer");
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n";
    const std::vector<std::pair<std::string, std::string>> answers = {
        {"content-length", ok + "Content-Length: 13\r\n\r\n<p>Korvash</p>"},
        {"chunked", ok + "Transfer-Encoding: chunked\r\n\r\n5;x=1\r\nhello\r\n6\r\n world\r\n"
                         "0\r\nExpires: 0\r\n\r\n"},
        {"until-close", "HTTP/1.0 200 OK\r\nContent-Type: image/gif\r\n\r\nGIF89a"},
        {"redirect", "HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 0\r\n\r\n"},
        {"interim-then-not-found",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\n"
         "Content-Type:\r\n text/plain\r\nContent-Length: 4\r\n\r\ngone"},
        {"no-content", "HTTP/1.1 204 No Content\r\n\r\n"},
    };
    for (const auto& [name, answer] : answers) {
        corpus.add(name, std::string(1, '\0') + answer);
        corpus.add(name + "-fragmented", std::string(1, '\xC7') + answer);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    DispatchSeeds(root);
    Socks5Seeds(root);
    CommandLineSeeds(root);
    WindowMessageSeeds(root);
    FileSeeds(root);
    GifSeeds(root);
    PropWorkSeeds(root);
    HttpResponseSeeds(root);
    return 0;
}
