#pragma once
// The one real type of the system: every coordinate, length, angle and variable value is an
// 80-bit extended real. Also the memo of a sine and cosine, kept by the evaluator and by the
// rotation records alike, which is why it lives below both.

#include <cmath>
#include <limits>

namespace trazel {

using Reel = long double;
static_assert(std::numeric_limits<Reel>::digits == 64, "Reel must be the x87 80-bit extended real");

// The sine and cosine of the last angle either was asked for. sincosl reduces the angle once
// for both and gives the bits sinl and cosl give; figures often want the other one of the
// same angle next (a point on a circle, a rotation, cos t then sin t), and a locus replays
// the same rotation at every sample.
class TSinus_cosinus {
  public:
    Reel Sinus(Reel x)
    {
        Calculer(x);
        return sinus_;
    }
    Reel Cosinus(Reel x)
    {
        Calculer(x);
        return cosinus_;
    }

  private:
    void Calculer(Reel x)
    {
        // The sign of a zero counts: sin(-0) is -0.
        if (x == angle_ && std::signbit(x) == std::signbit(angle_))
            return;
        sincosl(x, &sinus_, &cosinus_);
        angle_ = x;
    }
    Reel angle_ = 0;
    Reel sinus_ = 0;
    Reel cosinus_ = 1;
};

} // namespace trazel
