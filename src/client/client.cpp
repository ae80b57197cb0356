#include "client/client.h"

#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/talk.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"
#include "connection/reconnection.h"
#include "settlement/hero_window.h"
#include "settlement/information_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"
#include "video/zoom_window.h"

namespace client {

Client::Client(ClientPlatform platform)
    : state_(std::make_unique<state::SharedState>()),
      sys(std::move(platform)),
      random(sys.randomSeed),
      s(*state_),
      forms(sys.scheduler),
      MainForm(
          forms,
          [this](forms::Forms& owner) { return std::make_unique<client::MainForm>(owner, *this); }),
      sound{sys.soundDevice, soundState, App_Path(),
            [this] {
                const auto* form = MainForm.ifLoaded();
                return form && form->windowState() == forms::WindowState::Minimized;
            }},
      frmExit(forms,
              [this](forms::Forms& owner) {
                  return std::make_unique<connection::frmExit>(owner, *this);
              }),
      frmOtherExit(forms,
                   [this](forms::Forms& owner) {
                       return std::make_unique<connection::frmOtherExit>(owner, *this);
                   }),
      frmReconnect(forms,
                   [this](forms::Forms& owner) {
                       return std::make_unique<connection::frmReconnect>(owner, *this);
                   }),
      VosSet(
          forms,
          [this](forms::Forms& owner) { return std::make_unique<::sound::VosSet>(owner, *this); }),
      Score(forms,
            [this](forms::Forms& owner) {
                return std::make_unique<::settlement::Score>(owner, *this);
            }),
      Hero(forms,
           [this](forms::Forms& owner) {
               return std::make_unique<::settlement::Hero>(owner, *this);
           }),
      Information(forms,
                  [this](forms::Forms& owner) {
                      return std::make_unique<::settlement::Information>(owner, *this);
                  }),
      Talk(forms,
           [this](forms::Forms& owner) { return std::make_unique<::chat::Talk>(owner, *this); }),
      huifu(forms,
            [this](forms::Forms& owner) { return std::make_unique<::chat::huifu>(owner, *this); }),
      ChuPai(
          forms,
          [this](forms::Forms& owner) { return std::make_unique<::cards::ChuPai>(owner, *this); }),
      frm_Local(forms, ZoomWindowMaker(0)),
      frm_Remote1(forms, ZoomWindowMaker(1)),
      frm_Remote2(forms, ZoomWindowMaker(2)),
      frm_Remote3(forms, ZoomWindowMaker(3)) {
    if (sys.attachView) forms.setViewFactory(sys.attachView);
}

Client::~Client() = default;

forms::FormRef<video::ZoomWindow>::Factory Client::ZoomWindowMaker(int pane) {
    return [this, pane](forms::Forms& owner) {
        return std::make_unique<video::ZoomWindow>(owner, *this, pane);
    };
}

QString Client::App_Path() const {
    // Asked for every picture shown: the folder's text is read where it is, not copied first.
    const std::string& folder = sys.env.programFolder.native();
    QString path = QString::fromUtf8(folder.data(), qsizetype(folder.size()));
    while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
    return path;
}

}  // namespace client
