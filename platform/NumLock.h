#pragma once

#include <optional>

namespace zorv::platform {

// Whether Num Lock is on, where the platform can tell (X11 through its
// keyboard extension); std::nullopt elsewhere (Wayland, offscreen), in which
// case the indicator is simply left as it is.
std::optional<bool> numLockState();

}  // namespace zorv::platform
