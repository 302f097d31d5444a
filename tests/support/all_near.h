#pragma once
// Several computed values checked in one assertion against their expected values: each equal
// to four units in the last place of a double (as EXPECT_DOUBLE_EQ compares) or within a given
// tolerance. A failure names the first value that is off, so a row of a table reads as one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <iomanip>

namespace quorlin::testing {

inline ::testing::AssertionResult AllNear(std::initializer_list<long double> got,
                                          std::initializer_list<long double> want,
                                          long double tolerance = 0) {
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << got.size() << " values for " << want.size();
    std::size_t i = 0;
    for (auto g = got.begin(), w = want.begin(); g != got.end(); ++g, ++w, ++i) {
        const long double off = std::fabs(*g - *w);
        const long double allowed =
            tolerance > 0 ? tolerance : 4 * DBL_EPSILON * std::max(std::fabs(*g), std::fabs(*w));
        if (!(off <= allowed))
            return ::testing::AssertionFailure()
                   << std::setprecision(21) << "value " << i << " is " << *g << ", expected " << *w;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorlin::testing
