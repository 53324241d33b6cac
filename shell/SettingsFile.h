#pragma once

#include <string>

namespace zorv::shell {

// The per-user settings file of the window:
// "<configuration folder>/Zorv/Zorv Advanced Calculator.ini", the file the
// program has always used, usually ~/.config/Zorv/Zorv Advanced Calculator.ini.
std::string userSettingsFile();

}  // namespace zorv::shell
