// The numeric front end remembers converted texts and what it gave the evaluator: every
// change of what a conversion or a compilation depends on must show in the next value, and
// the fast writing of reals must give the bytes of the general conversion.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "calc/conversion_chaines.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

struct Formulaire {
    TForm2 form;
    Formulaire() { form.separateur_decimal('.'); }
    Reel Valeur(const std::string& texte, const TListe_points& points = {}, Reel echelle = 1)
    {
        return form.Evaluer_expression(texte, points, echelle);
    }
};

// A distance written in a text is a value of the points' positions: a remembered
// conversion must not keep the old one.
TEST(Evaluer_expression, distance_suit_les_points)
{
    Formulaire f;
    Tpoint a{.nom = "A", .x = 0, .y = 0};
    Tpoint b{.nom = "B", .x = 3, .y = 4};
    const TListe_points points = {&a, &b};
    EXPECT_EQ(f.Valeur("2AB", points), 10);
    b.x = 6;
    b.y = 8;
    EXPECT_EQ(f.Valeur("2AB", points), 20);
    EXPECT_EQ(f.Valeur("2AB", points, 2), 10);
}

TEST(Evaluer_expression, variables_dans_un_autre_ordre)
{
    Formulaire f;
    f.form.Ajouter_variable("x", 10);
    f.form.Ajouter_variable("y", 1);
    EXPECT_EQ(f.Valeur("x-2y"), 8);
    f.form.Retirer_variable("x");
    f.form.Ajouter_variable("x", 100);
    EXPECT_EQ(f.Valeur("x-2y"), 98);
    f.form.Affecter_variable("y", 3);
    EXPECT_EQ(f.Valeur("x-2y"), 94);
}

// A name defined twice: the most recent definition is set, and the older one is seen again
// once the recent one is removed.
TEST(Evaluer_expression, nom_defini_deux_fois)
{
    Formulaire f;
    f.form.Ajouter_variable("a", 1);
    f.form.Ajouter_variable("a", 2);
    f.form.Affecter_variable("a", 5);
    EXPECT_EQ(f.Valeur("a"), 5);
    f.form.Retirer_variable("a");
    EXPECT_EQ(f.Valeur("a"), 1);
    f.form.Affecter_variable("a", 7);
    EXPECT_EQ(f.Valeur("a"), 7);
    f.form.Retirer_variable("a");
    EXPECT_THROW(f.Valeur("a"), Erreur_trazel);
}

TEST(Evaluer_expression, corps_de_fonction_remplace)
{
    Formulaire f;
    f.form.Ajouter_variable("x", 2);
    f.form.Ajouter_fonction("f", "3t", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(x)+1"), 7);
    f.form.Affecter_fonction("f", "3t", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(x)+1"), 7);
    f.form.Affecter_fonction("f", "t^2", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(x)+1"), 5);
    // A function listed later takes the name from the variable it used to be.
    f.form.Ajouter_fonction("x", "10", {}, 1, "t");
    EXPECT_THROW(f.Valeur("f(x)+1"), Erreur_formule);
}

// A body given again as it was is not converted again: that holds only while the names and
// the separator it was converted against stay, and never for a body holding a distance.
TEST(Evaluer_expression, corps_de_fonction_redonne)
{
    Formulaire f;
    Tpoint a{.nom = "A", .x = 0, .y = 0};
    Tpoint b{.nom = "B", .x = 3, .y = 4};
    const TListe_points points = {&a, &b};
    // Names are matched shortest first: "ab" is a product once "a" is a name.
    f.form.Ajouter_variable("ab", 10);
    f.form.Ajouter_variable("b", 3);
    f.form.Ajouter_fonction("f", "ab+t", {}, 1, "t");
    f.form.Affecter_fonction("f", "ab+t", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(1)"), 11);
    f.form.Ajouter_variable("a", 2);
    f.form.Affecter_fonction("f", "ab+t", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(1)"), 7);

    f.form.Affecter_fonction("f", "AB*t", points, 1, "t");
    EXPECT_EQ(f.Valeur("f(2)"), 10);
    b.x = 6;
    b.y = 8;
    f.form.Affecter_fonction("f", "AB*t", points, 1, "t");
    EXPECT_EQ(f.Valeur("f(2)"), 20);

    f.form.Affecter_fonction("f", "t+0.5", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(1)"), 1.5L);
    f.form.separateur_decimal(',');
    f.form.Affecter_fonction("f", "t+0.5", {}, 1, "t");
    EXPECT_EQ(f.Valeur("f(1)"), 1.5L);
}

TEST(Evaluer_expression, separateur_change)
{
    Formulaire f;
    EXPECT_EQ(f.Valeur("1.5"), 1.5L);
    EXPECT_THROW(f.Valeur("1,5"), Erreur_formule);
    f.form.separateur_decimal(',');
    EXPECT_EQ(f.Valeur("1.5"), 1.5L);
    EXPECT_EQ(f.Valeur("1,5"), 1.5L);
    f.form.separateur_decimal('.');
    EXPECT_THROW(f.Valeur("1,5"), Erreur_formule);
}

// Plain numbers skip the conversion only while no name could start inside them.
TEST(Evaluer_expression, nombre_et_nom_commencant_par_le_separateur)
{
    Formulaire f;
    EXPECT_EQ(f.Valeur("-1.25"), -1.25L);
    f.form.Ajouter_variable(".25", 4);
    try {
        f.Valeur("-1.25");
        ADD_FAILURE() << "-1.25 lu comme un nombre malgre la variable .25";
    } catch (const Erreur_formule& e) {
        EXPECT_STREQ(e.what(), "Error in formula.");
        EXPECT_EQ(e.formule(), "-1.25");
    }
    f.form.Retirer_variable(".25");
    EXPECT_EQ(f.Valeur("-1.25"), -1.25L);
}

// Whoever gives the evaluator other definitions, the next evaluation gives it the figure's.
TEST(Evaluer_expression, evaluateur_redefini_par_ailleurs)
{
    Formulaire f;
    f.form.Ajouter_variable("x", 4);
    EXPECT_EQ(f.Valeur("x/2"), 2);
    f.form.CalcExpress1.Variables({"y", "x"});
    EXPECT_EQ(f.Valeur("x/2"), 2);
    f.form.CalcExpress1.Fonctions({{"x", "1", "t"}});
    EXPECT_EQ(f.Valeur("x/2"), 2);
}

TEST(Evaluer_expression, erreur_repetee_a_l_identique)
{
    Formulaire f;
    for (int tour = 0; tour < 2; ++tour) {
        SCOPED_TRACE(tour);
        try {
            f.Valeur("2.*3");
            ADD_FAILURE() << "2.*3 accepte";
        } catch (const Erreur_formule& e) {
            EXPECT_STREQ(e.what(), "Error in formula.");
            EXPECT_EQ(e.formule(), "2.*3");
        }
    }
}

// A text given in place is found again by its address: after every change of the names,
// functions, separator or points, and for every other text written over the same buffer,
// it must give what a form evaluating copies of the texts gives, value or fault alike. The
// names given to Affecter_variable are reused in place the same way.
TEST(Evaluer_expression_en_place, comme_les_textes_copies)
{
    struct TCote {
        TForm2 form;
        std::string place = std::string(64, ' '); // one heap buffer for every text
        std::vector<std::string> places;          // and a buffer of its own for each
        std::string nom;                          // one buffer for every name assigned
        TCote() { form.separateur_decimal('.'); }
    };
    TCote en_place, copie;
    Tpoint a{.nom = "A", .x = 0, .y = 0};
    Tpoint b{.nom = "B", .x = 3, .y = 4};
    const TListe_points points = {&a, &b};

    using TOperation = std::function<void(TCote&)>;
    const auto affecter = [](std::string nom, Reel valeur) -> TOperation {
        return [=](TCote& c) {
            c.nom = nom;
            c.form.Affecter_variable(c.nom, valeur);
        };
    };
    const std::vector<TOperation> operations = {
        [](TCote&) {},
        [](TCote& c) {
            c.form.Ajouter_variable("x", 10);
            c.form.Ajouter_variable("y", 1);
        },
        affecter("y", 3),
        affecter("x", 4),
        [](TCote& c) { c.form.Ajouter_variable("x", 100); },
        affecter("x", 7),
        [](TCote& c) { c.form.Retirer_variable("x"); },
        affecter("x", -2),
        [](TCote& c) {
            c.form.Ajouter_variable("ab", 10);
            c.form.Ajouter_variable("b", 3);
        },
        [&](TCote& c) { c.form.Ajouter_fonction("f", "ab+t", points, 1, "t"); },
        [](TCote& c) { c.form.Ajouter_variable("a", 2); },
        [&](TCote& c) { c.form.Affecter_fonction("f", "t+0.5", points, 1, "t"); },
        [](TCote& c) { c.form.separateur_decimal(','); },
        [](TCote& c) { c.form.separateur_decimal('.'); },
        [](TCote& c) { c.form.Ajouter_variable(".25", 4); },
        [](TCote& c) { c.form.Retirer_variable(".25"); },
        [&](TCote&) {
            b.x = 6;
            b.y = 8;
        },
        [](TCote& c) {
            c.form.CalcExpress1.Variables({"y", "x"});
        },
    };
    const std::vector<std::string> textes = {"x-2y", "x",    "2x/3",  "ab",     "f(1)", "f(x)+1",
                                             "1.5",  "1,5",  "-1.25", " 12 ",   "2AB",  "",
                                             "   ",  "2.*3", "x/0",   "sin(x)", "y"};

    const auto resultat = [](auto&& evaluer) -> std::string {
        try {
            const Reel v = evaluer();
            std::array<char, 64> tampon{};
            return std::string(tampon.data(),
                               std::to_chars(tampon.data(), tampon.data() + tampon.size(), v,
                                             std::chars_format::hex)
                                   .ptr);
        } catch (const Erreur_formule& e) {
            return std::string("formule: ") + e.what() + " | " + e.formule();
        } catch (const Erreur_trazel& e) {
            return std::string("erreur: ") + e.what();
        }
    };
    for (const std::string& texte : textes)
        en_place.places.push_back(texte + std::string(32, ' ')); // on the heap
    for (std::string& place : en_place.places)
        place.resize(place.size() - 32);
    for (std::size_t k = 0; k < operations.size(); ++k) {
        // The points are shared: moving them twice to the same place is moving them once.
        operations[k](en_place);
        operations[k](copie);
        const auto attendu = [&](const std::string& texte) {
            return resultat([&] { return copie.form.Evaluer_expression(texte, points, 1); });
        };
        // Each text in its own buffer first, found in its slot from the second operation
        // on; then each over the shared buffer, where every text meets the one before.
        for (std::size_t t = 0; t < textes.size(); ++t) {
            SCOPED_TRACE("operation " + std::to_string(k) + ", texte \"" + textes[t] + "\"");
            EXPECT_EQ(resultat([&] {
                          return en_place.form.Evaluer_expression_en_place(en_place.places[t],
                                                                           points, 1);
                      }),
                      attendu(textes[t]));
        }
        for (const std::string& texte : textes) {
            SCOPED_TRACE("operation " + std::to_string(k) + ", texte partage \"" + texte + "\"");
            const char* adresse = en_place.place.data();
            en_place.place.assign(texte);
            ASSERT_EQ(en_place.place.data(), adresse);
            EXPECT_EQ(resultat([&] {
                          return en_place.form.Evaluer_expression_en_place(en_place.place, points,
                                                                           1);
                      }),
                      attendu(texte));
        }
    }
}

// The general conversion: 15 significant digits rounded by to_chars (ties to even), laid
// out without exponent.
std::string Texte_de_reference(Reel x)
{
    std::array<char, 64> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), x,
                                   std::chars_format::scientific, 14)
                         .ptr;
    std::string s(tampon.data(), fin);
    const bool negatif = s[0] == '-';
    if (negatif)
        s.erase(0, 1);
    const auto e = s.find('e');
    const int exposant = std::stoi(s.substr(e + 1));
    std::string chiffres = s.substr(0, 1) + s.substr(2, e - 2);
    chiffres.erase(chiffres.find_last_not_of('0') + 1);
    if (chiffres.empty())
        return "0";
    const int n = static_cast<int>(chiffres.size());
    std::string texte = negatif ? "-" : "";
    if (exposant < 0)
        return texte + "0." + std::string(std::size_t(-exposant - 1), '0') + chiffres;
    if (exposant + 1 >= n)
        return texte + chiffres + std::string(std::size_t(exposant + 1 - n), '0');
    return texte + chiffres.substr(0, std::size_t(exposant + 1)) + "." +
           chiffres.substr(std::size_t(exposant + 1));
}

TEST(Reel_en_texte, comme_la_conversion_generale)
{
    struct Cas {
        const char* nom;
        Reel x;
    } const cas[] = {
        {"egalite_paire_en_bas", 1234567890123.125L},    // 16th digit a tie, 2 stays
        {"egalite_impaire_en_haut", 123456789012345.5L}, // 5 becomes 6
        {"egalite_sous_un", 0.4999999999999995L},
        {"neuf_qui_montent", 9.9999999999999999L},
        {"limite_basse", 1e-5L},
        {"juste_sous_la_limite_basse", 0.0000099999999999999L},
        {"limite_haute", 999999999999999.9L},
        {"puissance_de_dix", 1000.0L},
        {"tiers", 1.0L / 3},
        {"negatif", -2.5L},
        {"zero_negatif", -0.0L},
        {"tres_petit", 1.2e-17L},
        {"tres_grand", 1.5e20L},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Reel_en_texte(c.x), Texte_de_reference(c.x));
    }
}

TEST(Reel_en_texte, tirages_comme_la_conversion_generale)
{
    std::mt19937_64 alea(20240607);
    std::uniform_int_distribution<int> exposants(-20, 52);
    std::uniform_int_distribution<long> entiers(0, 999999999999999);
    std::uniform_int_distribution<int> places(0, 18);
    for (int k = 0; k < 40000; ++k) {
        // Random mantissas, and decimal numbers such as a figure's coordinates.
        const Reel binaire =
            std::ldexp(static_cast<Reel>(alea() | (1ULL << 63)), exposants(alea) - 64);
        const Reel decimal =
            static_cast<Reel>(entiers(alea)) / std::pow(10.0L, static_cast<Reel>(places(alea)));
        for (Reel x : {binaire, -binaire, decimal, -decimal})
            ASSERT_EQ(Reel_en_texte(x), Texte_de_reference(x)) << "tirage " << k;
    }
}

} // namespace
} // namespace trazel
