// The memory register on its own: the indicator texts follow the locale
// symbols, and a step that does not fit leaves everything as it was.
#include <gtest/gtest.h>

#include "engine/MemoryRegister.h"

using namespace zorv::engine;

namespace {

struct Register {
    Modes modes;
    NumberFormat format;
    MemoryRegister memory{format};
    explicit Register(NumberSymbols s = {}) : format(std::move(s), modes) {}
};

}  // namespace

TEST(MemoryRegister, IndicatorTextsUseTheLocaleSymbols) {
    Register r({",", ".", "$"});
    EXPECT_FALSE(r.memory.shown());
    r.memory.store(Decimal::parse("-1234567.5"));
    EXPECT_TRUE(r.memory.shown());
    EXPECT_EQ(r.memory.label(), "-1234567,5");
    EXPECT_EQ(r.memory.toolTip(), "-1.234.567,5");
    r.memory.subtract(Decimal::parse("-1234567.5"));
    EXPECT_TRUE(r.memory.value().isZero());
    EXPECT_TRUE(r.memory.shown());  // a zero result still shows
    EXPECT_EQ(r.memory.label(), "0,");
}

TEST(MemoryRegister, StepThatDoesNotFitChangesNothing) {
    Register r;
    const Decimal low = Decimal::parse("-79228162514264337593543950335");
    r.memory.store(low);
    EXPECT_THROW(r.memory.subtract(Decimal(1)), DecimalOverflow);
    EXPECT_EQ(r.memory.value(), low);
    EXPECT_EQ(r.memory.label(), "-79228162514264337593543950335.");
    r.memory.clear();
    EXPECT_FALSE(r.memory.shown());
    EXPECT_EQ(r.memory.label(), "");
    EXPECT_EQ(r.memory.toolTip(), "");
    EXPECT_TRUE(r.memory.value().isZero());
}
