#include "Decimal.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <limits>


namespace zorv::engine {

namespace {

__extension__ typedef unsigned __int128 u128;
typedef std::uint64_t u64;

constexpr u128 kLimit = u128(1) << 96;  // mantissas are below this
// 2^96 / 10 rounded half to even: what a mantissa that rounded up to 2^96
// becomes one decimal place further left.
constexpr u128 kLimitTenth = (u128(0x19999999u) << 64) | u128(0x999999999999999Aull);

constexpr u128 makePow10(int n) {
    u128 v = 1;
    for (int i = 0; i < n; ++i) v *= 10;
    return v;
}

struct Pow10Table {
    u128 p[39];
    u128 fitLimit[29];  // largest q with q * 10^k < 2^96
    constexpr Pow10Table() : p(), fitLimit() {
        for (int i = 0; i < 39; ++i) p[i] = makePow10(i);
        for (int k = 0; k < 29; ++k) fitLimit[k] = (kLimit - 1) / p[k];
    }
};
constexpr Pow10Table kTable;

inline u128 pow10(int n) { return kTable.p[n]; }

// 128 / 64 -> 64 division; requires hi < d so that the quotient fits.
inline u64 div128by64(u64 hi, u64 lo, u64 d, u64& rem) {
#if defined(__x86_64__)
    u64 q, r;
    __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(lo), "d"(hi), "rm"(d));
    rem = r;
    return q;
#else
    u128 n = (u128(hi) << 64) | lo;
    rem = static_cast<u64>(n % d);
    return static_cast<u64>(n / d);
#endif
}

// n / d for a divisor of 65 to 96 bits when the quotient is known to fit in
// 64 bits: one hardware division by the divisor's top 64 bits (plus one, so
// the estimate is never too big), then at most a few corrections.
inline u64 divByWide(u128 n, u128 d, u128& rem) {
    const int shift = 64 - __builtin_clzll(static_cast<u64>(d >> 64));
    const u64 top = static_cast<u64>(d >> shift);
    const u128 nTop = n >> shift;
    u64 q;
    if (top == ~u64(0)) {
        q = static_cast<u64>(nTop >> 64);
    } else {
        u64 unused;
        q = div128by64(static_cast<u64>(nTop >> 64), static_cast<u64>(nTop), top + 1, unused);
    }
    u128 r = n - u128(q) * d;
    while (r >= d) {
        r -= d;
        ++q;
    }
    rem = r;
    return q;
}

// A 192-bit unsigned integer, least significant limb first. Wide enough for
// a 96 x 96 bit product and for a mantissa aligned by 10^28.
struct U192 {
    u64 w[3] = {0, 0, 0};

    static U192 from(u128 v) {
        U192 r;
        r.w[0] = static_cast<u64>(v);
        r.w[1] = static_cast<u64>(v >> 64);
        return r;
    }
    bool fits128() const { return w[2] == 0; }
    u128 low128() const { return (u128(w[1]) << 64) | w[0]; }
    bool isZero() const { return (w[0] | w[1] | w[2]) == 0; }

    // Divides in place by d (non-zero), returns the remainder.
    u64 divSmall(u64 d) {
        u64 rem = 0;
        for (int i = 2; i >= 0; --i) w[i] = div128by64(rem, w[i], d, rem);
        return rem;
    }
};

inline U192 mul128(u128 a, u128 b) {
    // a and b each below 2^128 but at least one below 2^96 in every use; the
    // product of the four 64-bit halves is assembled with carries.
    u64 a0 = static_cast<u64>(a), a1 = static_cast<u64>(a >> 64);
    u64 b0 = static_cast<u64>(b), b1 = static_cast<u64>(b >> 64);
    u128 p00 = u128(a0) * b0;
    u128 p01 = u128(a0) * b1;
    u128 p10 = u128(a1) * b0;
    u128 p11 = u128(a1) * b1;
    U192 r;
    r.w[0] = static_cast<u64>(p00);
    u128 mid = (p00 >> 64) + static_cast<u64>(p01) + static_cast<u64>(p10);
    r.w[1] = static_cast<u64>(mid);
    u128 high = (mid >> 64) + (p01 >> 64) + (p10 >> 64) + p11;
    r.w[2] = static_cast<u64>(high);  // bits above 192 never occur here
    return r;
}

inline U192 add192(const U192& a, const U192& b) {
    U192 r;
    unsigned char c = 0;
    for (int i = 0; i < 3; ++i) {
        u128 s = u128(a.w[i]) + b.w[i] + c;
        r.w[i] = static_cast<u64>(s);
        c = static_cast<unsigned char>(s >> 64);
    }
    return r;
}

inline U192 sub192(const U192& a, const U192& b) {  // requires a >= b
    U192 r;
    u64 borrow = 0;
    for (int i = 0; i < 3; ++i) {
        u64 x = a.w[i], y = b.w[i];
        u64 d = x - y - borrow;
        borrow = (x < y || (x == y && borrow)) ? 1 : 0;
        r.w[i] = d;
    }
    return r;
}

inline int cmp192(const U192& a, const U192& b) {
    for (int i = 2; i >= 0; --i) {
        if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
    }
    return 0;
}

inline bool fitsMantissa(const U192& v) { return v.w[2] == 0 && (v.w[1] >> 32) == 0; }

[[noreturn]] void throwOverflow() { throw DecimalOverflow(); }

// Divides v by powers of ten while keeping what is needed to round the final
// quotient half to even on the whole dropped part: the remainder of the last
// step and a sticky flag for every earlier one.
struct Reducer {
    U192 q;
    u64 lastRem = 0;
    u64 lastDiv = 1;
    bool sticky = false;

    void drop(int digits) {
        while (digits > 0) {
            int k = std::min(digits, 19);
            u64 d = static_cast<u64>(pow10(k));
            sticky = sticky || lastRem != 0;
            lastRem = q.divSmall(d);
            lastDiv = d;
            digits -= k;
        }
    }
    bool roundsUp() const {
        if (lastDiv == 1) return false;
        u64 half = lastDiv / 2;
        if (lastRem != half) return lastRem > half;
        return sticky || (q.w[0] & 1);
    }
};

inline int bitLength192(const U192& v) {
    for (int i = 2; i >= 0; --i) {
        if (v.w[i]) return i * 64 + 64 - __builtin_clzll(v.w[i]);
    }
    return 0;
}

}  // namespace

// The common tail of every operation whose exact result may not fit: drops
// the fewest low digits that bring the mantissa under 2^96 and the scale to
// 28 or less, rounding half to even, and fails when the scale would have to
// go below zero (the whole part does not fit).
Decimal Decimal::fromWide(const void* wideValue, int scale, bool negative) {
    const U192& value = *static_cast<const U192*>(wideValue);
    int drop = std::max(0, scale - kMaxScale);
    int bits = bitLength192(value);
    if (bits > 96) {
        // floor((bits - 97) * log10(2)) never overshoots the digits needed.
        int est = ((bits - 97) * 77) >> 8;
        drop = std::max(drop, est);
    }
    Reducer r;
    r.q = value;
    r.drop(drop);
    while (!fitsMantissa(r.q)) {
        r.drop(1);
        ++drop;
    }
    int newScale = scale - drop;
    if (newScale < 0) throwOverflow();
    u128 m = r.q.low128();
    if (r.roundsUp()) {
        ++m;
        if (m == kLimit) {
            if (newScale == 0) throwOverflow();
            m = kLimitTenth;
            --newScale;
        }
    }
    return make(m, newScale, negative);
}

Decimal Decimal::make(u128 mantissa, int scale, bool negative) {
    Decimal d;
    d.lo64_ = static_cast<u64>(mantissa);
    d.hi32_ = static_cast<std::uint32_t>(mantissa >> 64);
    d.scale_ = static_cast<std::uint8_t>(scale);
    d.negative_ = negative;
    return d;
}

Decimal::Decimal(long long value) {
    negative_ = value < 0;
    lo64_ = negative_ ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
}

Decimal::Decimal(unsigned long long value) { lo64_ = value; }

Decimal Decimal::fromParts(std::uint64_t lo64, std::uint32_t hi32, int scale, bool negative) {
    if (scale < 0 || scale > kMaxScale) throw std::invalid_argument("Decimal scale must be 0..28");
    Decimal d;
    d.lo64_ = lo64;
    d.hi32_ = hi32;
    d.scale_ = static_cast<std::uint8_t>(scale);
    d.negative_ = negative;
    return d;
}

Decimal Decimal::maxValue() { return fromParts(~0ull, ~0u, 0, false); }

Decimal Decimal::operator-() const {
    Decimal d = *this;
    d.negative_ = !negative_;
    return d;
}

namespace {

// |a| and |b| brought to the same scale, each as a 192-bit integer.
struct Aligned {
    U192 a, b;
    int scale;
};

}  // namespace

Decimal Decimal::addMagnitudes(const Decimal& a, const Decimal& b, bool bNegative) {
    u128 ma = a.mantissa(), mb = b.mantissa();
    int sa = a.scale_, sb = b.scale_;
    bool aNeg = a.negative_;
    int scale = std::max(sa, sb);
    int diff = sa - sb;

    // Fast path: the aligned operands and their sum fit in 128 bits.
    if (diff >= -9 && diff <= 9) {
        if (diff > 0) mb *= pow10(diff);
        else if (diff < 0) ma *= pow10(-diff);
        if (aNeg == bNegative) {
            u128 s = ma + mb;
            if (s < kLimit) return make(s, scale, aNeg);
            U192 w = U192::from(s);
            return fromWide(&w, scale, aNeg);
        }
        bool neg = ma >= mb ? aNeg : bNegative;
        u128 d = ma >= mb ? ma - mb : mb - ma;
        if (d < kLimit) return make(d, scale, neg);
        U192 w = U192::from(d);
        return fromWide(&w, scale, neg);
    }

    U192 wa = U192::from(ma), wb = U192::from(mb);
    if (diff > 0) wb = mul128(mb, pow10(diff));
    else wa = mul128(ma, pow10(-diff));
    if (aNeg == bNegative) {
        U192 s = add192(wa, wb);
        if (fitsMantissa(s)) return make(s.low128(), scale, aNeg);
        return fromWide(&s, scale, aNeg);
    }
    int c = cmp192(wa, wb);
    U192 d = c >= 0 ? sub192(wa, wb) : sub192(wb, wa);
    bool neg = c >= 0 ? aNeg : bNegative;
    if (fitsMantissa(d)) return make(d.low128(), scale, neg);
    return fromWide(&d, scale, neg);
}

Decimal operator+(const Decimal& a, const Decimal& b) { return Decimal::addMagnitudes(a, b, b.negative_); }

Decimal operator-(const Decimal& a, const Decimal& b) { return Decimal::addMagnitudes(a, b, !b.negative_); }

Decimal operator*(const Decimal& a, const Decimal& b) {
    bool neg = a.negative_ != b.negative_;
    int scale = a.scale_ + b.scale_;
    if (a.hi32_ == 0 && b.hi32_ == 0) {
        u128 p = u128(a.lo64_) * b.lo64_;
        if (p < kLimit && scale <= Decimal::kMaxScale) return Decimal::make(p, scale, neg);
        U192 w = U192::from(p);
        return Decimal::fromWide(&w, scale, neg);
    }
    U192 p = mul128(a.mantissa(), b.mantissa());
    if (fitsMantissa(p) && scale <= Decimal::kMaxScale) return Decimal::make(p.low128(), scale, neg);
    return Decimal::fromWide(&p, scale, neg);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.isZero()) throw DecimalDivideByZero();
    bool neg = a.negative_ != b.negative_;
    int scale = a.scale_ - b.scale_;
    u128 n = a.mantissa();
    u128 d = b.mantissa();
    const bool smallDivisor = (d >> 64) == 0;
    const u64 d64 = static_cast<u64>(d);

    u128 q, r;
    if (smallDivisor) {
        u64 hi = static_cast<u64>(n >> 64), lo = static_cast<u64>(n);
        u64 qh = hi / d64, rh = hi % d64, rem;
        u64 ql = div128by64(rh, lo, d64, rem);
        q = (u128(qh) << 64) | ql;
        r = rem;
    } else {
        q = divByWide(n, d, r);
    }

    if (r == 0) {
        // Exact at the natural scale: returned as it is, a negative scale
        // raised to zero.
        if (scale >= 0) return Decimal::make(q, scale, neg);
        if (q > kTable.fitLimit[-scale]) throwOverflow();
        return Decimal::make(q * pow10(-scale), 0, neg);
    }

    // Inexact: extend the quotient digit group by digit group while it fits
    // in 96 bits and the scale stays within 28, then round half to even on
    // the exact remainder and strip the trailing zeros.
    const int step = smallDivisor ? 19 : 9;
    bool rounded = false;
    while (r != 0 && scale < Decimal::kMaxScale) {
        int k = std::min(Decimal::kMaxScale - scale, step);
        while (k > 0 && q > kTable.fitLimit[k]) --k;
        if (k == 0) break;
        u128 num = r * pow10(k);
        u128 digits;
        if (smallDivisor) {
            u64 rem;
            digits = div128by64(static_cast<u64>(num >> 64), static_cast<u64>(num), d64, rem);
            r = rem;
        } else {
            digits = divByWide(num, d, r);
        }
        q = q * pow10(k) + digits;
        scale += k;
        if (q >= kLimit) {
            // The new digits carried past 96 bits: keep one digit fewer.
            unsigned dropped = static_cast<unsigned>(q % 10);
            q /= 10;
            --scale;
            if (dropped > 5 || (dropped == 5 && (r != 0 || (q & 1)))) ++q;
            rounded = true;
            break;
        }
    }
    if (scale < 0) {
        // Either the whole part cannot fit, or the quotient came out exact
        // before reaching scale 0 and only needs its zeros.
        if (r != 0 || q > kTable.fitLimit[-scale]) throwOverflow();
        return Decimal::make(q * pow10(-scale), 0, neg);
    }
    if (!rounded && r != 0) {
        u128 rest = d - r;
        if (r > rest || (r == rest && (q & 1))) {
            ++q;
            if (q == kLimit) {
                if (scale == 0) throwOverflow();
                q = kLimitTenth;
                --scale;
            }
        }
    }
    if (q == 0) scale = 0;
    while (scale > 0 && (q & 1) == 0) {
        if ((q >> 64) == 0) {
            u64 v = static_cast<u64>(q);
            if (v % 10 != 0) break;
            q = v / 10;
        } else {
            u128 t = q / 10;
            if (t * 10 != q) break;
            q = t;
        }
        --scale;
    }
    return Decimal::make(q, scale, neg);
}

namespace {

int compareMagnitude(u128 ma, int sa, u128 mb, int sb) {
    if (sa == sb) return ma < mb ? -1 : (ma > mb ? 1 : 0);
    int diff = sa - sb;
    if (diff > 0) {
        if (diff <= 9) mb *= pow10(diff);
        else {
            U192 wb = mul128(mb, pow10(diff));
            return cmp192(U192::from(ma), wb);
        }
    } else {
        if (-diff <= 9) ma *= pow10(-diff);
        else {
            U192 wa = mul128(ma, pow10(-diff));
            return cmp192(wa, U192::from(mb));
        }
    }
    return ma < mb ? -1 : (ma > mb ? 1 : 0);
}

}  // namespace

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    bool az = a.isZero(), bz = b.isZero();
    if (az && bz) return std::strong_ordering::equal;
    bool an = a.isNegative(), bn = b.isNegative();
    if (an != bn) return an ? std::strong_ordering::less : std::strong_ordering::greater;
    int c = compareMagnitude(a.mantissa(), a.scale_, b.mantissa(), b.scale_);
    if (an) c = -c;
    return c < 0 ? std::strong_ordering::less : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

Decimal Decimal::round(int places, Rounding mode) const {
    if (places < 0) throw std::invalid_argument("Decimal::round places must be 0..28");
    if (places >= scale_) return *this;
    int drop = scale_ - places;
    u128 m = mantissa();
    u128 div = pow10(drop);
    u128 q = m / div, r = m % div;
    u128 rest = div - r;
    bool up = mode == Rounding::HalfEven ? (r > rest || (r == rest && (q & 1))) : r >= rest;
    if (up) ++q;  // cannot reach 2^96: q <= m / 10 + 1
    return make(q, places, negative_);
}

namespace {

// Writes the decimal digits of v (below 2^96) into buf, returns the count.
int toDigits(u128 v, char* buf) {
    char tmp[40];
    int n = 0;
    if (v == 0) {
        buf[0] = '0';
        return 1;
    }
    constexpr u64 k19 = 10000000000000000000ull;
    u64 hi = static_cast<u64>(v >> 64), lo = static_cast<u64>(v);
    u64 low, high;
    if (hi == 0) {
        low = lo % k19;
        high = lo / k19;
    } else {
        u64 rem;
        high = div128by64(hi, lo, k19, rem);  // hi < 2^32 < 10^19
        low = rem;
    }
    // high < 10^10 since v < 2^96 < 10^29
    if (high != 0) {
        for (int i = 0; i < 19; ++i) {
            tmp[n++] = static_cast<char>('0' + low % 10);
            low /= 10;
        }
        while (high) {
            tmp[n++] = static_cast<char>('0' + high % 10);
            high /= 10;
        }
    } else {
        while (low) {
            tmp[n++] = static_cast<char>('0' + low % 10);
            low /= 10;
        }
    }
    for (int i = 0; i < n; ++i) buf[i] = tmp[n - 1 - i];
    return n;
}

}  // namespace

std::string Decimal::toString(std::string_view decimalSymbol) const {
    if (decimalSymbol.empty()) decimalSymbol = ".";
    char digits[40];
    int n = toDigits(mantissa(), digits);
    int scale = scale_;
    // Trailing zeros of the fraction never show.
    while (scale > 0 && n > 0 && digits[n - 1] == '0') {
        --n;
        --scale;
    }
    if (n == 0) {  // the mantissa was zero
        digits[0] = '0';
        n = 1;
        scale = 0;
    }
    std::string out;
    out.reserve(static_cast<size_t>(n + scale + 4 + decimalSymbol.size()));
    if (negative_ && !isZero()) out.push_back('-');
    if (scale == 0) {
        out.append(digits, static_cast<size_t>(n));
        return out;
    }
    if (n <= scale) {
        out.push_back('0');
        out.append(decimalSymbol);
        out.append(static_cast<size_t>(scale - n), '0');
        out.append(digits, static_cast<size_t>(n));
    } else {
        out.append(digits, static_cast<size_t>(n - scale));
        out.append(decimalSymbol);
        out.append(digits + (n - scale), static_cast<size_t>(scale));
    }
    return out;
}

double Decimal::toDouble() const {
    // As the classic conversion does it: the 96-bit integer as a double, then
    // one division by the power of ten (two roundings).
    static constexpr double kPow[29] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
                                        1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28};
    double v = (static_cast<double>(lo64_) + static_cast<double>(hi32_) * 18446744073709551616.0) / kPow[scale_];
    return negative_ ? -v : v;
}

Decimal Decimal::fromDouble(double value) {
    if (!std::isfinite(value)) throwOverflow();
    double mag = std::fabs(value);
    if (mag >= 79228162514264337593543950336.0) throwOverflow();  // 2^96
    if (mag < 0x1p-95) return Decimal();
    bool neg = std::signbit(value);

    // mag = m * 2^e exactly, m below 2^53.
    int e2;
    double frac = std::frexp(mag, &e2);                      // mag = frac * 2^e2, frac in [0.5, 1)
    u64 m = static_cast<u64>(std::ldexp(frac, 53));          // exact
    int e = e2 - 53;

    // Rounds m * 2^e * 10^s to an integer, half to even on the exact binary
    // value; also reports the truncated value so the digit count can be checked.
    auto scaled = [&](int s, u128& truncated) -> u128 {
        u128 whole = e > 0 ? (u128(m) << e) : u128(m);  // below 2^96
        U192 x = s > 0 ? mul128(whole, pow10(s)) : U192::from(whole);
        bool up = false;
        bool decSticky = false;
        if (s < 0) {
            Reducer red;
            red.q = x;
            red.drop(-s);
            x = red.q;
            if (e >= 0) {
                truncated = x.low128();
                up = red.roundsUp();
                return up ? truncated + 1 : truncated;
            }
            decSticky = red.sticky || red.lastRem != 0;
        }
        if (e < 0) {
            int sh = -e;  // at most 148
            bool half = false, lowSticky = false;
            if (sh > 192) {
                lowSticky = !x.isZero();
                x = U192();
            } else {
                // bit sh-1 is the half bit, bits below it are sticky
                int hb = sh - 1;
                half = (x.w[hb / 64] >> (hb % 64)) & 1;
                for (int i = 0; i < hb / 64; ++i) lowSticky = lowSticky || x.w[i] != 0;
                if (hb % 64) lowSticky = lowSticky || (x.w[hb / 64] & ((u64(1) << (hb % 64)) - 1)) != 0;
                // shift right by sh
                int limbs = sh / 64, bits = sh % 64;
                U192 y;
                for (int i = 0; i < 3; ++i) {
                    int src = i + limbs;
                    u64 lo = src < 3 ? x.w[src] : 0;
                    u64 hi = src + 1 < 3 ? x.w[src + 1] : 0;
                    y.w[i] = bits ? (lo >> bits) | (hi << (64 - bits)) : lo;
                }
                x = y;
            }
            truncated = x.low128();
            up = half && (lowSticky || decSticky || (truncated & 1));
            return up ? truncated + 1 : truncated;
        }
        truncated = x.low128();
        return truncated;
    };

    // Aim for 15 significant digits: 10^14 <= mag * 10^s < 10^15.
    int s = 14 - static_cast<int>(std::floor(std::log10(mag)));
    if (s > kMaxScale) s = kMaxScale;
    u128 trunc = 0;
    u128 q = scaled(s, trunc);
    constexpr u128 k15 = 1000000000000000ull, k14 = 100000000000000ull;
    for (int guard = 0; guard < 4; ++guard) {
        if (trunc >= k15) {
            --s;
        } else if (trunc < k14 && s < kMaxScale) {
            ++s;
        } else {
            break;
        }
        q = scaled(s, trunc);
    }
    if (q == 0) return Decimal();
    if (s < 0) {
        q *= pow10(-s);
        s = 0;
    }
    while (s > 0 && q % 10 == 0) {
        q /= 10;
        --s;
    }
    if (q >= kLimit) throwOverflow();
    return make(q, s, neg);
}


// ---------------------------------------------------------------------------
// Text to number: the grammar of the classic number parser (blanks, one sign
// in front or behind, parentheses, currency symbol, thousands symbols after
// the first digit, one decimal symbol, an exponent, &H/&O), locale symbols
// given as UTF-8 strings of any length.

namespace {

enum class ScanResult { Ok, Mismatch, Overflow };

struct ScannedNumber {
    static constexpr int kKeep = 64;  // significant digits kept exactly
    char digits[kKeep];               // significant digits, no leading zeros
    int digitCount = 0;
    bool sticky = false;      // a non-zero digit beyond kKeep
    long long point = 0;      // value = 0.digits * 10^point
    bool negative = false;
    int radixShift = 0;       // 4 for &H, 3 for &O, else 0
    u64 integer = 0;          // the &H/&O value
};

class Scanner {
public:
    Scanner(std::string_view text, const NumberSymbols& sym) : t_(text) {
        dec_ = sym.decimal.empty() ? std::string_view(".") : std::string_view(sym.decimal);
        thou_ = sym.thousand;
        // The decimal symbol masks an equal thousands symbol.
        if (thou_ == dec_) thou_ = {};
        cur_ = sym.currency;
        // A no-break space as thousands symbol lets plain blanks group too.
        nbspThousands_ = thou_ == "\xC2\xA0" || thou_ == "\xE2\x80\xAF";
    }

    ScanResult run(ScannedNumber& out);

private:
    bool at(std::string_view s) const { return !s.empty() && t_.substr(p_, s.size()) == s; }
    char ch() const { return p_ < t_.size() ? t_[p_] : '\0'; }
    size_t thousandsAt() const {
        if (at(thou_)) return thou_.size();
        if (nbspThousands_ && ch() == ' ') return 1;
        return 0;
    }
    size_t whiteAt() const {
        char c = ch();
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') return 1;
        if (t_.substr(p_, 2) == "\xC2\xA0") return 2;
        return 0;
    }
    void skipFractionZeros(ScannedNumber& out, bool& sawZero) {
        while (ch() == '0') {
            ++p_;
            sawZero = true;
            if (out.digitCount == 0) --out.point;
        }
    }

    std::string_view t_;
    size_t p_ = 0;
    std::string_view dec_, thou_, cur_;
    bool nbspThousands_ = false;
};

ScanResult Scanner::run(ScannedNumber& out) {
    bool leadPlus = false, leadMinus = false, leadCurrency = false, parens = false;
    bool haveDecimal = false, sawZero = false, overflow = false;
    bool negative = false;

    // Leading symbols and blanks.
    for (;;) {
        if (at(dec_)) {
            haveDecimal = true;
            p_ += dec_.size();
            skipFractionZeros(out, sawZero);
            break;
        }
        if (thousandsAt()) return ScanResult::Mismatch;  // never before the first digit
        if (size_t w = whiteAt()) {
            while ((w = whiteAt()) != 0) p_ += w;
            continue;
        }
        char c = ch();
        if (c == '+' && !leadPlus && !leadMinus) {
            leadPlus = true;
            ++p_;
        } else if (c == '-' && !leadMinus && !leadPlus) {
            leadMinus = negative = true;
            ++p_;
        } else if (!leadCurrency && at(cur_)) {
            leadCurrency = true;
            p_ += cur_.size();
        } else if (c == '(' && !parens) {
            parens = true;
            ++p_;
        } else {
            break;
        }
    }

    // &H and &O.
    if (!haveDecimal && !leadCurrency && ch() == '&' && p_ + 1 < t_.size()) {
        char k = t_[p_ + 1];
        if (k == 'H' || k == 'h') out.radixShift = 4;
        if (k == 'O' || k == 'o') out.radixShift = 3;
        if (out.radixShift) p_ += 2;
    }

    while (ch() == '0') {
        ++p_;
        sawZero = true;
        if (haveDecimal && out.digitCount == 0) --out.point;
    }

    int radixDigits = 0;
    for (;;) {
        char c = ch();
        if (out.radixShift) {
            int v = -1;
            if (c >= '0' && c <= '9') v = c - '0';
            else if (out.radixShift == 4 && c >= 'a' && c <= 'f') v = c - 'a' + 10;
            else if (out.radixShift == 4 && c >= 'A' && c <= 'F') v = c - 'A' + 10;
            if (v < 0 || v >= (1 << out.radixShift)) break;
            if (out.integer > (~u64(0) >> out.radixShift)) overflow = true;
            out.integer = (out.integer << out.radixShift) | static_cast<u64>(v);
            ++radixDigits;
            ++p_;
            continue;
        }
        if (c >= '0' && c <= '9') {
            ++p_;
            if (out.digitCount == 0 && c == '0') {
                // Zeros before the first significant digit (after a group
                // separator or the decimal symbol).
                sawZero = true;
                if (haveDecimal) --out.point;
                continue;
            }
            if (out.digitCount < ScannedNumber::kKeep) {
                out.digits[out.digitCount++] = c;
            } else if (c != '0') {
                out.sticky = true;
            }
            if (!haveDecimal) ++out.point;
            continue;
        }
        if (size_t n = thousandsAt()) {
            p_ += n;
            continue;
        }
        if (!haveDecimal && at(dec_)) {
            haveDecimal = true;
            p_ += dec_.size();
            if (out.digitCount == 0) skipFractionZeros(out, sawZero);
            continue;
        }
        if ((c == 'e' || c == 'E') && !leadCurrency) {
            size_t q = p_ + 1;
            bool expNeg = false;
            if (q < t_.size() && (t_[q] == '+' || t_[q] == '-')) expNeg = t_[q++] == '-';
            // Without exponent digits the letter is left to the trailing part
            // (a currency symbol may start with it); anything else fails there.
            if (q >= t_.size() || t_[q] < '0' || t_[q] > '9') break;
            long long e = 0;
            while (q < t_.size() && t_[q] >= '0' && t_[q] <= '9') {
                if (e < 1000000) e = e * 10 + (t_[q] - '0');
                ++q;
            }
            out.point += expNeg ? -e : e;
            p_ = q;
        }
        break;
    }

    // Trailing symbols and blanks.
    bool trailingSign = false, closed = false;
    for (;;) {
        if (!out.radixShift) {
            if (size_t n = thousandsAt()) {
                p_ += n;
                continue;
            }
        }
        if (size_t w = whiteAt()) {
            p_ += w;
            continue;
        }
        char c = ch();
        if ((c == '+' || c == '-') && !leadPlus && !leadMinus && !trailingSign) {
            trailingSign = true;
            if (c == '-') negative = true;
            ++p_;
        } else if (c == ')' && parens && !closed) {
            closed = true;
            negative = true;
            ++p_;
        } else if (!out.radixShift && at(cur_)) {
            p_ += cur_.size();
        } else {
            break;
        }
    }

    if (parens && !closed) return ScanResult::Mismatch;
    if (p_ != t_.size()) return ScanResult::Mismatch;
    if (out.radixShift ? radixDigits == 0 && !sawZero : out.digitCount == 0 && !sawZero) return ScanResult::Mismatch;
    if (overflow) return ScanResult::Overflow;
    out.negative = negative;
    // Keep the power of ten in a range where nothing downstream overflows.
    out.point = std::clamp(out.point, -100000LL, 100000LL);
    return ScanResult::Ok;
}

ScanResult scanNumber(std::string_view text, const NumberSymbols& symbols, ScannedNumber& out) {
    return Scanner(text, symbols).run(out);
}

}  // namespace

double Decimal::parseDouble(std::string_view text, const NumberSymbols& symbols) {
    ScannedNumber num;
    switch (scanNumber(text, symbols, num)) {
        case ScanResult::Ok: break;
        case ScanResult::Overflow: throwOverflow();
        case ScanResult::Mismatch: throw DecimalTypeMismatch();
    }
    double v = 0.0;
    if (num.radixShift) {
        v = static_cast<double>(num.integer);
    } else if (num.digitCount > 0) {
        if (num.point > 400) throwOverflow();
        if (num.point >= -400) {
            // digits, a sticky digit standing for everything dropped, exponent
            char buf[ScannedNumber::kKeep + 32];
            int n = 0;
            std::memcpy(buf, num.digits, static_cast<size_t>(num.digitCount));
            n = num.digitCount;
            if (num.sticky) buf[n++] = '1';
            long long exp = num.point - n;
            n += std::snprintf(buf + n, sizeof buf - static_cast<size_t>(n), "e%lld", exp);
            auto res = std::from_chars(buf, buf + n, v);
            if (res.ec == std::errc::result_out_of_range) {
                if (num.point > 0) throwOverflow();
                v = 0.0;
            }
        }
    }
    return num.negative ? -v : v;
}

// ---------------------------------------------------------------------------
// Text to decimal

Decimal Decimal::parse(std::string_view text, const NumberSymbols& symbols) {
    ScannedNumber num;
    switch (scanNumber(text, symbols, num)) {
        case ScanResult::Ok: break;
        case ScanResult::Overflow: throwOverflow();
        case ScanResult::Mismatch: throw DecimalTypeMismatch();
    }
    if (num.radixShift != 0) {
        Decimal d(num.integer);
        d.negative_ = num.negative && num.integer != 0;
        return d;
    }
    if (num.digitCount == 0) return Decimal();

    // value = 0.d1 d2 ... dn * 10^point. Take as many digits as fit in 96 bits
    // at a scale of at most 28, then round half to even on the rest.
    const long long point = num.point;
    if (point > 29) throwOverflow();
    // Zeros at the end of the kept digits only lengthen the mantissa.
    int count = num.digitCount;
    if (!num.sticky) {
        while (count > 1 && num.digits[count - 1] == '0') --count;
    }
    int scale = static_cast<int>(std::min<long long>(kMaxScale, 29 - point));
    long long take = point + scale;  // digits that form the integer mantissa
    u128 m = 0;
    int roundDigit = 0;
    bool sticky = num.sticky;
    if (take <= 0) {
        roundDigit = take == 0 ? num.digits[0] - '0' : 0;
        for (int i = (take == 0 ? 1 : 0); i < count; ++i) sticky = sticky || num.digits[i] != '0';
    } else {
        if (take > count) {
            // Fewer digits than the scale allows: the value is exact.
            scale -= static_cast<int>(take - count);
            take = count;
        }
        u64 head = 0;
        long long i = 0;
        for (; i < take && i < 19; ++i) head = head * 10 + static_cast<u64>(num.digits[i] - '0');
        m = head;
        for (; i < take; ++i) m = m * 10 + static_cast<unsigned>(num.digits[i] - '0');
        if (take < count) roundDigit = num.digits[take] - '0';
        for (long long j = take + 1; j < count; ++j) sticky = sticky || num.digits[j] != '0';
        if (scale < 0) {
            // A whole number with zeros after its digits.
            if (m > kTable.fitLimit[-scale]) throwOverflow();
            m *= pow10(-scale);
            scale = 0;
        }
        while (m >= kLimit) {
            sticky = sticky || roundDigit != 0;
            roundDigit = static_cast<int>(m % 10);
            m /= 10;
            if (--scale < 0) throwOverflow();
        }
    }
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (m & 1)))) {
        ++m;
        if (m == kLimit) {
            if (scale == 0) throwOverflow();
            m = kLimitTenth;
            --scale;
        }
    }
    if (m == 0) return Decimal();
    // Zeros before a cut or a carry (…999 rounding up) can still trail.
    while (scale > 0) {
        if ((m >> 64) == 0) {
            u64 v = static_cast<u64>(m);
            if (v % 10 != 0) break;
            m = v / 10;
        } else {
            if (m % 10 != 0) break;
            m /= 10;
        }
        --scale;
    }
    return make(m, scale, num.negative);
}

}  // namespace zorv::engine
