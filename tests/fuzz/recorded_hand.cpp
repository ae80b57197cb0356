#include "recorded_hand.h"

#include <algorithm>
#include <map>

#include "server/client_frames.h"
#include "server/table.h"
#include "support/server_frames.h"

namespace fuzzing {

namespace {

using tableserver::Millis;
using tableserver::Phase;
namespace wire = tableserver::wire;

constexpr std::uint8_t kDeal = 1, kPrompt = 2, kTurn = 6, kResult = 9, kPlayerInfo = 20;

// Plays one hand on the table server, answering each declaration as a cautious person would and
// leaving the person's turns to the server's grace, and keeps what reaches the person.
std::vector<state::Frame> PlayOneHand() {
    tableserver::Table table({.seed = 7, .phrasePercent = 0}, [](const std::string&) {});
    std::vector<state::Frame> frames;
    Millis now = 0;
    std::uint8_t seat = 0;
    const auto drain = [&] {
        while (!table.outbox().empty()) {
            const state::Frame frame = table.outbox().front();
            table.outbox().pop_front();
            if (frame[3] == kPlayerInfo && seat == 0) seat = frame[6] & 15;
            frames.push_back(frame);
        }
    };
    const auto resultsDone = [&] {
        return std::count_if(frames.begin(), frames.end(),
                             [](const state::Frame& f) { return f[3] == kResult; }) >= 4;
    };
    table.connectionOpened(now);
    table.receive(wire::BuildLogin("player1", "pw"), now);
    drain();
    table.receive(wire::BuildSeatAction(seat, true), now);
    for (int step = 0; step < 10000 && !resultsDone(); ++step) {
        drain();
        const Phase phase = table.phase();
        if (phase == Phase::FirstBatch || phase == Phase::MiddleBatch) {
            table.receive(wire::BuildDeclare(seat, tableserver::ActionPass), now);
        } else if (phase == Phase::LastBatch) {
            table.receive(wire::BuildDealDone(seat), now);
        } else if (phase == Phase::Prompt) {
            table.receive(wire::BuildDeclare(seat, tableserver::ActionPingDa), now);
        } else {
            now = std::max(now + 1, table.nextDue().value_or(now + 1000));
            table.advance(now);
        }
    }
    drain();
    return frames;
}

std::size_t IndexOf(const std::vector<state::Frame>& frames, std::uint8_t type) {
    const auto at = std::find_if(frames.begin(), frames.end(),
                                 [type](const state::Frame& f) { return f[3] == type; });
    return std::size_t(at - frames.begin());
}

}  // namespace

const std::vector<state::Frame>& WholeHand() {
    static const std::vector<state::Frame> hand = PlayOneHand();
    return hand;
}

std::vector<state::Frame> FramesInto(TableState state) {
    const std::vector<state::Frame>& hand = WholeHand();
    std::size_t end = 1;
    switch (state) {
        case TableState::LoggedIn:
            end = 1;
            break;
        case TableState::Seated:
            end = IndexOf(hand, 16);
            break;
        case TableState::Dealing:
            end = IndexOf(hand, kDeal) + 1;
            break;
        case TableState::Declaring:
            end = IndexOf(hand, kPrompt) + 1;
            break;
        case TableState::Playing:
            end = IndexOf(hand, kTurn);
            break;
        case TableState::Settling:
            end = IndexOf(hand, kResult) + 1;
            break;
    }
    end = std::min(end, hand.size());
    return {hand.begin(), hand.begin() + std::ptrdiff_t(end)};
}

std::vector<state::Frame> FrameOfEveryType() {
    std::map<std::uint8_t, state::Frame> handFirsts;
    for (const state::Frame& frame : WholeHand()) handFirsts.emplace(frame[3], frame);
    std::vector<state::Frame> frames;
    for (const auto& [type, frame] : handFirsts) frames.push_back(frame);
    const std::int32_t ace = wire::CardWord(1, 14, 1);
    for (const state::Frame& frame : {
             wire::BuildLoginReply({}),
             wire::BuildReconnectReply({}),
             wire::BuildChat({.seat = 1, .text = wire::gbk(QStringLiteral("你好"))}),
             wire::BuildChat({.seat = 2, .phraseList = 1, .phraseNo = 1}),
             wire::BuildChat({.seat = 1, .propMarker = 272}),
             wire::BuildPlayerInfo(
                 {.seat = 1, .nickname = "nick", .account = "a", .playerSeat = 2}),
             wire::BuildHandStart({}),
             wire::BuildHandStart({.startPhase = 3, .removedSeats = 2}),
             wire::BuildDeal({.seat = 1, .cards = {ace}, .mayDeclare = 1, .offers = {ace}}),
             wire::BuildDeclarePrompt({.seat = 1, .allowed = 0x90}),
             wire::BuildDeclared({.seat = 2, .action = 2, .cards = {ace}}),
             wire::BuildMarkedAces({.colourMask = 1, .holder1 = 2, .suit1 = 1}),
             wire::BuildBaoShuai({.seat1 = 2}),
             wire::BuildTurn({.seat = 2, .nextSeat = 4, .turnKind = 2, .cards = {ace}}),
             wire::BuildHandResult({.seat = 1, .cardsHeld = {ace}, .place = 1}),
             wire::BuildPlayerLeft({.account = "robot1"}),
             wire::BuildPlayerReady({.account = "robot1"}),
             wire::BuildTableClosed({.text = wire::gbk(QStringLiteral("桌子已关闭"))}),
             wire::BuildGoldChange({.amount = 100}),
             wire::BuildGoldChange({.loss = true, .amount = 5, .account = "robot1"}),
         }) {
        frames.push_back(frame);
    }
    return frames;
}

}  // namespace fuzzing
