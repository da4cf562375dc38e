#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "engine/Query.h"

namespace {

struct Scores {
    long double mi, mi3, z, t, logLog, ll;
};

Scores Rounded(const TFreqInfo& f) {
    return {TStat::RoundScore(TStat::MutualInformation(f)),
            TStat::RoundScore(TStat::MutualInformation3(f)),
            TStat::RoundScore(TStat::ZScore(f)),
            TStat::RoundScore(TStat::TScore(f)),
            TStat::RoundScore(TStat::LogLog(f)),
            TStat::RoundScore(TStat::LogLikelihood(f))};
}

void ExpectScores(const TFreqInfo& f, const Scores& want) {
    Scores got = Rounded(f);
    // Rounded scores are multiples of 0.0001; anything closer than that is the same figure.
    constexpr long double tol = 1e-9L;
    EXPECT_NEAR(got.mi, want.mi, tol) << "MI";
    EXPECT_NEAR(got.mi3, want.mi3, tol) << "MI3";
    EXPECT_NEAR(got.z, want.z, tol) << "Z-Score";
    EXPECT_NEAR(got.t, want.t, tol) << "T-Score";
    EXPECT_NEAR(got.logLog, want.logLog, tol) << "Log-log";
    EXPECT_NEAR(got.ll, want.ll, tol) << "Log-likelihood";
}

std::string Describe(const TFreqInfo& f) {
    return "N=" + std::to_string(f.N) + " f(n)=" + std::to_string(f.Fn) + " f(c)=" + std::to_string(f.Fc) +
           " f(n,c)=" + std::to_string(f.Fnc) + " span=" + std::to_string(f.Span);
}

}  // namespace

TEST(Measures, ReferenceFiguresToFourDecimals) {
    struct Case {
        TFreqInfo freq;
        Scores want;
    } cases[] = {
        {{100000, 100, 500, 20, 8}, {2.3219L, 10.9658L, 8.0141L, 3.5777L, 5.2525L, 113.4216L}},
        // MI, MI3, Z and T are negative here and Log-log takes the log of an MI of 0.
        {{1000, 10, 50, 1, 10}, {0, 0, 0, 0, 0, 0.4174L}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.freq));
        ExpectScores(c.freq, c.want);
    }
}

TEST(Measures, DegenerateCountsGiveZeroWhereTheFormulaCannotBeComputed) {
    // Non-zero figures worked out from the formulas with a calculator.
    struct Case {
        const char* why;
        TFreqInfo freq;
        Scores want;
    } cases[] = {
        // MI and MI3 divide by zero, Z has E = 0, Log-log takes ln 0; T and LL ignore the span.
        {"span 0", {100000, 100, 500, 20, 0}, {0, 0, 0, 4.4721L, 0, 113.4216L}},
        // p = 1 makes Z 0; MI = log2(1/8) and T are negative; LL has d < 0.
        {"f(n) = N", {100, 100, 10, 5, 4}, {0, 1.6439L, 0, 0, 0, 0}},
        // c = 0 makes LL 0 while the rest are positive.
        {"f(c) = f(n,c)", {100000, 100, 20, 20, 8}, {6.9658L, 15.6096L, 49.5798L, 4.4364L, 12.1026L, 0}},
        // ln 1 = 0 makes Log-log 0 although MI = log2(250) is positive.
        {"f(n,c) = 1", {100000, 10, 10, 1, 4}, {7.9658L, 7.9658L, 15.7481L, 0.9960L, 0, 12.0241L}},
        {"f(n,c) = 0", {100000, 100, 500, 0, 8}, {0, 0, 0, 0, 0, 0}},
        {"N = 0", {0, 5, 3, 1, 2}, {0, 0, 0, 0, 0, 0}},
        {"all zero", {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + Describe(c.freq));
        ExpectScores(c.freq, c.want);
    }
}

TEST(Measures, NoneIsEverNegativeOrNotANumber) {
    std::mt19937 rng(20240607);
    std::uniform_int_distribution<int> small(0, 40);
    for (int round = 0; round < 20000; ++round) {
        // Counts need not be consistent with each other: the table edits pass merged figures.
        TFreqInfo f{small(rng), small(rng), small(rng), small(rng), small(rng) % 12};
        SCOPED_TRACE(Describe(f));
        for (long double v : {TStat::MutualInformation(f), TStat::MutualInformation3(f), TStat::ZScore(f),
                              TStat::TScore(f), TStat::LogLog(f), TStat::LogLikelihood(f)}) {
            ASSERT_FALSE(std::isnan(v));
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_GE(v, 0.0L);
        }
    }
}

TEST(Measures, LargeCountsDoNotOverflowTheProducts) {
    // f(n)·f(c)·span and f(n,c)·N are far beyond 32 bits here.
    TFreqInfo f{2147483647, 100000, 1000000, 50000, 10};
    long double expectedMi = std::log2(50000.0L * 2147483647.0L / (100000.0L * 1000000.0L * 10.0L));
    EXPECT_NEAR(TStat::MutualInformation(f), expectedMi, 1e-12L);
    long double expectedMi3 =
        std::log2(50000.0L * 50000.0L * 50000.0L * 2147483647.0L / (100000.0L * 1000000.0L * 10.0L));
    EXPECT_NEAR(TStat::MutualInformation3(f), expectedMi3, 1e-12L);
    long double expectedT = (50000.0L - 10.0L * 100000.0L * 1000000.0L / 2147483647.0L) / std::sqrt(50000.0L);
    EXPECT_NEAR(TStat::TScore(f), expectedT, 1e-9L);

    TFreqInfo big{2147483647, 300000000, 400000000, 90000000, 16};
    for (long double v : {TStat::MutualInformation(big), TStat::MutualInformation3(big), TStat::ZScore(big),
                          TStat::TScore(big), TStat::LogLog(big), TStat::LogLikelihood(big)}) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GE(v, 0.0L);
    }
    // f(n,c)·N / (f(n)·f(c)·span) = 9e7·2147483647 / (3e8·4e8·16) is below 1, so MI is 0, not a wrapped value.
    EXPECT_EQ(TStat::MutualInformation(big), 0.0L);
    EXPECT_GT(TStat::MutualInformation3(big), 0.0L);
    EXPECT_GT(TStat::LogLikelihood(big), 0.0L);
}

TEST(Measures, RoundScoreKeepsFourDecimalsWithTiesToEven) {
    struct Case {
        long double value, want;
    } cases[] = {
        {2.321928094887362L, 2.3219L},
        {123.456789L, 123.4568L},
        {0.00004L, 0},
        {0.00006L, 0.0001L},
        {7.0L, 7.0L},
        // Multiples of 1/32 divide by 0.0001 to exact halves: 312.5, 937.5, 1562.5, 2187.5.
        {0.03125L, 0.0312L},
        {0.09375L, 0.0938L},
        {0.15625L, 0.1562L},
        {0.21875L, 0.2188L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.value)));
        EXPECT_NEAR(TStat::RoundScore(c.value), c.want, 1e-12L);
    }
}
