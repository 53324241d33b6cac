#pragma once

#include <string>

#include "Decimal.h"
#include "NumberFormat.h"

namespace zorv::engine {

// The memory register of the keypad: its value, and what the memory
// indicator shows for it. The indicator stays hidden until a value is
// stored; clearing hides it again.
class MemoryRegister {
public:
    explicit MemoryRegister(const NumberFormat& format) : format_(format) {}

    const Decimal& value() const { return value_; }
    bool shown() const { return shown_; }
    // The indicator's text: the value as the readout would show it ("5.").
    const std::string& label() const { return label_; }
    // The value grouped in thousands for the indicator's tool tip.
    const std::string& toolTip() const { return toolTip_; }

    // MS, and the value kept from the last session.
    void store(const Decimal& value);
    // M+ and M-. A sum beyond the decimal range throws DecimalOverflow and
    // leaves the register as it was.
    void add(const Decimal& value) { store(value_ + value); }
    void subtract(const Decimal& value) { store(value_ - value); }
    // MC.
    void clear();

private:
    const NumberFormat& format_;
    Decimal value_;
    bool shown_ = false;
    std::string label_;
    std::string toolTip_;
};

}  // namespace zorv::engine
