// Fuzz target: the hall's command line, as GBK bytes, read into the shared state as start-up
// reads it (inside an event: a malformed line is a run-time failure the event loop drops).
#include <string_view>

#include "client/client.h"
#include "connection/command_line.h"
#include "kept_client.h"
#include "platform/text/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    const QString line =
        platform::decodeGbk(std::string_view(reinterpret_cast<const char*>(data), size));
    kept.run([&](client::Client& c) {
        c.sys.env.commandLine = line;
        kept.harness().scheduler.dispatch([&] { connection::ReadCommandLine(c); });
    });
    return 0;
}
