#pragma once

namespace platform {

// The operating system's version as the program asks for it: the platform id (2 for the NT
// family) and the major and minor version. The windows that a Part makes translucent only on
// the systems that drew layered windows test it; every desktop this client runs on composes
// translucent windows, so the answer is that of such a system.
struct SystemVersion {
    int platformId = 2;
    int major = 5;
    int minor = 1;
};

inline SystemVersion GetSystemVersion() {
    return {};
}

}  // namespace platform
