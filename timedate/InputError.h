#pragma once

#include <stdexcept>

namespace zorv::timedate {

// Text a person typed (or a file they keep) that cannot be read. what() is
// the message to show as it is; handlers catch it and report it, nothing of
// the caller's state has changed when it is thrown.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace zorv::timedate
