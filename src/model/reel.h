#pragma once
// The one real type of the system: every coordinate, length, angle and variable value is an
// 80-bit extended real. Also the memo of a sine and cosine, kept by the evaluator and by the
// rotation records alike, which is why it lives below both.

#include <cmath>
#include <limits>

namespace trazel {

using Reel = long double;
static_assert(std::numeric_limits<Reel>::digits == 64, "Reel must be the x87 80-bit extended real");

// The sine and the cosine of the last angle each was asked for, each computed only when
// asked: most angles of a figure want only one of them (sinl alone costs about two thirds of
// sincosl). Where both are wanted at once (a rotation), Les_deux computes them together with
// sincosl, which reduces the angle once and gives the bits sinl and cosl give. The memo
// answers a locus that replays the same rotation at every sample.
class TSinus_cosinus {
  public:
    Reel Sinus(Reel x)
    {
        if (!Meme_angle(x, angle_sinus_)) {
            sinus_ = sinl(x);
            angle_sinus_ = x;
        }
        return sinus_;
    }
    Reel Cosinus(Reel x)
    {
        if (!Meme_angle(x, angle_cosinus_)) {
            cosinus_ = cosl(x);
            angle_cosinus_ = x;
        }
        return cosinus_;
    }
    // Both, as (cosine, sine).
    void Les_deux(Reel x, Reel& cosinus, Reel& sinus)
    {
        if (!Meme_angle(x, angle_sinus_) || !Meme_angle(x, angle_cosinus_)) {
            sincosl(x, &sinus_, &cosinus_);
            angle_sinus_ = angle_cosinus_ = x;
        }
        cosinus = cosinus_;
        sinus = sinus_;
    }

  private:
    // The sign of a zero counts: sin(-0) is -0.
    static bool Meme_angle(Reel x, Reel angle)
    {
        return x == angle && std::signbit(x) == std::signbit(angle);
    }
    Reel angle_sinus_ = 0, sinus_ = 0;
    Reel angle_cosinus_ = 0, cosinus_ = 1;
};

} // namespace trazel
