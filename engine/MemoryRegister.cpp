#include "MemoryRegister.h"

#include "TextUtil.h"

namespace zorv::engine {

void MemoryRegister::store(const Decimal& value) {
    value_ = value;
    shown_ = true;
    label_ = format_.withDecimalSymbol(format_.toText(value_));
    toolTip_ = format_.grouped(text::trim(label_));
}

void MemoryRegister::clear() {
    value_ = Decimal();
    shown_ = false;
    label_.clear();
    toolTip_.clear();
}

}  // namespace zorv::engine
