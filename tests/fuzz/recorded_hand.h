#pragma once

#include <vector>

#include "state/frame.h"

// Frames the game server sends, for the fuzz targets' preludes and seed corpora. They come from
// the local table server playing a whole hand (its robots act for the person as well), so they
// follow each other as a real server's do.
namespace fuzzing {

// The states a table goes through, in order; the dispatcher target starts an input in one of them.
enum class TableState { LoggedIn, Seated, Dealing, Declaring, Playing, Settling };
inline constexpr int TableStateCount = 6;

// Every frame the server sends the person from the login answer through the hand's results.
const std::vector<state::Frame>& WholeHand();

// The frames of WholeHand() that bring a fresh client into `state`: the login answer; then the
// players; then the first deal batch; then every deal batch and declaration up to the prompt;
// then up to the first turn; then every frame before the first result and that result.
std::vector<state::Frame> FramesInto(TableState state);

// Valid frames of every type the server sends: the first of each type in WholeHand(), then the
// frame builder's, with the variants (a quick phrase, a plug-in chat, a removal) a quiet hand
// does not bring.
std::vector<state::Frame> FrameOfEveryType();

}  // namespace fuzzing
