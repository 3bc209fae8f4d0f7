// The memo of sines and cosines: each computed alone must give the bits sincosl gives, since a
// rotation takes both from sincosl and a formula one of them from sinl or cosl.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "model/reel.h"

using namespace trazel;

namespace {

bool Memes_bits(Reel a, Reel b)
{
    // The 80 bits of the value; the padding bytes of long double are not compared.
    return std::memcmp(&a, &b, 10) == 0;
}

} // namespace

// Angles as figures make them: degrees converted to radians, multiples and quarters of pi,
// and a spread up to a few thousand, positive and negative.
TEST(Sinus_cosinus, seul_ou_ensemble_memes_bits)
{
    std::mt19937_64 hasard(20261209);
    std::uniform_real_distribution<double> etendue(-5000, 5000);
    constexpr Reel pi = 3.141592653589793238462643383279502884L;
    for (int k = 0; k < 200000; ++k) {
        const Reel x = k % 4 == 0   ? static_cast<Reel>(k / 4 % 7200 - 3600) * pi / 180
                       : k % 4 == 1 ? static_cast<Reel>(k % 97 - 48) * pi / 4
                                    : static_cast<Reel>(etendue(hasard));
        Reel s = 0, c = 0;
        sincosl(x, &s, &c);
        TSinus_cosinus seul;
        ASSERT_TRUE(Memes_bits(seul.Sinus(x), s)) << static_cast<double>(x);
        ASSERT_TRUE(Memes_bits(seul.Cosinus(x), c)) << static_cast<double>(x);
        TSinus_cosinus ensemble;
        Reel c2 = 0, s2 = 0;
        ensemble.Les_deux(x, c2, s2);
        ASSERT_TRUE(Memes_bits(s2, s) && Memes_bits(c2, c)) << static_cast<double>(x);
    }
}

// The memo keeps each value for its own angle, and tells -0 from 0.
TEST(Sinus_cosinus, chaque_valeur_pour_son_angle)
{
    TSinus_cosinus t;
    EXPECT_EQ(t.Sinus(1), sinl(1));
    EXPECT_EQ(t.Cosinus(2), cosl(2));
    EXPECT_EQ(t.Sinus(1), sinl(1)); // the cosine of another angle did not replace it
    Reel c = 0, s = 0;
    t.Les_deux(2, c, s);
    EXPECT_EQ(s, sinl(2));
    EXPECT_EQ(c, cosl(2));
    EXPECT_FALSE(std::signbit(t.Sinus(0.0L)));
    EXPECT_TRUE(std::signbit(t.Sinus(-0.0L)));
}
