#include "kept_client.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "client/main_form.h"
#include "platform/forms/list_box.h"
#include "platform/forms/picture_box.h"
#include "platform/runtime/failure.h"

namespace fuzzing {

namespace fs = std::filesystem;

namespace {

// Lists that the client only ever appends to in a sitting (the chat history, the hands
// settled) would otherwise grow with every input of a run of millions. Looked at now and then:
// walking every window's controls at each input would cost more than the input.
constexpr int kMostKeptLines = 200;
constexpr int kInputsBetweenListChecks = 1000;

void EmptyLongLists(forms::Container& container) {
    for (forms::Control* control : container.children()) {
        if (control->kind() == forms::ControlKind::ListBox) {
            auto& list = static_cast<forms::ListBox&>(*control);
            if (list.listCount() > kMostKeptLines) list.clear();
        } else if (control->kind() == forms::ControlKind::PictureBox) {
            EmptyLongLists(static_cast<forms::PictureBox&>(*control));
        }
    }
}

}  // namespace

KeptClient::KeptClient() : KeptClient(Prepare{}) {}

KeptClient::KeptClient(Prepare prepare) : harness_(std::make_unique<support::ClientHarness>()) {
    client::Client& c = harness_->make();
    (void)*c.MainForm;
    c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
    if (prepare) prepare(c);
    loaded_ = c.s;
    loadedProps_ = c.propShow;
    for (const auto& entry : fs::recursive_directory_iterator(harness_->folder)) {
        if (entry.is_directory()) {
            folders_.insert(entry.path().native());
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files_[entry.path().native()] = {std::istreambuf_iterator<char>(in), {}};
        }
    }
    changes_ = std::make_unique<FolderChanges>(harness_->folder);
}

void KeptClient::restoreFiles() {
    const FolderChanges::Changes changes = changes_->take();
    if (changes.unknown) {
        restoreTree();
        return;
    }
    bool putBack = false;
    for (const auto& [path, gone] : changes.paths) {
        if (const auto kept = files_.find(path); kept != files_.end()) {
            rewrite(*kept);
            putBack = true;
        } else if (!gone && !folders_.contains(path)) {
            std::error_code ignored;
            fs::remove_all(fs::path(path), ignored);
            putBack = true;
        }
    }
    // What was just put back is no change of the next input's. An input that only wrote and
    // deleted pictures again has nothing put back, and nothing to read.
    if (putBack) changes_->discard();
}

void KeptClient::restoreTree() {
    changes_.reset();
    std::vector<fs::path> added;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(harness_->folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string& path = it->path().native();
        const bool kept = it->is_directory() ? folders_.contains(path) : files_.contains(path);
        if (kept) continue;
        added.push_back(it->path());
        if (it->is_directory()) it.disable_recursion_pending();
    }
    for (const auto& path : added) fs::remove_all(path, error);
    for (const auto& folder : folders_) fs::create_directories(fs::path(folder), error);
    for (auto& file : files_) rewrite(file);
    changes_ = std::make_unique<FolderChanges>(harness_->folder);
}

void KeptClient::rewrite(const std::pair<const std::string, std::string>& file) {
    std::ofstream(file.first, std::ios::binary | std::ios::trunc) << file.second;
}

void KeptClient::run(const std::function<void(client::Client&)>& input) {
    client::Client& c = client();
    c.s = loaded_;
    // The plug-in's last work item and show are state beside the shared variables.
    c.propWork = {};
    c.propShow = loadedProps_;
    restoreFiles();
    // What the fakes recorded would otherwise grow with every input.
    harness_->desktop.clearRecords(harness_->hall);
    harness_->boxes.clearShown();
    harness_->soundDevice.clearCalls();
    if (++inputs_ % kInputsBetweenListChecks == 0) {
        for (forms::Form* form : c.forms.openForms()) EmptyLongLists(*form);
    }
    try {
        input(c);
    } catch (const platform::ProgramEnd&) {
    }
    // The end of the program ends only the input. It leaves at once, without unloading, so the
    // client is as an event that failed there would leave it; the next input puts the state
    // back as for any other.
    harness_->scheduler.forgetEnd();
    // No input reaches the windows here, and it is the next input that destroys the windows
    // unloaded: without this, every input that unloads one would keep it to the end of the run.
    c.forms.collectUnloaded();
}

}  // namespace fuzzing
