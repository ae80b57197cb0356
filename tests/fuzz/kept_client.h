#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "client/client.h"
#include "support/client_harness.h"

// One loaded client that a fuzz target keeps for its whole run. Building and loading a client
// costs tens of milliseconds; restoring the shared state it had after loading costs
// microseconds, so every input starts from the same variables, and the same files in the
// client's folders, without a new client. The windows' controls are not restored: an input
// starts with them as the inputs before it left them.
namespace fuzzing {

class KeptClient {
  public:
    using Prepare = std::function<void(client::Client&)>;
    KeptClient();
    // `prepare` runs once the client has loaded and before its state is kept, so that every
    // input starts from where it left the client (at a table state, say) without doing it again.
    explicit KeptClient(Prepare prepare);

    client::Client& client() { return *harness_->client; }
    support::ClientHarness& harness() { return *harness_; }

    // Runs one input: the shared state as it was after loading, then `input`. The end of the
    // program ends the input; the client is then built afresh for the next one, since an end
    // leaves without unloading. Anything else escaping is a fault and reaches the fuzzer.
    void run(const std::function<void(client::Client&)>& input);

  private:
    void build();
    // The files an input wrote in the client's folders go back to what loading left there.
    void restoreFiles();

    struct KeptFile {
        std::filesystem::file_time_type written;
        std::string bytes;
    };

    Prepare prepare_;
    std::unique_ptr<support::ClientHarness> harness_;
    state::SharedState loaded_;
    props::PropsState loadedProps_;
    std::map<std::filesystem::path, KeptFile> files_;
};

}  // namespace fuzzing
