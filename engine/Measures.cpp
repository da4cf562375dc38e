// The six association measures. Counts are widened to extended precision
// before any product, so corpora of billions of tokens cannot overflow.

#include <cmath>

#include "engine/Query.h"

namespace {

using Real = long double;

// An arithmetic fault (log of zero or a negative number, square root of a
// negative number, division by zero, overflow) or a negative result gives 0.
Real Guarded(Real value) { return std::isfinite(value) && value > 0 ? value : 0; }

Real Log2(Real x) { return std::log(x) / std::log(Real(2)); }

// x·ln x, a term of the log-likelihood.
Real XLnX(Real x) { return x * std::log(x); }

}  // namespace

long double TStat::MutualInformation(const TFreqInfo& f) {
    Real divisor = Real(f.Fn) * Real(f.Fc) * Real(f.Span);
    if (divisor == 0) return 0;
    return Guarded(Log2(Real(f.Fnc) * Real(f.N) / divisor));
}

long double TStat::MutualInformation3(const TFreqInfo& f) {
    Real divisor = Real(f.Fn) * Real(f.Fc) * Real(f.Span);
    if (divisor == 0) return 0;
    Real fnc = f.Fnc;
    return Guarded(Log2(fnc * fnc * fnc * Real(f.N) / divisor));
}

long double TStat::ZScore(const TFreqInfo& f) {
    Real p = f.Fn == f.N ? Real(1) : Real(f.Fc) / (Real(f.N) - Real(f.Fn));
    Real expected = Real(f.Fn) * p * Real(f.Span);
    if (p == 1 || expected == 0) return 0;
    Real variance = (1 - p) * expected;
    if (!(variance > 0)) return 0;
    return Guarded((Real(f.Fnc) - expected) / std::sqrt(variance));
}

long double TStat::TScore(const TFreqInfo& f) {
    if (f.Fnc == 0 || f.N == 0) return 0;
    if (f.Fnc < 0) return 0;
    return Guarded((Real(f.Fnc) - Real(f.Span) * Real(f.Fn) * Real(f.Fc) / Real(f.N)) / std::sqrt(Real(f.Fnc)));
}

long double TStat::LogLog(const TFreqInfo& f) {
    if (f.Fnc <= 0) return 0;
    Real mi = MutualInformation(f);
    if (mi <= 0) return 0;
    Real ln2 = std::log(Real(2));
    return Guarded(std::log(mi) * std::log(Real(f.Fnc)) / (ln2 * ln2));
}

long double TStat::LogLikelihood(const TFreqInfo& f) {
    Real N = f.N, fn = f.Fn, fc = f.Fc;
    Real a = f.Fnc, b = fn - a, c = fc - a, d = N - fn - fc;
    Real notA = N - a, notCA = N - fc - a, notNA = N - fn - a;
    if (!(notA > 0 && notCA > 0 && notNA > 0 && a > 0 && b > 0 && c > 0 && d > 0)) return 0;
    Real s1 = XLnX(a) + XLnX(b) + XLnX(c) + XLnX(d);
    Real s2 = XLnX(fn) + XLnX(fc) + XLnX(notCA) + XLnX(notNA);
    Real s3 = XLnX(notA);
    return Guarded(2 * (s1 - s2 + s3));
}

long double TStat::RoundScore(long double value) {
    // Through double precision, then to the nearest multiple of 0.0001 with ties to even.
    long double d = static_cast<double>(value);
    return std::nearbyint(d / 0.0001L) * 0.0001L;
}
