#include "dispatch/seat_flags.h"

#include <string>

#include "client/client.h"
#include "platform/runtime/failure.h"
#include "state/relative_seat.h"

namespace dispatch {

int SeatOfFlag(const client::Client& c, std::uint8_t seatByte) {
    constexpr std::uint8_t LowNibble = 0x0F;
    const int seat = state::RelativeSeat(std::uint8_t(seatByte & LowNibble), c.s.custom[0].seat);
    if (seat < 0 || seat > 3) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "no seat for flag " + std::to_string(seatByte));
    }
    return seat;
}

}  // namespace dispatch
