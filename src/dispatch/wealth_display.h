#pragma once

#include <cstdint>

namespace client {
class Client;
}

namespace dispatch {

// The smallest positive wealth multiplier among the seats, 0 when no seat has one.
std::int32_t MinWealthMultiplier(const client::Client& c);

// Shows `value` as the table's wealth multiplier: the caption, the font size and place that
// suit its width at the current scale, then the picture and the label.
void ShowWealthMultiplier(client::Client& c, std::int32_t value);

}  // namespace dispatch
