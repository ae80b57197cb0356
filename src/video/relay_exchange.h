#pragma once

#include <cstdint>

namespace video {

// The relay socket's counters exist for slots 1..3: the captured frames go to at most so many.
inline constexpr std::int16_t kThrottledSlots = 3;

// One captured frame through a slot's throttle `count`: true when the frame goes out. From 0
// the slot gets the 1st, 2nd and 3rd frame, then every 21st.
bool PassesSendThrottle(std::int16_t& count);

}  // namespace video
