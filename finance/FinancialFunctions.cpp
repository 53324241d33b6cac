#include "finance/FinancialFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace zorv::finance {

namespace {

// NaN means the arguments had no answer; infinity means the answer was
// too large. Callers treat the two differently.
double finish(double x) {
    if (std::isnan(x)) throw NoSolution();
    if (std::isinf(x)) throw ResultOutOfRange();
    return x;
}

// a * b where a zero factor wins over an infinite one, so that an unused
// term (no payment, no present value) cannot turn a result into NaN.
double times(double a, double b) { return a == 0 ? 0.0 : a * b; }

struct Growth {
    double g;    // (1 + r)^n
    double gm1;  // (1 + r)^n - 1, accurate for small r
};

Growth growthOf(double r, double n) {
    if (r > -1) {
        const double l = n * std::log1p(r);
        return {std::exp(l), std::expm1(l)};
    }
    const double g = std::pow(1 + r, n);
    return {g, g - 1};
}

double timingFactor(double r, int type) { return type != 0 ? 1 + r : 1.0; }

// Value, derivative and size of the terms of a function whose root is a
// rate. The size lets a root be judged relative to the numbers involved.
struct Sample {
    double value;
    double derivative;
    double scale;
    bool finite() const { return std::isfinite(value) && std::isfinite(derivative) && std::isfinite(scale); }
};

bool closeEnough(const Sample& s) { return std::abs(s.value) <= 1e-9 * std::max(s.scale, 1e-300); }

// Finds a root of f on (-1, inf): Newton from the guess first, because that
// is the root a spreadsheet user expects when there are several; when
// Newton wanders off or stalls, the sign change nearest the guess is
// bracketed and bisected to full precision.
template <class F>
double solveRate(F f, double guess) {
    if (std::isfinite(guess) && guess > -1) {
        double r = guess;
        for (int i = 0; i < 100; ++i) {
            const Sample s = f(r);
            if (!s.finite()) break;
            if (s.value == 0) return r;
            if (s.derivative == 0) break;
            double next = r - s.value / s.derivative;
            if (!std::isfinite(next)) break;
            if (next <= -1) next = (r - 1) / 2;  // halfway to -1, staying in the domain
            if (std::abs(next - r) <= 1e-14 * std::max(1.0, std::abs(next))) {
                const Sample at = f(next);
                if (at.finite() && closeEnough(at)) return next;
                break;
            }
            r = next;
        }
    } else {
        guess = 0.1;
    }

    // Candidate points across the whole domain, ordered by their distance
    // from the guess, so the bracket nearest the guess is found first.
    std::vector<double> points{guess, 0.0};
    for (double d = 1e-12; d < 1; d *= 10) points.push_back(-1 + d);
    for (double p : {-0.9, -0.75, -0.5, -0.25, -0.1, -0.05, -0.01, -0.001, 0.001, 0.01, 0.02, 0.05,
                     0.1, 0.2, 0.35, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 5.0, 10.0, 20.0, 50.0, 100.0,
                     1e3, 1e4, 1e5, 1e6, 1e8, 1e10, 1e12})
        points.push_back(p);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());

    std::vector<std::optional<double>> values(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Sample s = f(points[i]);
        if (std::isfinite(s.value)) {
            if (s.value == 0) return points[i];
            values[i] = s.value;
        }
    }
    std::vector<std::size_t> brackets;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        if (values[i] && values[i + 1] && std::signbit(*values[i]) != std::signbit(*values[i + 1]))
            brackets.push_back(i);
    if (brackets.empty()) throw NoSolution();
    const auto distance = [&](std::size_t i) {
        const double mid = (points[i] + points[i + 1]) / 2;
        return std::abs(mid - guess);
    };
    const std::size_t best = *std::min_element(brackets.begin(), brackets.end(),
                                               [&](auto a, auto b) { return distance(a) < distance(b); });

    double lo = points[best], hi = points[best + 1];
    const bool loNegative = std::signbit(*values[best]);
    for (int i = 0; i < 200 && hi - lo > 1e-16 * std::max(1.0, std::abs(lo)); ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        const double v = f(mid).value;
        if (!std::isfinite(v)) throw NoSolution();
        if (v == 0) return mid;
        if (std::signbit(v) == loNegative) lo = mid;
        else hi = mid;
    }
    return lo + (hi - lo) / 2;
}

}  // namespace

double FV(double rate, double nper, double pmt, double pv, int type) {
    if (rate == 0) return finish(-(pv + pmt * nper));
    const Growth gr = growthOf(rate, nper);
    return finish(-(times(pv, gr.g) + times(pmt, timingFactor(rate, type) * gr.gm1 / rate)));
}

double PV(double rate, double nper, double pmt, double fv, int type) {
    if (rate == 0) return finish(-(fv + pmt * nper));
    // Written with (1 + r)^-n so that a long annuity tends to its limit
    // instead of dividing two infinities.
    const Growth inv = growthOf(rate, -nper);
    return finish(-(times(fv, inv.g) + times(pmt, timingFactor(rate, type) * -inv.gm1 / rate)));
}

double Pmt(double rate, double nper, double pv, double fv, int type) {
    if (rate == 0) {
        if (nper == 0) throw NoSolution();
        return finish(-(pv + fv) / nper);
    }
    const Growth inv = growthOf(rate, -nper);
    const double denominator = timingFactor(rate, type) * -inv.gm1;
    if (denominator == 0) throw NoSolution();
    return finish(-(pv + times(fv, inv.g)) * rate / denominator);
}

double IPmt(double rate, double per, double nper, double pv, double fv, int type) {
    return finish(Pmt(rate, nper, pv, fv, type) - PPmt(rate, per, nper, pv, fv, type));
}

// The principal parts of a level payment grow by (1 + r) a period, so the
// part of payment `per` is the first one carried forward:
//   -(pv + fv) r (1 + r)^(per - 1 - type - nper) / (1 - (1 + r)^-nper),
// the first payment in advance being all principal. Written so, it keeps
// its relative precision over any term, whereas the balance left after
// `per` payments (a difference of two amounts that grow like (1 + r)^per)
// loses every digit of it once (1 + r)^per passes about 1e16.
double PPmt(double rate, double per, double nper, double pv, double fv, int type) {
    if (!(per >= 1 && per <= nper)) throw NoSolution();
    const double pmt = Pmt(rate, nper, pv, fv, type);
    if (rate == 0 || (type != 0 && per == 1)) return pmt;
    const double lead = type != 0 ? 1.0 : 0.0;
    const Growth inv = growthOf(rate, -nper);
    const Growth carried = growthOf(rate, per - 1 - lead - nper);
    if (inv.gm1 == 0) throw NoSolution();
    return finish(times(-(pv + fv) * rate, carried.g) / -inv.gm1);
}

double NPer(double rate, double pmt, double pv, double fv, int type) {
    if (rate == 0) {
        if (pmt == 0) throw NoSolution();
        return finish(-(pv + fv) / pmt);
    }
    if (rate <= -1) throw NoSolution();
    const double due = pmt * timingFactor(rate, type);
    const double numerator = due - rate * fv;
    const double denominator = rate * pv + due;
    if (denominator == 0) throw NoSolution();
    const double ratio = numerator / denominator;
    if (!(ratio > 0) || std::isinf(ratio)) throw NoSolution();
    return finish(std::log(ratio) / std::log1p(rate));
}

double Rate(double nper, double pmt, double pv, double fv, int type, double guess) {
    const auto f = [&](double r) -> Sample {
        if (r == 0) {
            // Limits at r = 0: the annuity factor is n, its slope n(n-1)/2.
            const double t = type != 0 ? 1.0 : 0.0;
            return {pv + pmt * nper + fv, pv * nper + pmt * (t * nper + nper * (nper - 1) / 2),
                    std::abs(pv) + std::abs(pmt * nper) + std::abs(fv)};
        }
        const Growth gr = growthOf(r, nper);
        const double h = gr.gm1 / r;
        const double dg = nper * gr.g / (1 + r);
        double dh;
        if (std::abs(nper * r) < 1e-3) {
            dh = nper * (nper - 1) / 2 + nper * (nper - 1) * (nper - 2) / 3 * r;
        } else {
            dh = (dg * r - gr.gm1) / (r * r);
        }
        const double due = timingFactor(r, type);
        const double dueSlope = type != 0 ? 1.0 : 0.0;
        return {times(pv, gr.g) + times(pmt, due * h) + fv,
                times(pv, dg) + times(pmt, dueSlope * h + due * dh),
                std::abs(times(pv, gr.g)) + std::abs(times(pmt, due * h)) + std::abs(fv)};
    };
    return finish(solveRate(f, guess));
}

double IRR(std::span<const double> values, double guess) {
    const bool anyPositive = std::any_of(values.begin(), values.end(), [](double v) { return v > 0; });
    const bool anyNegative = std::any_of(values.begin(), values.end(), [](double v) { return v < 0; });
    if (!anyPositive || !anyNegative) throw NoSolution();
    // With x = 1/(1+r) the net present value is a polynomial in x, which
    // Horner's scheme evaluates with its derivative in one pass.
    const auto f = [&](double r) -> Sample {
        const double x = 1 / (1 + r);
        double p = 0, dp = 0, size = 0;
        for (std::size_t i = values.size(); i-- > 0;) {
            dp = dp * x + p;
            p = p * x + values[i];
            size = size * x + std::abs(values[i]);
        }
        return {p, dp * -x * x, size};
    };
    return finish(solveRate(f, guess));
}

double MIRR(std::span<const double> values, double financeRate, double reinvestRate) {
    const std::size_t n = values.size();
    if (n < 2) throw NoSolution();
    // Positive flows compounded to the last period at the reinvestment
    // rate; negative flows discounted to period 0 at the finance rate.
    double futureOfPositives = 0;
    for (double v : values) futureOfPositives = futureOfPositives * (1 + reinvestRate) + (v > 0 ? v : 0);
    const double x = 1 / (1 + financeRate);
    double presentOfNegatives = 0;
    for (std::size_t i = n; i-- > 0;) presentOfNegatives = presentOfNegatives * x + (values[i] < 0 ? values[i] : 0);
    if (!std::isfinite(futureOfPositives) || !std::isfinite(presentOfNegatives)) throw ResultOutOfRange();
    if (futureOfPositives == 0 || presentOfNegatives == 0) throw NoSolution();
    const double ratio = futureOfPositives / -presentOfNegatives;
    return finish(std::pow(ratio, 1.0 / static_cast<double>(n - 1)) - 1);
}

double NPV(double rate, std::span<const double> values) {
    if (rate == -1) throw NoSolution();
    const double x = 1 / (1 + rate);
    double sum = 0;
    for (std::size_t i = values.size(); i-- > 0;) sum = x * (values[i] + sum);
    return finish(sum);
}

double SLN(double cost, double salvage, double life) {
    if (life == 0) throw NoSolution();
    return finish((cost - salvage) / life);
}

double SYD(double cost, double salvage, double life, double period) {
    const double denominator = life * (life + 1);
    if (denominator == 0) throw NoSolution();
    return finish((cost - salvage) * (life - period + 1) * 2 / denominator);
}

double DDB(double cost, double salvage, double life, double period, double factor) {
    if (!(life > 0)) throw NoSolution();
    double rate = factor / life;
    double before;
    if (rate >= 1) {
        rate = 1;
        before = period == 1 ? cost : 0.0;
    } else {
        before = cost * std::pow(1 - rate, period - 1);
    }
    const double after = cost * std::pow(1 - rate, period);
    // The last period only takes the book value down to salvage, and once
    // there nothing more is written off.
    const double depreciation = after < salvage ? before - salvage : before - after;
    return finish(std::max(depreciation, 0.0));
}

double totalInterest(double rate, double nper, double pv, double fv, int type) {
    const double m = std::floor(nper);
    if (!(m >= 1)) return 0;
    const double pmt = Pmt(rate, nper, pv, fv, type);
    if (rate == 0) return 0;
    // The interest parts add up to what the balance grew by beyond the
    // payments; see IPmt for which balance each payment's interest is on.
    if (type != 0) return finish(FV(rate, m - 1, pmt, pv, 1) + pv + (m - 1) * pmt);
    return finish(FV(rate, m, pmt, pv, 0) + pv + m * pmt);
}

double compoundDailyInterest(double principal, double rate, double days) {
    const double wholeDays = std::floor(days);
    if (!(wholeDays >= 1)) return 0;
    const double daily = rate / 365;
    if (daily <= -1) throw NoSolution();
    return finish(times(principal, std::expm1(wholeDays * std::log1p(daily))));
}

double straightDailyInterest(double principal, double rate, double days) {
    return finish(principal * rate * days / 365);
}

}  // namespace zorv::finance
