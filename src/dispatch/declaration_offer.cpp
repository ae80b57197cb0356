#include "dispatch/declaration_offer.h"

#include "cards/display/declare_frame.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "connection/send_queue.h"
#include "state/shared_state.h"

namespace dispatch {

namespace {
constexpr std::int16_t kCountdownSeconds = 10;
constexpr forms::OleColor kGreen = 0x00FF00;
// The clock picture's place and its digits' place on it, in design pixels.
constexpr float kClockLeft = 800;
constexpr float kClockTop = 550;
constexpr float kDigitsRight = 48;
constexpr float kDigitsDown = 5;
}  // namespace

void StartDeclarationCountdown(client::Client& c) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    s.g_nTurnSeconds = kCountdownSeconds;
    s.g_bBidClock = true;
    s.g_nBidTicks = 0;
    s.g_nCountdown = s.g_nTurnSeconds;
    const float sx = s.g_fScaleX;
    const float sy = s.g_fScaleY;
    form.Time_Img.setLeft(kClockLeft * sx);
    form.Time_Img.setTop(kClockTop * sy);
    form.Number.setLeft(form.Time_Img.left() + kDigitsRight * sx);
    form.Number.setTop(form.Time_Img.top() + kDigitsDown * sy);
    form.Number.setCaption(QString::number(s.g_nCountdown));
    form.Number.setForeColor(kGreen);
    form.Number.setVisible(true);
    form.Time_Img.setVisible(true);
    form.Time_Img.zOrder(0);
    form.Number.zOrder(0);
}

void PlaceDeclarationButton(client::Client& c, int index, std::int16_t kind, float designX) {
    // Each kind has a normal and a hover picture, in kind order.
    const QString& id = c.ids.g_aIdJiaofen.at(std::size_t(2 * (kind - 1)));
    const std::int16_t resId = connection::IntegerArg(id).toInteger();
    connection::LoadResourcePicture(
        c, id, QStringLiteral("GIF"), connection::TempPicturePath(c, resId),
        c.MainForm->btnJiaofen[index], std::int16_t(index), connection::IntegerArg(int(kind)),
        connection::IntegerArg(designX * c.s.g_fScaleX));
}

void ShowDeclarationButtons(client::Client& c, int n) {
    for (int i = 0; i < n; ++i) {
        c.MainForm->btnJiaofen[i].setEnabled(true);
        c.MainForm->btnJiaofen[i].setVisible(true);
    }
}

void QueueAutomaticPass(client::Client& c) {
    state::Frame pass = cards::BuildDeclareFrame(c.s.custom[0].seat, cards::ActionPass);
    connection::QueueOutgoingMessage(c.s, pass);
}

}  // namespace dispatch
