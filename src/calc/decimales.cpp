// Reals as decimal text: the plain decimal form pictures hold (Reel_en_texte) and the general
// form written into converted formulas. Never through the locale.

#include "calc/decimales.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "calc/conversion_chaines.h"
#include "model/erreurs.h"

namespace trazel {

std::string Entier_en_texte(int n)
{
    std::array<char, 16> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), n).ptr;
    return std::string(tampon.data(), fin);
}

namespace {

// A finite real rounded to 15 significant digits: d1.d2d3... times 10^exposant.
struct Decimales {
    bool negatif = false;
    std::string chiffres; // without trailing zeros; "0" for zero
    int exposant = 0;     // power of ten of the first digit
};

// N = |x| * 10^p rounded to the nearest integer, ties to even, computed exactly: |x| is
// m / 2^decalage with the 64-bit mantissa m, so m * 10^p fits in 128 bits for p <= 19.
std::uint64_t Arrondi_decimal(std::uint64_t m, int decalage, int p)
{
    using U128 = unsigned __int128;
    const U128 produit = static_cast<U128>(m) * puissances_de_dix[std::size_t(p)];
    const auto d = static_cast<unsigned>(decalage);
    const U128 reste = produit & ((static_cast<U128>(1) << d) - 1);
    const U128 moitie = static_cast<U128>(1) << (d - 1);
    auto n = static_cast<std::uint64_t>(produit >> d);
    if (reste > moitie || (reste == moitie && (n & 1U) != 0))
        ++n;
    return n;
}

// |x| rounded to 15 significant digits: n * 10^(exposant - 14), 10^14 <= n < 10^15.
struct TArrondi {
    std::uint64_t n = 0;
    int exposant = 0;
    bool negatif = false;
};

// The rounding of the general conversion (to nearest, ties to even), by exact integer
// arithmetic; none outside 1e-5 <= |x| < 1e15, where the powers of ten or the shifts would
// not fit. This is the range of almost every number a picture holds, and to_chars goes
// through the C library's printf for long doubles, many times slower.
std::optional<TArrondi> Arrondir_vite(Reel x)
{
    if (!(std::fabs(x) >= 1e-5L && std::fabs(x) < 1e15L))
        return std::nullopt;
    // The x87 format: a 64-bit mantissa with its leading bit, then the sign and the biased
    // exponent; |x| = m 2^(exposant - 16383 - 63).
    std::uint64_t m = 0;
    std::uint16_t signe_exposant = 0;
    std::memcpy(&m, &x, sizeof m);
    std::memcpy(&signe_exposant, reinterpret_cast<const char*>(&x) + sizeof m,
                sizeof signe_exposant);
    const int e2 = (signe_exposant & 0x7FFF) - 16383 + 1; // 2^(e2-1) <= |x| < 2^e2
    const int decalage = 64 - e2;                         // between 14 and 81 in this range
    // About (e2 - 1) log10 2 rounded down (78913 / 2^18 is log10 2 to 6 digits); floor(log10
    // |x|) is within one of it, and a wrong guess shows in n's digits.
    int e10 = ((e2 - 1) * 78913) >> 18;
    for (int essai = 0; essai < 3; ++essai) {
        const int p = 14 - e10;
        if (p < 0 || p > 19)
            return std::nullopt;
        const std::uint64_t n = Arrondi_decimal(m, decalage, p);
        if (n >= puissances_de_dix[15])
            ++e10; // too low a guess, or rounded up to the next power of ten
        else if (n < puissances_de_dix[14])
            --e10;
        else
            return TArrondi{n, e10, x < 0};
    }
    return std::nullopt;
}

// The 15 digits of n (10^14 <= n < 10^15) without their trailing zeros, into `chiffres`
// (the zeros are written all the same); returns their count. Two halves of 32 bits divide
// faster than the whole.
template <std::size_t N> std::size_t Chiffres(std::uint64_t n, std::array<char, N>& chiffres)
{
    static_assert(N >= 15);
    // Two digits at a time: pictures write hundreds of thousands of numbers.
    static constexpr char paires[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    auto haut = static_cast<std::uint32_t>(n / 100000000U); // 7 digits
    auto bas = static_cast<std::uint32_t>(n % 100000000U);  // 8 digits
    for (std::size_t i = 15; i > 7; i -= 2, bas /= 100)
        std::memcpy(&chiffres[i - 2], &paires[2 * (bas % 100)], 2);
    for (std::size_t i = 7; i > 1; i -= 2, haut /= 100)
        std::memcpy(&chiffres[i - 2], &paires[2 * (haut % 100)], 2);
    chiffres[0] = static_cast<char>('0' + haut);
    std::size_t compte = 15;
    while (compte > 1 && chiffres[compte - 1] == '0')
        --compte;
    return compte;
}

// to_chars in scientific form with 14 decimals is correctly rounded to 15 digits and never
// looks at the locale; its text "[-]d.ddddddddddddddde[+-]dd" is taken apart here.
Decimales Decomposer(Reel x)
{
    if (const std::optional<TArrondi> a = Arrondir_vite(x)) {
        std::array<char, 20> chiffres{};
        return {a->negatif, std::string(chiffres.data(), Chiffres(a->n, chiffres)), a->exposant};
    }
    std::array<char, 64> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), x,
                                   std::chars_format::scientific, 14)
                         .ptr;
    std::string_view s(tampon.data(), static_cast<std::size_t>(fin - tampon.data()));
    Decimales d;
    d.negatif = s.front() == '-';
    if (d.negatif)
        s.remove_prefix(1);
    const auto e = s.find('e');
    d.chiffres = std::string(1, s[0]).append(s.substr(2, e - 2));
    std::string_view exposant = s.substr(e + 1);
    if (exposant.front() == '+')
        exposant.remove_prefix(1); // from_chars takes no "+"
    std::from_chars(exposant.data(), exposant.data() + exposant.size(), d.exposant);
    const auto dernier = d.chiffres.find_last_not_of('0');
    d.chiffres.erase(dernier == std::string::npos ? 1 : dernier + 1);
    if (d.chiffres == "0")
        d = Decimales{false, "0", 0}; // -0 is written 0
    return d;
}

// Plain decimal form, appended: no exponent, no trailing zero, no trailing separator.
void Disposer(std::string& s, bool negatif, std::string_view chiffres, int exposant,
              char separateur)
{
    const int n = static_cast<int>(chiffres.size());
    if (negatif)
        s += '-';
    if (exposant < 0) {
        s += '0';
        s += separateur;
        s.append(static_cast<std::size_t>(-exposant - 1), '0');
        s += chiffres;
    } else if (exposant + 1 >= n) {
        s += chiffres;
        s.append(static_cast<std::size_t>(exposant + 1 - n), '0');
    } else {
        const auto entiers = static_cast<std::size_t>(exposant + 1);
        s += chiffres.substr(0, entiers);
        s += separateur;
        s += chiffres.substr(entiers);
    }
}

std::string Ecrire_fixe(const Decimales& d, char separateur)
{
    std::string s;
    Disposer(s, d.negatif, d.chiffres, d.exposant, separateur);
    return s;
}

} // namespace

// The general real-to-text form used inside converted formulas: plain decimals, except
// "mantissa E exponent" (1,2E-17, 1.5E20) below 0.00001 or beyond 15 integer digits. The
// evaluator's scanner reads both forms back.
std::string Texte_general(Reel x, char separateur)
{
    const Decimales d = Decomposer(Controler(x));
    if (d.chiffres == "0" || (d.exposant >= -5 && d.exposant < 15))
        return Ecrire_fixe(d, separateur);
    std::string s = d.negatif ? "-" : "";
    s += d.chiffres[0];
    if (d.chiffres.size() > 1) {
        s += separateur;
        s.append(d.chiffres, 1);
    }
    return s + "E" + Entier_en_texte(d.exposant);
}

std::string Reel_en_texte(Reel x)
{
    std::string texte;
    Ajouter_reel(texte, x);
    return texte;
}

// The common case goes without any intermediate string.
void Ajouter_reel(std::string& texte, Reel x)
{
    const std::optional<TArrondi> a = Arrondir_vite(Controler(x));
    if (!a) {
        const Decimales d = Decomposer(x);
        Disposer(texte, d.negatif, d.chiffres, d.exposant, '.');
        return;
    }
    std::array<char, 20> chiffres{};
    Disposer(texte, a->negatif, std::string_view(chiffres.data(), Chiffres(a->n, chiffres)),
             a->exposant, '.');
}

// Only the digits before the cut are laid out, straight into a buffer. With c significant
// digits and the first at 10^e, Ajouter_reel's text is an integer when c <= e + 1, and
// otherwise has its point after max(e + 1, 0) digits or after "0." and -e - 1 zeros.
// Copies have fixed lengths (the buffers have room past what is kept): calls to memcpy of
// a few bytes of varying length cost more than the rest of the writing.
void Ajouter_reel_tronque(std::string& texte, Reel x, int decimales)
{
    const std::optional<TArrondi> a = Arrondir_vite(Controler(x));
    if (!a) {
        // Rare in pictures (zeros, |x| < 1e-5, |x| >= 1e15): the whole text, then the cut.
        const std::size_t debut = texte.size();
        Ajouter_reel(texte, x);
        const std::size_t point = texte.find('.', debut);
        if (point != std::string::npos)
            texte.resize(std::min(texte.size(), point + 1 + static_cast<std::size_t>(decimales)));
        return;
    }
    std::array<char, 32> chiffres{};
    const int c = static_cast<int>(Chiffres(a->n, chiffres));
    const int e = a->exposant; // -5 to 14
    std::array<char, 48> tampon{};
    char* p = tampon.data();
    *p = '-';
    p += a->negatif ? 1 : 0;
    if (c <= e + 1) {
        // An integer: the digits past the c-th are the zeros Chiffres wrote.
        std::memcpy(p, chiffres.data(), 16);
        p += e + 1;
    } else {
        const int entiers = std::max(e + 1, 0);
        const int zeros = std::min(std::max(-e - 1, 0), decimales); // at most 4
        // The significant digits kept: those before the cut, none past the c-th.
        const int gardes = std::max(std::min(c, e + 1 + decimales), entiers);
        if (entiers > 0) {
            std::memcpy(p, chiffres.data(), 16);
            p += entiers;
        } else {
            *p++ = '0';
        }
        *p++ = '.';
        std::memcpy(p, "0000", 4);
        p += zeros;
        std::memcpy(p, chiffres.data() + entiers, 16);
        p += gardes - entiers;
    }
    texte.append(tampon.data(), static_cast<std::size_t>(p - tampon.data()));
}

} // namespace trazel
