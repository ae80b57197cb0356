// MsgDeclarePrompt: the server asks the local player to declare. The offered set, recognised
// only as one of the combinations the game has, becomes a row of buttons on a 10-second
// countdown whose time-out clicks the set's default answer.
#include <algorithm>
#include <array>

#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/declaration_offer.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "state/shared_state.h"

namespace dispatch {

namespace {

constexpr std::size_t AllowedByte = 8;
constexpr int DeclarationButtons = 4;
constexpr std::int16_t NoDefaultBid = 4;

struct Button {
    std::int16_t kind;
    float designX;
};

struct OfferedSet {
    std::int16_t allowed;
    std::array<Button, DeclarationButtons> buttons;
    int n;
    std::int16_t defaultBid;
};

// Kinds: 2 Chuai, 3 Ceng, 4 PingDa, 5 FanChuai, 6 GenChuai, 7 ShuaiPai, 8 BaoDa, 9 pass. Each
// row is centred on the table; the default is pass where offered, else PingDa, else GenChuai.
constexpr std::array<OfferedSet, 8> OfferedSets{{
    {0x005, {{{2, 440}, {9, 520}}}, 2, 1},
    {0x009, {{{3, 440}, {9, 520}}}, 2, 1},
    {0x014, {{{2, 440}, {4, 520}}}, 2, 1},
    {0x030, {{{5, 440}, {4, 520}}}, 2, 1},
    {0x090, {{{7, 440}, {4, 520}}}, 2, 1},
    {0x0B0, {{{5, 400}, {7, 480}, {4, 560}}}, 3, 2},
    {0x0C0, {{{6, 440}, {7, 520}}}, 2, 0},
    {0x194, {{{8, 360}, {2, 440}, {7, 520}, {4, 600}}}, 4, 3},
}};

}  // namespace

void HandleDeclarePrompt(client::Client& c, state::Frame& message) {
    state::SharedState& s = c.s;
    client::MainForm& form = *c.MainForm;
    if ((ReadByte(message, state::FrameSeatByte) & 15) != s.custom[0].seat) return;
    s.channels.disarm(state::ChannelReadyClock);
    StartDeclarationCountdown(c);

    const std::int16_t allowed = ReadInt16BE(message, AllowedByte);
    const auto* set = std::ranges::find(OfferedSets, allowed, &OfferedSet::allowed);
    int n = 0;
    if (set != OfferedSets.end()) {
        for (int i = 0; i < set->n; ++i) {
            const Button& button = set->buttons[std::size_t(i)];
            PlaceDeclarationButton(c, i, button.kind, button.designX);
        }
        n = set->n;
        s.g_nDefaultBid = set->defaultBid;
    } else {
        // No button answers a set the client does not know: the time-out must not click a
        // default left from an earlier prompt.
        s.g_nDefaultBid = NoDefaultBid;
    }
    ShowDeclarationButtons(c, n);
    for (int i = n; i < DeclarationButtons; ++i) {
        form.btnJiaofen[i].setEnabled(false);
        form.btnJiaofen[i].setVisible(false);
    }
}

}  // namespace dispatch
