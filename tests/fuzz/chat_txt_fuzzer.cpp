// Fuzz target: the quick-phrase file "chat.txt" beside the program, read by the quick-phrase
// window as it loads; the window is unloaded again after each input.
#include "chat/huifu.h"
#include "client/client.h"
#include "file_fuzz.h"
#include "kept_client.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    kept.run([&](client::Client& c) {
        fuzzing::WriteInputFile(c.sys.env.programFolder / "chat.txt", data, size);
        kept.harness().scheduler.dispatch([&] { (void)*c.huifu; });
        c.huifu.unload();
    });
    return 0;
}
