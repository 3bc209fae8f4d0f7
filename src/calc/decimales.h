#pragma once
// Decimal text of numbers inside the calc module, shared by the notation conversion and the
// variables: the general form written into converted formulas and the quick reading of
// short numerals. Included only by calc sources; Reel_en_texte is in conversion_chaines.h.

#include <optional>
#include <string>
#include <string_view>

#include "model/reel.h"

namespace trazel {

// The decimal digits of n, with a "-" when negative.
std::string Entier_en_texte(int n);

// The general real-to-text form used inside converted formulas: plain decimals with
// `separateur`, except "mantissa E exponent" (1,2E-17, 1.5E20) below 0.00001 or beyond 15
// integer digits. Infinities and NaN raise Erreur_calcul.
std::string Texte_general(Reel x, char separateur);

// The value of digits with at most one "." and at most 19 digits, correctly rounded; none for
// any other text.
std::optional<Reel> Decimal_court(std::string_view texte);

} // namespace trazel
