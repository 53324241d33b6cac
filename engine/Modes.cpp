#include "Modes.h"

#include <string>

namespace zorv::engine {

Decimal roundResult(const Decimal& value, int places, Modes::ResultRounding mode) {
    using R = Modes::ResultRounding;
    if (mode == R::HalfUp) return value.round(places, Rounding::HalfAwayFromZero);
    const Decimal nearest = value.round(places, Rounding::HalfEven);
    if (mode == R::HalfEven || nearest == value) return nearest;
    // Up moves away from zero, down toward it, by one unit of the last place
    // when the nearest went the other way.
    const Decimal unit = Decimal::parse("1e-" + std::to_string(places));
    const bool negative = value.isNegative();
    const bool nearestLarger = negative ? nearest < value : nearest > value;  // further from zero
    if (mode == R::Up && !nearestLarger) return negative ? nearest - unit : nearest + unit;
    if (mode == R::Down && nearestLarger) return negative ? nearest + unit : nearest - unit;
    return nearest;
}

}  // namespace zorv::engine
