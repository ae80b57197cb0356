// Fuzz target: the hand-history file "info.brm" beside the program, loaded into the score board
// for the hand the first byte names (0 loads nothing, as the board does).
#include "client/client.h"
#include "file_fuzz.h"
#include "kept_client.h"
#include "settlement/hand_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    if (size == 0) return 0;
    kept.run([&](client::Client& c) {
        fuzzing::WriteInputFile(c.sys.env.programFolder / "info.brm", data + 1, size - 1);
        kept.harness().scheduler.dispatch(
            [&] { settlement::OpenHandInScoreBoard(c, data[0] % 16); });
    });
    return 0;
}
