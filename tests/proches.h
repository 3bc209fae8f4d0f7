#pragma once
// EXPECT_NEAR goes through double; long doubles are compared here.

#include <cmath>
#include <gtest/gtest.h>

#include "model/reel.h"

namespace trazel::essais {

inline ::testing::AssertionResult Proches(Reel attendu, Reel obtenu, Reel tolerance)
{
    if (std::fabs(attendu - obtenu) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "attendu " << static_cast<double>(attendu)
                                         << ", obtenu " << static_cast<double>(obtenu)
                                         << " (ecart " << static_cast<double>(attendu - obtenu)
                                         << ")";
}

} // namespace trazel::essais
