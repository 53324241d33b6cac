#pragma once

#include <string>

namespace zorv::engine {

// The locale symbols every number parser and formatter works with. They are
// read once at start-up and never change while the program runs.
struct NumberSymbols {
    std::string decimal = ".";
    std::string thousand = ",";
    std::string currency = "$";  // the bare symbol; callers that show it add the blank
};

}  // namespace zorv::engine
