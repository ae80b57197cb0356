#pragma once

namespace client {
class Client;
}

namespace table {

// The smallest positive wealth multiplier of the seats (0 when none is positive).
int MinWealthMultiplier(const client::Client& c);

// Shows `value` as the table's wealth multiplier: the caption, the font size and place that
// suit its width at the current scale, then the picture and the label.
void ShowWealthMultiplier(client::Client& c, int value);

// After a seat's multiplier changed: with a table multiplier the wealth picture shows the
// seats' smallest, its label sized and placed for two or three digits; without one both hide.
void ShowSeatsWealthMultiplier(client::Client& c);

}  // namespace table
