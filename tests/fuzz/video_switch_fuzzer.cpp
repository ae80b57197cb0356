// Fuzz target: the video switch file "vidiosetting.ini" beside the program, read as start-up
// reads it.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/video_switch.h"
#include "file_fuzz.h"
#include "kept_client.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    kept.run([&](client::Client& c) {
        fuzzing::WriteInputFile(c.sys.env.programFolder / "vidiosetting.ini", data, size);
        kept.harness().scheduler.dispatch([&] { connection::ReadVideoSwitch(c, *c.MainForm); });
    });
    return 0;
}
