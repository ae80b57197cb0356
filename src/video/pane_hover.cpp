// The pointer resting on a remote pane or on the local seat's label: the information card and
// the props plug-in's player video.
#include "video/pane_hover.h"

#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/conversions.h"
#include "props/props.h"
#include "settlement/information_window.h"

namespace video {

namespace {

constexpr float kPaneCardTopShare = 0.14f;
constexpr float kTwipsPerPixel = 15.0f;

}  // namespace

table::CardPlace VideoPaneCardPlace(int index, const table::TwipsRect& table, float pic1Left,
                                    float pic1Top) {
    table::CardPlace place;
    place.top = pic1Top + table.top + kPaneCardTopShare * table.height;
    const auto across = static_cast<std::int32_t>(
        platform::roundHalfEven(static_cast<float>(index - 1) * table.width));
    place.left = pic1Left + table.left + static_cast<float>(across / 3);
    return place;
}

}  // namespace video

namespace client {

void MainForm::vshow1_PaneMouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    auto& card = *c.Information;
    const state::PlayerInfo& info = c.s.g_aPlayerInfo.at(std::size_t(Index));
    if (card.visible() || info.nickname.isEmpty()) return;
    const table::CardPlace place = video::VideoPaneCardPlace(
        Index, {left(), top(), width(), height()}, Pic1.left(), Pic1.top());
    card.setTop(place.top);
    card.setLeft(place.left);
    const auto values = table::InformationCardValues(info);
    for (int k = 0; k < static_cast<int>(values.size()); ++k) card.Inf[k].setCaption(values[k]);
    card.show();
    const video::VShow& pane = vshow1[Index];
    if (X > 0 && Y > 0 && X / video::kTwipsPerPixel < pane.Width &&
        Y / video::kTwipsPerPixel < pane.Height) {
        props::AskPlayerVideo(c, std::int16_t(Index));
    }
}

void MainForm::Proponeself_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    const auto pixels = [](float twips) {
        return static_cast<std::int32_t>(platform::roundHalfEven(twips)) / 15;
    };
    if (X > 0 && Y > 0 && static_cast<float>(pixels(X)) < Proponeself.width() &&
        static_cast<float>(pixels(Y)) < Proponeself.height()) {
        props::AskPlayerVideo(c, 0);
    }
}

}  // namespace client
