// Fuzz target: window messages other programs (the hall, anybody) post to the table window. The
// input is a run of 12-byte messages (number, wParam, lParam, little-endian), each handled by the
// table window's procedure as one event.
#include <cstring>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "kept_client.h"

namespace {

std::int32_t Word(const std::uint8_t* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return std::int32_t(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    constexpr std::size_t kMessageSize = 12;
    kept.run([&](client::Client& c) {
        for (std::size_t at = 0; at + kMessageSize <= size; at += kMessageSize) {
            const auto message = std::uint32_t(Word(data + at));
            kept.harness().scheduler.dispatch([&] {
                connection::MainWndProc(c, platform::WindowHandle{1}, message, Word(data + at + 4),
                                        Word(data + at + 8));
            });
        }
    });
    return 0;
}
