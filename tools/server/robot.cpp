#include "server/robot.h"

#include <QString>
#include <algorithm>

#include "server/server_frames.h"

namespace tableserver {
namespace {

bool IsBomb(const Play& play) {
    using enum cards::PatternType;
    return play.pattern == PatternTriple || play.pattern == PatternFour ||
           play.pattern == PatternAcePair;
}

// Lower is cheaper: bombs last, then by the lowest rank the play gives away, then longer first.
int Cost(const Play& play) {
    int lowest = 99;
    for (const Card& card : play.cards) lowest = std::min<int>(lowest, card.rank);
    return (IsBomb(play) ? 1000 : 0) + lowest * 20 - int(play.cards.size());
}

}  // namespace

std::optional<Play> ChooseRobotPlay(const Hand& hand, const std::optional<Play>& last,
                                    std::mt19937& rng) {
    const auto plays = LegalPlays(hand, last);
    if (plays.empty()) {
        if (last) return std::nullopt;
        return LowestSingle(hand);
    }
    const Play& best = *std::min_element(
        plays.begin(), plays.end(), [](const Play& a, const Play& b) { return Cost(a) < Cost(b); });
    if (last && IsBomb(best) && rng() % 2 == 0) return std::nullopt;
    return best;
}

Play LowestSingle(const Hand& hand) {
    Hand sorted = hand;
    SortHand(sorted);
    return Play{cards::PatternType::PatternSingle, {sorted.front()}};
}

Phrase PickPhrase(std::mt19937& rng) {
    static const char* const kPhrases[] = {
        "大家好，很高兴见到各位！",
        "快点出牌吧，别磨蹭了。",
        "这手牌不错，看我的！",
        "合作愉快，再来一局！",
    };
    const std::size_t k = rng() % std::size(kPhrases);
    return {std::uint8_t(k + 1),
            wire::gbk(QStringLiteral("说道： ") + QString::fromUtf8(kPhrases[k]))};
}

}  // namespace tableserver
