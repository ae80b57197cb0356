// The table's play: the turns, the person's plays checked by the card rules, the robots' plays,
// and the results with the gold they move.
#include <algorithm>
#include <set>

#include "server/client_frames.h"
#include "server/robot.h"
#include "server/scoring.h"
#include "server/table.h"

namespace tableserver {
namespace {

constexpr std::uint8_t kTurnLeads = 1;       // the trick is over, the next player leads
constexpr std::uint8_t kTurnFollows = 2;     // the next player beats the last play or passes
constexpr std::uint8_t kTurnLeadPasses = 9;  // the trick's winner is out: the next one leads
constexpr std::uint8_t kTurnHandOver = 10;

}  // namespace

bool Table::holdsCards(int seat) const {
    return !seats_[seat].gaveUp && !seats_[seat].hand.empty();
}

int Table::nextHolder(int after, const std::vector<int>& among) const {
    for (int step = 1; step <= 4; ++step) {
        const int s = (after + step) % 4;
        const bool listed =
            among.empty() || std::find(among.begin(), among.end(), s) != among.end();
        if (listed && holdsCards(s)) return s;
    }
    return -1;
}

void Table::openPlay(Millis now) {
    phase_ = Phase::Playing;
    finished_ = 0;
    last_.reset();
    lastPlayer_ = -1;
    stillIn_.clear();
    // The holder of the three of diamonds leads.
    int leader = 0;
    for (int i = 0; i < 4; ++i) {
        for (const Card& card : seats_[i].hand) {
            if (card.rank == cards::RankLowest && card.suit == cards::SuitDiamonds) leader = i;
        }
    }
    if (!holdsCards(leader)) leader = nextHolder(leader, {});
    current_ = leader;
    send(wire::BuildTurn({.seat = seats_[leader].flag,
                          .nextSeat = seats_[leader].flag,
                          .turnKind = kTurnLeads,
                          .multiplier = std::int16_t(multiplier_),
                          .seconds = options_.turnSeconds}));
    scheduleTurn(now);
}

void Table::scheduleTurn(Millis now) {
    actAt_.reset();
    if (current_ < 0) return;
    if (seats_[current_].robot) {
        actAt_ = now + robotDelay();
        return;
    }
    awaitPerson(last_ ? "a play that beats the last or a pass" : "a lead");
    if (linked_) {
        actAt_ = now + Millis(options_.turnSeconds) * 1000 + options_.personGrace;
    }
}

void Table::play(const state::Frame& frame, Millis now) {
    if (phase_ != Phase::Playing) return refuse(frame, "a play outside the play of a hand");
    if (current_ != person_) return refuse(frame, "a play out of turn");
    const wire::PlayFields fields = wire::ReadPlay(frame);
    if (fields.playKind == 1) {
        if (!last_) return refuse(frame, "a pass when leading");
        return apply(person_, std::nullopt, now);
    }
    if (fields.playKind != 2) return refuse(frame, "play kind " + std::to_string(fields.playKind));
    if (fields.cardCount < 1 || fields.cardCount > 13) {
        return refuse(frame, "a play of " + std::to_string(fields.cardCount) + " cards");
    }
    const Hand& hand = seats_[person_].hand;
    std::vector<Card> chosen;
    std::set<std::uint8_t> seen;
    for (const std::uint8_t id : fields.cardIds) {
        const auto it =
            std::find_if(hand.begin(), hand.end(), [&](const Card& c) { return c.id == id; });
        if (it == hand.end() || !seen.insert(id).second) {
            return refuse(frame, "card id " + std::to_string(id) + " is not in the person's hand");
        }
        chosen.push_back(*it);
    }
    const PlayCheck checked = CheckPlay(chosen, last_);
    if (!checked.play) return refuse(frame, checked.refusal);
    if (fields.pattern != cards::Ordinal(checked.play->pattern)) {
        return refuse(frame, "pattern " + std::to_string(fields.pattern) + " for a play of kind " +
                                 std::to_string(cards::Ordinal(checked.play->pattern)));
    }
    apply(person_, checked.play, now);
}

void Table::apply(int seat, const std::optional<Play>& move, Millis now) {
    actAt_.reset();
    if (seat == person_) personAnswers(move ? "a play" : "a pass");
    Seat& actor = seats_[seat];
    if (move) {
        RemoveCards(actor.hand, move->cards);
        last_ = move;
        lastPlayer_ = seat;
        if (actor.hand.empty()) actor.place = ++finished_;
        stillIn_.clear();
        for (int s = 0; s < 4; ++s) {
            if (s != seat && holdsCards(s)) stillIn_.push_back(s);
        }
    } else {
        std::erase(stillIn_, seat);
    }
    wire::TurnFrame turn{.seat = actor.flag, .seconds = options_.turnSeconds};
    if (move) {
        turn.cards = CardWords(move->cards);
        turn.pattern = std::uint8_t(cards::Ordinal(move->pattern));
    }
    int holders = 0;
    for (int s = 0; s < 4; ++s) holders += holdsCards(s) ? 1 : 0;
    if (holders <= 1) {
        turn.turnKind = kTurnHandOver;
        turn.nextSeat = actor.flag;
        send(wire::BuildTurn(turn));
        return finishHand(now);
    }
    int next;
    if (stillIn_.empty()) {
        const bool winnerHolds = holdsCards(lastPlayer_);
        next = winnerHolds ? lastPlayer_ : nextHolder(lastPlayer_, {});
        turn.turnKind = winnerHolds ? kTurnLeads : kTurnLeadPasses;
        last_.reset();
    } else {
        next = nextHolder(seat, stillIn_);
        turn.turnKind = kTurnFollows;
    }
    turn.nextSeat = seats_[next].flag;
    send(wire::BuildTurn(turn));
    if (move && actor.robot) robotPhrase(seat);
    current_ = next;
    scheduleTurn(now);
}

void Table::robotAct(Millis now) {
    if (phase_ != Phase::Playing || current_ < 0 || !seats_[current_].robot) return;
    apply(current_, ChooseRobotPlay(seats_[current_].hand, last_, rng_), now);
}

void Table::actForPerson(Millis now) {
    if (phase_ != Phase::Playing || current_ != person_ || !linked_) return;
    say("the person's clock ran out: the server moves for the person");
    if (last_) return apply(person_, std::nullopt, now);
    apply(person_, LowestSingle(seats_[person_].hand), now);
}

void Table::robotPhrase(int seat) {
    if (int(rng_() % 100) >= options_.phrasePercent) return;
    const auto phrase = PickPhrase(rng_);
    send(wire::BuildChat({.seat = seats_[seat].flag,
                          .phraseList = 1,
                          .phraseNo = phrase.number,
                          .text = seats_[seat].nickname + phrase.lineAfterName}));
}

void Table::finishHand(Millis now) {
    for (int s = 0; s < 4; ++s) {
        if (seats_[s].place == 0) seats_[s].place = ++finished_;
    }
    std::array<SeatScore, 4> scores;
    for (int s = 0; s < 4; ++s) {
        scores[s] = ScoreSeat(seats_[s], options_.baseGold, multiplier_);
        seats_[s].gold = scores[s].goldAfter;
    }
    for (int s = 0; s < 4; ++s) send(BuildResult(seats_[s], scores[s], options_.baseGold));
    for (int s = 0; s < 4; ++s) {
        Seat& seat = seats_[s];
        if (seat.gold >= std::uint64_t(options_.baseGold) * 8) continue;
        seat.gold += options_.reliefGold;
        send(wire::BuildGoldChange(
            {.amount = options_.reliefGold, .account = seat.robot ? seat.account : std::string()}));
    }
    ++handsPlayed_;
    say("hand " + std::to_string(handsPlayed_) + " is over");
    awaitPerson("ready");
    phase_ = Phase::Waiting;
    current_ = -1;
    last_.reset();
    for (int s = 0; s < 4; ++s) {
        seats_[s].ready = false;
        if (seats_[s].robot) readyAt_[s] = now + 2000 + Millis(rng_() % 3000);
    }
}

}  // namespace tableserver
