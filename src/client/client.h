#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "connection/ini_file.h"
#include "platform/forms/form_ref.h"
#include "platform/forms/forms.h"
#include "platform/runtime/environment.h"
#include "platform/runtime/random.h"
#include "platform/runtime/single_instance.h"
#include "props/prop_dll.h"
#include "props/props_state.h"
#include "resources/picture_ids.h"
#include "sound/sound_context.h"
#include "sound/sound_state.h"
#include "state/shared_state.h"

namespace platform {
class Desktop;
class MessageBoxes;
class Scheduler;
}  // namespace platform

namespace video {
class Component;
}  // namespace video

namespace sound {
class VosSet;
}  // namespace sound

namespace settlement {
class Score;
class Hero;
class Information;
}  // namespace settlement
namespace chat {
class Talk;
class huifu;
}  // namespace chat
namespace cards {
class ChuPai;
}  // namespace cards
namespace video {
class ZoomWindow;
}  // namespace video

namespace connection {
class frmExit;
class frmOtherExit;
class frmReconnect;
}  // namespace connection

namespace client {

class MainForm;

// The platform a client runs on: the real one in the program, fakes in tests.
struct ClientPlatform {
    platform::Scheduler& scheduler;
    platform::MessageBoxes& boxes;
    platform::Desktop& desktop;
    platform::Environment env;
    // Where the single-instance lock lives (tests give each client its own folder).
    std::filesystem::path lockFolder;
    std::uint64_t randomSeed = 0;
    // Attaches the on-screen view to each window as it loads (the program, or a test that
    // needs real widgets, e.g. to receive window messages); empty: windows stay model-only.
    std::function<void(forms::Form&)> attachView;
    // The machine's sound output (the Qt device in the program, a recording one in tests).
    platform::SoundDevice& soundDevice;
    // The video component (camera, displays, relay socket); null where none is installed.
    video::Component* videoComponent = nullptr;
};

// One running client: its platform, its shared state and its windows. Everything the client's
// procedures touch is reached from here, so a test builds a fresh client for each case.
class Client {
    // First, so that it exists before the members that refer to it. Large: kept off the stack.
    std::unique_ptr<state::SharedState> state_;

  public:
    explicit Client(ClientPlatform platform);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    ClientPlatform sys;
    platform::Random random;
    state::SharedState& s;
    resources::PictureIds ids;
    connection::classIniFile g_oIniFile;

    // The program folder as the original's App.Path gives it: no trailing separator.
    QString App_Path() const;

    forms::Forms forms;
    forms::FormRef<::client::MainForm> MainForm;

    // Start-up and shutdown: the sound engine, the single-instance lock kept for the client's
    // life, and the props plug-in (null while not loaded) with its last work item.
    sound::SoundState soundState;
    sound::SoundContext sound;
    std::unique_ptr<platform::SingleInstanceLock> instanceLock;
    std::unique_ptr<props::PropDll> g_oPropDll;
    props::PropWorkItem propWork;
    props::PropsState propShow;

    // Leaving the table and reconnection: the exit dialogs and the hidden reconnect window.
    QString App_Title() const { return QStringLiteral("Korvash"); }
    forms::FormRef<::connection::frmExit> frmExit;
    forms::FormRef<::connection::frmOtherExit> frmOtherExit;
    forms::FormRef<::connection::frmReconnect> frmReconnect;

    // The sound settings window.
    forms::FormRef<::sound::VosSet> VosSet;

    // The score board, the history window and the player information card.
    forms::FormRef<::settlement::Score> Score;
    forms::FormRef<::settlement::Hero> Hero;
    forms::FormRef<::settlement::Information> Information;
    // The chat history window and the quick-phrase window. The speech bubbles, one per seat,
    // are found among the open windows by their tags.
    forms::FormRef<::chat::Talk> Talk;
    forms::FormRef<::chat::huifu> huifu;
    // The illegal-play notice.
    forms::FormRef<::cards::ChuPai> ChuPai;
    // The video panes' zoom windows: the local camera's (pane 0) and the remote panes 1 to 3.
    forms::FormRef<::video::ZoomWindow> frm_Local;
    forms::FormRef<::video::ZoomWindow> frm_Remote1;
    forms::FormRef<::video::ZoomWindow> frm_Remote2;
    forms::FormRef<::video::ZoomWindow> frm_Remote3;

  private:
    forms::FormRef<::video::ZoomWindow>::Factory ZoomWindowMaker(int pane);
};

}  // namespace client
