#pragma once

namespace state {

// The game platform's web host: greeted after login, and the host of the rules page, the
// music box's download page and the music box's start argument.
inline constexpr char16_t WebHost[] = u"www.brenmoor.com";

}  // namespace state
