#pragma once
// Decimal text of numbers inside the calc module, shared by the writing of reals, the
// notation conversion and the reading of numerals. Included only by calc sources;
// Reel_en_texte is in conversion_chaines.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/reel.h"

namespace trazel {

// The decimal digits of n, with a "-" when negative.
std::string Entier_en_texte(int n);

// The general real-to-text form used inside converted formulas: plain decimals with
// `separateur`, except "mantissa E exponent" (1,2E-17, 1.5E20) below 0.00001 or beyond 15
// integer digits. Infinities and NaN raise Erreur_calcul.
std::string Texte_general(Reel x, char separateur);

// 10^0 to 10^19, the powers of ten below 2^64.
inline constexpr std::array<std::uint64_t, 20> puissances_de_dix = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k)
        p[k] = p[k - 1] * 10;
    return p;
}();

} // namespace trazel
