#pragma once

#include <span>
#include <stdexcept>

namespace zorv::finance {

// A financial function has no answer for its arguments: no rate was found,
// a divisor is zero, a logarithm's argument is not positive.
class NoSolution : public std::runtime_error {
public:
    NoSolution() : std::runtime_error("No solution") {}
};

// The answer exists but is too large for a double.
class ResultOutOfRange : public std::runtime_error {
public:
    ResultOutOfRange() : std::runtime_error("Result out of range") {}
};

// The standard spreadsheet financial functions, on doubles. Money is signed
// as cash flow: what you pay out is negative, what you receive positive.
// `type` is the payment timing: 0 at the end of each period, 1 at the
// beginning (any non-zero value counts as 1). A rate of 0 uses the limits of
// the formulas, never a division by zero. Every function returns a finite
// value or throws NoSolution / ResultOutOfRange.

double FV(double rate, double nper, double pmt, double pv = 0, int type = 0);
double PV(double rate, double nper, double pmt, double fv = 0, int type = 0);
double Pmt(double rate, double nper, double pv, double fv = 0, int type = 0);
// Interest and principal part of payment number `per` (1-based).
double IPmt(double rate, double per, double nper, double pv, double fv = 0, int type = 0);
double PPmt(double rate, double per, double nper, double pv, double fv = 0, int type = 0);
double NPer(double rate, double pmt, double pv, double fv = 0, int type = 0);
// Rate per period by iteration from `guess`.
double Rate(double nper, double pmt, double pv, double fv = 0, int type = 0, double guess = 0.1);

// values[0] is the flow of period 0 (the investment, usually negative).
double IRR(std::span<const double> values, double guess = 0.1);
double MIRR(std::span<const double> values, double financeRate, double reinvestRate);
// Discounts the first value one full period.
double NPV(double rate, std::span<const double> values);

double SLN(double cost, double salvage, double life);
double SYD(double cost, double salvage, double life, double period);
// Declining balance with the given factor, never depreciating below salvage.
double DDB(double cost, double salvage, double life, double period, double factor = 2);

// The interest parts IPmt(rate, p, nper, pv, fv, type) summed over
// p = 1 .. floor(nper), in closed form so that any count takes constant time.
double totalInterest(double rate, double nper, double pv, double fv = 0, int type = 0);

// Interest on `principal` at the annual `rate` over `days` days, the year
// taken as 365 days. Compound: each whole day adds a day's interest on the
// principal and the interest so far (in closed form, so any count of days
// takes constant time). Straight: no interest on interest.
double compoundDailyInterest(double principal, double rate, double days);
double straightDailyInterest(double principal, double rate, double days);

}  // namespace zorv::finance
