#include "kept_client.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "client/main_form.h"
#include "platform/runtime/failure.h"

namespace fuzzing {

KeptClient::KeptClient() : KeptClient(Prepare{}) {}

KeptClient::KeptClient(Prepare prepare) : prepare_(std::move(prepare)) {
    build();
}

void KeptClient::build() {
    // A program end may have left the scheduler ended too: the whole harness goes.
    harness_.reset();
    harness_ = std::make_unique<support::ClientHarness>();
    client::Client& c = harness_->make();
    (void)*c.MainForm;
    c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
    if (prepare_) prepare_(c);
    loaded_ = c.s;
    loadedProps_ = c.propShow;
    files_.clear();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(harness_->folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files_[entry.path()] = {entry.last_write_time(), {std::istreambuf_iterator<char>(in), {}}};
    }
}

void KeptClient::restoreFiles() {
    std::vector<std::filesystem::path> added;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(harness_->folder)) {
        if (!entry.is_regular_file()) continue;
        const auto kept = files_.find(entry.path());
        if (kept == files_.end()) {
            added.push_back(entry.path());
        } else if (entry.last_write_time() != kept->second.written) {
            std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << kept->second.bytes;
            kept->second.written = std::filesystem::last_write_time(entry.path());
        }
    }
    for (const auto& path : added) std::filesystem::remove(path);
}

void KeptClient::run(const std::function<void(client::Client&)>& input) {
    client::Client& c = client();
    c.s = loaded_;
    // The plug-in's last work item and show are state beside the shared variables.
    c.propWork = {};
    c.propShow = loadedProps_;
    restoreFiles();
    // What the fake hall recorded would otherwise grow with every input.
    harness_->desktop.clearRecords(harness_->hall);
    try {
        input(c);
    } catch (const platform::ProgramEnd&) {
        build();
        return;
    }
    if (harness_->scheduler.hasEnded()) build();
}

}  // namespace fuzzing
