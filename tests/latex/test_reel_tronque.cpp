#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/texte_image.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// The curve writer's route the writer under test stands for.
std::string Texte_coupe(Reel x, int decimales)
{
    return std::string(Tronquer_decimales(Reel_en_texte(x), decimales));
}

std::string Ecrit(Reel x, int decimales = 9)
{
    std::string texte;
    Ajouter_reel_tronque(texte, x, decimales);
    return texte;
}

// The x87 real of a 64-bit mantissa and a sign-and-biased-exponent field.
Reel Reel_des_bits(std::uint64_t mantisse, std::uint16_t signe_exposant)
{
    Reel x = 0;
    std::memcpy(&x, &mantisse, sizeof mantisse);
    std::memcpy(reinterpret_cast<char*>(&x) + sizeof mantisse, &signe_exposant,
                sizeof signe_exposant);
    return x;
}

// Compares both routes on every value given, with and without its sign; the first values
// that differ are shown with their bits.
void Comparer(const std::vector<Reel>& valeurs, int decimales = 9)
{
    int differences = 0;
    for (const Reel v : valeurs)
        for (const Reel x : {v, -v}) {
            const std::string attendu = Texte_coupe(x, decimales);
            const std::string obtenu = Ecrit(x, decimales);
            if (obtenu == attendu)
                continue;
            if (++differences <= 5) {
                char bits[64];
                std::snprintf(bits, sizeof bits, "%La", x);
                ADD_FAILURE() << bits << " (" << decimales << " decimales) : " << obtenu
                              << " au lieu de " << attendu;
            }
        }
    EXPECT_EQ(differences, 0);
}

// x and the `n` reals on each side of it.
void Ajouter_voisins(std::vector<Reel>& valeurs, Reel x, int n)
{
    valeurs.push_back(x);
    Reel bas = x, haut = x;
    for (int i = 0; i < n; ++i) {
        bas = std::nextafter(bas, -INFINITY);
        haut = std::nextafter(haut, INFINITY);
        valeurs.push_back(bas);
        valeurs.push_back(haut);
    }
}

TEST(Ajouter_reel_tronque, cas_nommes)
{
    struct Cas {
        const char* nom;
        Reel x;
        int decimales;
        const char* attendu;
    } const cas[] = {
        {"tiers", 1.0L / 3, 9, "0.333333333"},
        {"tiers_negatif", -1.0L / 3, 9, "-0.333333333"},
        {"court", -2.5L, 9, "-2.5"},
        {"zeros_avant_la_coupe", 0.1000000001L, 9, "0.100000000"},
        {"entier", 100, 9, "100"},
        {"quinze_chiffres", 12345678901234.5L, 9, "12345678901234.5"},
        {"arrondi_vers_un", -0.9999999999999999L, 9, "-1"},
        {"arrondi_vers_mille", 999.9999999999999L, 9, "1000"},
        {"petit", 1.5E-5L, 9, "0.000015"},
        {"petit_coupe", 1.234567891234E-5L, 9, "0.000012345"},
        {"hors_plage_coupe", 3.25E-9L, 9, "0.000000003"},
        {"hors_plage_nul", 1.2E-17L, 9, "0.000000000"},
        {"hors_plage_nul_negatif", -2E-12L, 9, "-0.000000000"},
        {"grand", 1.5E20L, 9, "150000000000000000000"},
        {"zero", 0, 9, "0"},
        {"zero_negatif", -0.0L, 9, "0"},
        {"sans_decimale", 12.75L, 0, "12."},
        {"sans_decimale_petit", -0.0625L, 0, "-0."},
        {"zeros_seuls", 0.00012L, 3, "0.000"},
        {"huit_decimales", 1.0L / 7, 8, "0.14285714"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Ecrit(c.x, c.decimales), c.attendu);
    }
}

// The cut looks only at the text appended, not at a point already in the text.
TEST(Ajouter_reel_tronque, ajoute_apres_le_texte)
{
    std::string texte = "{1.123456789123, ";
    Ajouter_reel_tronque(texte, 1E-12L, 9);
    texte += ", ";
    Ajouter_reel_tronque(texte, 2E20L, 9);
    texte += ", ";
    Ajouter_reel_tronque(texte, 2.0L / 3, 9);
    EXPECT_EQ(texte, "{1.123456789123, 0.000000000, 200000000000000000000, 0.666666666");
}

TEST(Ajouter_reel_tronque, non_fini_refuse)
{
    for (const Reel x : {Reel(INFINITY), Reel(-INFINITY), Reel(NAN)}) {
        SCOPED_TRACE(static_cast<double>(x));
        std::string texte;
        EXPECT_THROW(Ajouter_reel_tronque(texte, x, 9), Erreur_calcul);
    }
}

// Random bits: a mantissa with its leading bit, an exponent within 2^-80 to 2^80 (both
// sides of the exact path's range of 1e-5 to 1e15), a few over the whole format, and
// subnormals.
TEST(Ajouter_reel_tronque, comme_la_coupe_sur_des_bits_au_hasard)
{
    std::mt19937_64 hasard(20240611);
    std::vector<Reel> valeurs;
    for (int i = 0; i < 1000000; ++i) {
        const auto exposant = static_cast<std::uint16_t>(16383 - 80 + int(hasard() % 161));
        valeurs.push_back(Reel_des_bits(hasard() | (std::uint64_t{1} << 63), exposant));
    }
    for (int i = 0; i < 4000; ++i) {
        const auto exposant = static_cast<std::uint16_t>(1 + hasard() % 32766);
        valeurs.push_back(Reel_des_bits(hasard() | (std::uint64_t{1} << 63), exposant));
        valeurs.push_back(Reel_des_bits(hasard() >> (1 + hasard() % 63), 0));
    }
    Comparer(valeurs);
}

// Values next to where the text changes: k / 10^9 (the cut) at several magnitudes, the
// halves between two 15-digit roundings, and the powers of ten.
TEST(Ajouter_reel_tronque, comme_la_coupe_pres_des_bords)
{
    std::mt19937_64 hasard(7);
    std::vector<Reel> valeurs;
    for (int i = 0; i < 100000; ++i) {
        const auto k = static_cast<Reel>(hasard() % 10000000000000U);
        const auto echelle = static_cast<Reel>(std::uint64_t{1} << (hasard() % 24));
        Ajouter_voisins(valeurs, k / 1E9L, 3);
        Ajouter_voisins(valeurs, std::floor(k / echelle) / 1E9L, 3);
    }
    for (int i = 0; i < 100000; ++i) {
        const auto n = static_cast<Reel>(100000000000000U + hasard() % 900000000000000U);
        Ajouter_voisins(valeurs, (n + 0.5L) * std::pow(10.0L, int(hasard() % 30) - 22), 2);
    }
    for (int p = -25; p <= 25; ++p) {
        const Reel dix = std::pow(10.0L, p);
        for (const Reel facteur : {1.0L, 1 - 5E-16L, 1 - 5E-15L, 1 + 5E-15L, 1 - 1E-10L})
            Ajouter_voisins(valeurs, dix * facteur, 40);
    }
    for (const Reel x :
         {Reel(0), std::numeric_limits<Reel>::min(), std::numeric_limits<Reel>::denorm_min()})
        Ajouter_voisins(valeurs, x, 5);
    valeurs.push_back(std::numeric_limits<Reel>::max());
    Comparer(valeurs);
}

// Other numbers of decimals follow the same cut.
TEST(Ajouter_reel_tronque, comme_la_coupe_a_toute_decimale)
{
    std::mt19937_64 hasard(11);
    std::vector<Reel> valeurs;
    for (int i = 0; i < 20000; ++i) {
        const auto exposant = static_cast<std::uint16_t>(16383 - 40 + int(hasard() % 91));
        valeurs.push_back(Reel_des_bits(hasard() | (std::uint64_t{1} << 63), exposant));
        valeurs.push_back(static_cast<Reel>(hasard() % 1000000000U) / 1E6L);
    }
    for (int decimales = 0; decimales <= 20; ++decimales) {
        SCOPED_TRACE(decimales);
        Comparer(valeurs, decimales);
    }
}

} // namespace
} // namespace trazel
