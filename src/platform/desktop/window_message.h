#pragma once

#include <compare>
#include <cstdint>
#include <functional>

namespace platform {

// A top-level window on the desktop, of this program or another; 0 names none.
struct WindowHandle {
    std::uint64_t value = 0;

    explicit operator bool() const { return value != 0; }
    auto operator<=>(const WindowHandle&) const = default;
};

// A window procedure: receives a window's messages and returns the message's result.
using WindowProcedure = std::function<std::int32_t(WindowHandle window, std::uint32_t message,
                                                   std::int32_t wParam, std::int32_t lParam)>;

// The system command message and the two commands programs send each other.
inline constexpr std::uint32_t kSystemCommandMessage = 0x0112;
enum class SystemCommand : std::int32_t {
    Minimise = 0xF020,
    Restore = 0xF120,
};

}  // namespace platform
