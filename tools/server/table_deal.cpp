// The table's deal: the hand start, the three batches with the declarations offered in them,
// the marked aces and the declaration prompt before play.
#include <algorithm>
#include <map>

#include "server/client_frames.h"
#include "server/table.h"

namespace tableserver {
namespace {

constexpr std::array<std::size_t, 4> kBatchStart = {0, 5, 9, 13};
constexpr std::uint16_t kPromptOffer = ActionPingDa | ActionShuaiPai;
constexpr std::uint16_t kMaxMultiplier = 64;

std::vector<Card> Batch(const Hand& hand, int batch) {
    return {hand.begin() + kBatchStart[batch - 1], hand.begin() + kBatchStart[batch]};
}

// The lowest rank held three or four times among the first `count` cards, as a group.
std::array<std::int32_t, 4> GroupOf(const Hand& hand, std::size_t count) {
    std::map<int, std::vector<Card>> byRank;
    for (std::size_t i = 0; i < count; ++i) byRank[hand[i].rank].push_back(hand[i]);
    std::array<std::int32_t, 4> group{};
    for (const auto& [rank, cards] : byRank) {
        if (cards.size() < 3) continue;
        for (std::size_t i = 0; i < cards.size(); ++i) group[i] = cards[i].value();
        break;
    }
    return group;
}

}  // namespace

void Table::startHand(Millis now) {
    if (phase_ != Phase::Waiting) return;
    send(wire::BuildHandStart({.startPhase = 0, .wealth = options_.wealth}));
    const auto hands = DealHands(rng_);
    for (int i = 0; i < 4; ++i) {
        Seat& s = seats_[i];
        s.hand = hands[i];
        s.ready = false;
        s.declaredXuan = s.declaredChuai = s.gaveUp = false;
        s.place = 0;
    }
    previousThreadIndex_ = threadIndex_;
    threadIndex_ = std::int32_t(1 + rng_() % 0x7ffffffe);
    multiplier_ = 1;
    markedColour_ = 0;
    last_.reset();
    dealer_ = (dealer_ + 1) % 4;
    say("hand " + std::to_string(handsPlayed_ + 1) + " starts");
    sendBatch(1);
    (void)now;
}

void Table::sendBatch(int batch) {
    const Hand& hand = seats_[person_].hand;
    wire::DealFrame deal{.seat = personFlag(),
                         .dealPhase = std::uint8_t(batch),
                         .cards = CardWords(Batch(hand, batch))};
    if (batch == 1) {
        // The aces of the first batch are offered for the ace declaration.
        offers_ = {};
        std::size_t n = 0;
        for (const Card& card : Batch(hand, 1)) {
            if (card.rank == cards::RankAce && n < offers_.size()) offers_[n++] = card.value();
        }
        deal.mayDeclare = n > 0 ? 1 : 0;
        deal.offers = offers_;
        deal.threadIndex = threadIndex_;
        phase_ = Phase::FirstBatch;
    } else if (batch == 2) {
        group_ = GroupOf(hand, kBatchStart[2]);
        deal.mayDeclare = group_[0] != 0 ? 1 : 0;
        deal.group = group_;
        phase_ = Phase::MiddleBatch;
    } else {
        if (markedColour_ == 0) markedColour_ = std::uint8_t(1u << (rng_() % 4));
        deal.calledSuit = markedColour_;
        phase_ = Phase::LastBatch;
    }
    send(wire::BuildDeal(deal));
    if (batch == 1) awaitPerson("the first batch's declaration");
    if (batch == 2) awaitPerson("the middle batch's declaration");
}

void Table::announce(int seat, std::uint16_t action, const std::array<std::int32_t, 4>& cards) {
    send(wire::BuildDeclared(
        {.seat = seats_[seat].flag, .action = action, .multiplier = multiplier_, .cards = cards}));
}

void Table::declare(const state::Frame& frame, Millis now) {
    const std::uint16_t action = wire::DeclareAction(frame);
    const auto cards = wire::DeclareCards(frame);
    Seat& me = seats_[person_];
    switch (phase_) {
        case Phase::FirstBatch:
            if (action == ActionXuan) {
                if (cards[0] == 0 ||
                    std::find(offers_.begin(), offers_.end(), cards[0]) == offers_.end()) {
                    return refuse(frame, "an ace declaration with a card that was not offered");
                }
                personAnswers("an ace declaration");
                me.declaredXuan = true;
                markedColour_ = std::uint8_t(cards[0] & 15);
                multiplier_ = std::uint16_t(std::min<int>(multiplier_ * 2, kMaxMultiplier));
                announce(person_, ActionXuan, {cards[0]});
            } else if (action == ActionPass) {
                personAnswers("a pass");
                announce(person_, ActionPass);
            } else {
                return refuse(frame, "action " + std::to_string(action) + " in the first batch");
            }
            robotsDeclare(1);
            return sendBatch(2);
        case Phase::MiddleBatch:
            if (action == ActionChuai) {
                if (group_[0] == 0 || cards != group_) {
                    return refuse(frame, "a group declaration with other cards than the group");
                }
                personAnswers("a group declaration");
                me.declaredChuai = true;
                multiplier_ = std::uint16_t(std::min<int>(multiplier_ * 2, kMaxMultiplier));
                announce(person_, ActionChuai, group_);
            } else if (action == ActionPass) {
                personAnswers("a pass");
                announce(person_, ActionPass);
            } else {
                return refuse(frame, "action " + std::to_string(action) + " in the middle batch");
            }
            robotsDeclare(2);
            return sendBatch(3);
        case Phase::Prompt:
            if (action != ActionPingDa && action != ActionShuaiPai) {
                return refuse(frame, "action " + std::to_string(action) + " was not offered");
            }
            personAnswers(action == ActionPingDa ? "play on" : "give up");
            return answerPrompt(action, now);
        default:
            return refuse(frame, "a declaration while none is open");
    }
}

void Table::robotsDeclare(int batch) {
    for (int i = 0; i < 4; ++i) {
        Seat& s = seats_[i];
        if (!s.robot) continue;
        if (batch == 1) {
            const bool taken = std::any_of(seats_.begin(), seats_.end(),
                                           [](const Seat& o) { return o.declaredXuan; });
            const auto first = Batch(s.hand, 1);
            const auto ace = std::find_if(first.begin(), first.end(),
                                          [](const Card& c) { return c.rank == cards::RankAce; });
            if (taken || ace == first.end() || rng_() % 100 >= 35) continue;
            s.declaredXuan = true;
            markedColour_ = ace->suit;
            multiplier_ = std::uint16_t(std::min<int>(multiplier_ * 2, kMaxMultiplier));
            announce(i, ActionXuan, {ace->value()});
        } else {
            const auto group = GroupOf(s.hand, kBatchStart[2]);
            if (group[0] == 0 || rng_() % 100 >= 40) continue;
            s.declaredChuai = true;
            multiplier_ = std::uint16_t(std::min<int>(multiplier_ * 2, kMaxMultiplier));
            announce(i, ActionChuai, group);
        }
    }
}

void Table::dealDone(Millis) {
    if (phase_ != Phase::LastBatch) {
        say("refused type 4 from the client: a deal acknowledgement outside the last batch");
        return;
    }
    markAces();
    phase_ = Phase::Prompt;
    send(wire::BuildDeclarePrompt({.seat = personFlag(), .allowed = kPromptOffer}));
    awaitPerson("the prompt");
}

void Table::markAces() {
    std::vector<std::pair<int, std::uint8_t>> holders;
    for (int i = 0; i < 4; ++i) {
        MarkAces(seats_[i].hand, markedColour_);
        for (const Card& card : seats_[i].hand) {
            if (card.rank == cards::RankMarkedAce) holders.emplace_back(i, card.suit);
        }
    }
    wire::MarkedAcesFrame marks{.colourMask = markedColour_};
    if (!holders.empty()) {
        marks.holder1 = seats_[holders[0].first].flag;
        marks.suit1 = holders[0].second;
    }
    if (holders.size() == 2 && holders[1].first != holders[0].first) {
        marks.holder2 = seats_[holders[1].first].flag;
        marks.suit2 = holders[1].second;
    }
    send(wire::BuildMarkedAces(marks));
}

void Table::answerPrompt(std::uint16_t action, Millis now) {
    Seat& me = seats_[person_];
    me.gaveUp = action == ActionShuaiPai;
    announce(person_, action);
    std::vector<int> givers;
    if (me.gaveUp) givers.push_back(person_);
    for (int i = 0; i < 4; ++i) {
        if (!seats_[i].robot) continue;
        // At most one robot gives up, and never when the person has: two always play.
        const bool giveUp = givers.empty() && rng_() % 100 < 6;
        seats_[i].gaveUp = giveUp;
        if (giveUp) givers.push_back(i);
        announce(i, giveUp ? ActionShuaiPai : ActionPingDa);
    }
    if (!givers.empty()) {
        send(wire::BuildBaoShuai(
            {.badgeCount = std::uint8_t(givers.size()),
             .badge = 2,
             .seat1 = seats_[givers[0]].flag,
             .seat2 = std::uint8_t(givers.size() > 1 ? seats_[givers[1]].flag : 0)}));
    }
    for (const int g : givers) seats_[g].place = 5;
    openPlay(now);
}

}  // namespace tableserver
