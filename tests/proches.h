#pragma once
// EXPECT_NEAR goes through double; long doubles are compared here.

#include <cmath>
#include <gtest/gtest.h>

#include "calc/geometrie.h"
#include "model/reel.h"

namespace trazel::essais {

inline ::testing::AssertionResult Proches(Reel attendu, Reel obtenu, Reel tolerance)
{
    if (std::fabs(attendu - obtenu) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "attendu " << static_cast<double>(attendu)
                                         << ", obtenu " << static_cast<double>(obtenu) << " (ecart "
                                         << static_cast<double>(attendu - obtenu) << ")";
}

// Two points (or vectors) equal within the tolerance on each coordinate.
inline ::testing::AssertionResult Points_proches(Tcoordonnees attendu, Tcoordonnees obtenu,
                                                 Reel tolerance = 1e-18L)
{
    if (std::fabs(attendu.x - obtenu.x) <= tolerance &&
        std::fabs(attendu.y - obtenu.y) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "attendu (" << static_cast<double>(attendu.x) << ", "
           << static_cast<double>(attendu.y) << "), obtenu (" << static_cast<double>(obtenu.x)
           << ", " << static_cast<double>(obtenu.y) << ")";
}

} // namespace trazel::essais
