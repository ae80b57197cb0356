#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "client/client.h"
#include "folder_changes.h"
#include "support/client_harness.h"

// One loaded client that a fuzz target keeps for its whole run. Building and loading a client
// costs tens of milliseconds; restoring the shared state it had after loading costs
// microseconds, so every input starts from the same variables, and the same files in the
// client's folders, without a new client. The windows' controls are not restored: an input
// starts with them as the inputs before it left them, except that a list grown long is emptied.
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
    // program ends the input, and the next one runs on the same client. Anything else escaping
    // is a fault and reaches the fuzzer.
    void run(const std::function<void(client::Client&)>& input);

  private:
    // The files and folders an input changed in the client's folders go back to what loading
    // left there: the kept files rewritten, anything new removed.
    void restoreFiles();
    // The same when what changed is not known: the whole tree is looked at.
    void restoreTree();
    static void rewrite(const std::pair<const std::string, std::string>& file);

    std::unique_ptr<support::ClientHarness> harness_;
    state::SharedState loaded_;
    props::PropsState loadedProps_;
    // By their paths as the system spells them, as the folder changes come.
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::unique_ptr<FolderChanges> changes_;
    long inputs_ = 0;
};

}  // namespace fuzzing
