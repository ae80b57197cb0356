#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "server/hand_cards.h"

// The robots' simple strategy: lead the cheapest play, shedding as many cards as it can at the
// lowest rank; follow with the cheapest play that beats, keeping bombs back half of the time.
namespace tableserver {

// The play a robot makes, or no value for a pass (never when leading).
std::optional<Play> ChooseRobotPlay(const Hand& hand, const std::optional<Play>& last,
                                    std::mt19937& rng);
// The lowest single card of a hand, as a play.
Play LowestSingle(const Hand& hand);

// A quick phrase of the first list: its number and the chat line that follows the speaker's
// name (GBK).
struct Phrase {
    std::uint8_t number = 1;
    std::string lineAfterName;
};
Phrase PickPhrase(std::mt19937& rng);

}  // namespace tableserver
