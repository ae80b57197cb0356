#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/process_server_message.h"
#include "recording_prop_dll.h"
#include "support/client_harness.h"
#include "support/server_frames.h"

namespace dispatch_test {

// A loaded client that makes no connection (the harness's own command line), with the hall window
// found by its default caption and nothing yet recorded at the hall. Tests of answers that end the
// program make one per case.
struct LoadedClient {
    support::ClientHarness harness;
    client::Client& c;

    LoadedClient() : c(load(harness)) {}

    std::vector<platform::SystemCommand> hallCommands() const {
        return harness.desktop.systemCommands(harness.hall);
    }
    std::vector<std::uint32_t> hallPosts() const {
        std::vector<std::uint32_t> messages;
        for (const auto& post : harness.desktop.posts(harness.hall)) {
            messages.push_back(post.message);
        }
        return messages;
    }
    RecordingPropDll& loadPropPlugin(std::int16_t propState = 1) {
        return InstallRecordingPropDll(c, propState);
    }

  private:
    static client::Client& load(support::ClientHarness& h) {
        client::Client& client = h.make();
        (void)*client.MainForm;
        client.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
        h.desktop.clearRecords(h.hall);
        return client;
    }
};

class DispatchTest : public ::testing::Test {
  protected:
    LoadedClient loaded;
    support::ClientHarness& harness = loaded.harness;
    client::Client& c = loaded.c;

    client::MainForm& form() { return *c.MainForm; }
    void dispatch(state::Frame frame) { dispatch::ProcessServerMessage(c, frame); }
    RecordingPropDll& loadPropPlugin(std::int16_t propState = 1) {
        return loaded.loadPropPlugin(propState);
    }
    std::vector<platform::SystemCommand> hallCommands() const { return loaded.hallCommands(); }
    std::vector<std::uint32_t> hallPosts() const { return loaded.hallPosts(); }
};

}  // namespace dispatch_test
