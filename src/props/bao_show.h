#pragma once

#include <QString>
#include <cstdint>

namespace client {
class Client;
}

// The treasure-chest reward show that may run before a held settlement is shown: chests for
// the rewarded seats, the local pick or drawn picks, the chosen chests sliding to the centre,
// the prize count-up on TimerProp, the prize lines, then the held settlement.
namespace props {

// A seat is rewarded when the plug-in gave it a prize name, prize lines or a positive prize.
// The one test for the start, the countdown and the pick, so that the local player's chests
// are clickable exactly while the countdown waits for them.
bool IsRewarded(const client::Client& c, int seat);

void PlayBaoXiang(client::Client& c);
void OpenBaoXiang(client::Client& c, std::int16_t& pick);
void ShowBaoPrize(client::Client& c, std::int16_t tick);
// One TimerProp tick of the prize count-up; the last one shows the held settlement.
void CountUpTick(client::Client& c);
// Ends the countdown and the count-up where they are (unloading the plug-in).
void EndBaoShow(client::Client& c);

// The prize as the label and the chat lines write it: whole numbers without decimals.
QString PrizeText(double prize);

}  // namespace props
