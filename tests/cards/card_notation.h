#pragma once

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Selections written as a player reads them: "2 3 4", "Q Q K K A A*". A rank may carry a suit
// letter (s, h, c, d: "Ah"); without one, repeated ranks take spades, hearts, clubs and diamonds
// in turn. "A*" is a marked ace. Card ids count up from 0 in the order written.
namespace card_notation {

inline constexpr int kSpades = 8, kHearts = 4, kClubs = 2, kDiamonds = 1;

constexpr std::int32_t Card(int rank, int suit, int id = 0) {
    return suit | (rank << 8) | (id << 24);
}

inline int RankOf(std::string_view token) {
    if (token == "A*") return 16;
    if (token == "2") return 15;
    if (token == "A") return 14;
    if (token == "K") return 13;
    if (token == "Q") return 12;
    if (token == "J") return 11;
    const int rank = std::stoi(std::string(token));
    if (rank < 3 || rank > 10) throw std::invalid_argument("bad rank in card notation");
    return rank;
}

inline int SuitOf(char letter) {
    switch (letter) {
        case 's':
            return kSpades;
        case 'h':
            return kHearts;
        case 'c':
            return kClubs;
        case 'd':
            return kDiamonds;
        default:
            return 0;
    }
}

inline std::vector<std::int32_t> Hand(std::string_view notation) {
    static constexpr int kSuitTurn[] = {kSpades, kHearts, kClubs, kDiamonds};
    std::vector<std::int32_t> hand;
    int seen[17] = {};
    std::istringstream in{std::string(notation)};
    std::string token;
    while (in >> token) {
        int suit = SuitOf(token.back());
        if (suit != 0) token.pop_back();
        const int rank = RankOf(token);
        if (suit == 0) suit = kSuitTurn[seen[rank]++ % 4];
        hand.push_back(Card(rank, suit, static_cast<int>(hand.size())));
    }
    return hand;
}

}  // namespace card_notation
