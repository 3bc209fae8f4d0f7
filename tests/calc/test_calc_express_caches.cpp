// The evaluator keeps compiled trees and shares the values of a call's argument: each test
// compares with what a fresh evaluator, or the formula written out without functions, gives.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/calc_express.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

struct Definitions {
    std::vector<std::string> noms;
    TCalc_liste_fonction_init fonctions;
    char separateur = '.';
};

// What an evaluator that has seen nothing else gives.
Reel Valeur_neuve(const Definitions& d, const std::string& formule, const std::vector<Reel>& v)
{
    TCalcExpress calc;
    calc.separateur_decimal = d.separateur;
    calc.Fonctions(d.fonctions);
    calc.Variables(d.noms);
    calc.Formula(formule);
    return calc.Evaluate(v);
}

void Installer(TCalcExpress& calc, const Definitions& d)
{
    calc.separateur_decimal = d.separateur;
    calc.Fonctions(d.fonctions);
    calc.Variables(d.noms);
}

const TCalc_liste_fonction_init fonctions_imbriquees = {
    {"g", "t*t/10", "t"},
    {"h", "g(t)-g(t/2)+1", "t"},
    {"k", "h(sin(t))*h(t/3)", "t"},
    {"m", "k(t)/2+g(cos(t))", "t"},
};

TEST(Formula, arbre_garde_egal_a_une_compilation_neuve)
{
    const Definitions d{{"x", "a"}, fonctions_imbriquees};
    const std::vector<std::string> formules = {"m(x)", "k(x)+a", "h(x)*g(a)", "2.5*x^2", "a"};
    TCalcExpress calc;
    Installer(calc, d);
    for (int tour = 0; tour < 2; ++tour)
        for (const std::string& f : formules)
            for (Reel x : {-7.25L, 0.0L, 1e-3L, 3.5L}) {
                SCOPED_TRACE(f + " tour " + std::to_string(tour));
                const std::vector<Reel> valeurs = {x, 0.75L};
                calc.Formula(f);
                EXPECT_EQ(calc.Evaluate(valeurs), Valeur_neuve(d, f, valeurs));
            }
}

// A caller's memo of a text gives the tree a fresh compilation gives, and is left aside as
// soon as the variables, the functions or the separator it was compiled for change.
TEST(Formula, memo_de_l_appelant_suit_les_definitions)
{
    TCalcExpress calc;
    Installer(calc, {{"x", "y"}, fonctions_imbriquees});
    TCalcExpress::TCompilation memo;
    calc.Formula("m(x)-2*y", memo);
    ASSERT_TRUE(memo.programme);
    calc.Formula("k(y)"); // another formula in between
    calc.Formula("m(x)-2*y", memo);
    EXPECT_EQ(calc.Formula(), "m(x)-2*y");
    EXPECT_EQ(calc.Evaluate({1.5L, 0.25L}),
              Valeur_neuve({{"x", "y"}, fonctions_imbriquees}, "m(x)-2*y", {1.5L, 0.25L}));

    calc.Variables({"y", "x"}); // same names, other order
    calc.Formula("m(x)-2*y", memo);
    EXPECT_EQ(calc.Evaluate({0.25L, 1.5L}),
              Valeur_neuve({{"x", "y"}, fonctions_imbriquees}, "m(x)-2*y", {1.5L, 0.25L}));

    calc.Fonctions({{"m", "t+1", "t"}}); // a new body for m
    calc.Formula("m(x)-2*y", memo);
    EXPECT_EQ(calc.Evaluate({0.25L, 1.5L}), 2.5L - 0.5L);

    calc.separateur_decimal = ',';
    TCalcExpress::TCompilation nombre;
    calc.Formula("1,5+x", nombre);
    EXPECT_EQ(calc.Evaluate({0.25L, 2}), 3.5L);
    calc.separateur_decimal = '.'; // the memo's tree read "," as the separator
    EXPECT_THROW(calc.Formula("1,5+x", nombre), Erreur_formule);
    EXPECT_THROW(calc.Formula("1,5+x", nombre), Erreur_formule);
}

// A tree kept for one variable list must not serve another: indices follow the order.
TEST(Formula, nouvelles_variables_nouvel_arbre)
{
    TCalcExpress calc;
    Installer(calc, {{"x", "y"}, {}});
    calc.Formula("x-2*y");
    EXPECT_EQ(calc.Evaluate({10, 1}), 8);
    calc.Variables({"y", "x"});
    calc.Formula("x-2*y");
    EXPECT_EQ(calc.Evaluate({10, 1}), -19);
}

TEST(Formula, nouvelles_fonctions_nouvel_arbre)
{
    TCalcExpress calc;
    Installer(calc, {{"x"}, {{"f", "t+1", "t"}}});
    calc.Formula("f(x)");
    EXPECT_EQ(calc.Evaluate({2}), 3);
    calc.Fonctions({{"f", "t*10", "t"}});
    calc.Formula("f(x)");
    EXPECT_EQ(calc.Evaluate({2}), 20);
}

// The separator is a plain member: a change must still reach the literals of kept trees.
TEST(Formula, nouveau_separateur_nouvel_arbre)
{
    TCalcExpress calc;
    calc.Formula("2.5");
    EXPECT_EQ(calc.Evaluate({}), 2.5L);
    calc.separateur_decimal = ',';
    try {
        calc.Formula("2.5");
        ADD_FAILURE() << "2.5 accepte avec la virgule pour separateur";
    } catch (const Erreur_formule& e) {
        EXPECT_STREQ(e.what(), "Error in formula.");
    }
    calc.Formula("2,5");
    EXPECT_EQ(calc.Evaluate({}), 2.5L);
}

TEST(Formula, formule_rejetee_rejetee_encore)
{
    TCalcExpress calc;
    for (int tour = 0; tour < 2; ++tour) {
        SCOPED_TRACE(tour);
        try {
            calc.Formula("2*-3");
            ADD_FAILURE() << "2*-3 acceptee";
        } catch (const Erreur_formule& e) {
            EXPECT_STREQ(e.what(), "Error in formula.");
            EXPECT_EQ(e.formule(), "2*-3");
        }
        EXPECT_THROW(calc.Evaluate({}), Erreur_formule);
    }
}

TEST(Generation, change_a_chaque_definition)
{
    TCalcExpress calc;
    const auto g0 = calc.Generation();
    calc.Variables({"x"});
    const auto g1 = calc.Generation();
    calc.Fonctions({});
    EXPECT_NE(g0, g1);
    EXPECT_NE(g1, calc.Generation());
}

// A function that uses its argument several times gives, argument shared or not, the value
// of the formula written out in full.
TEST(Evaluate, argument_partage_comme_ecrit_en_entier)
{
    struct Cas {
        const char* nom;
        TCalc_liste_fonction_init fonctions;
        const char* formule;
        const char* developpee;
    } const cas[] = {
        {"carre", {{"f", "t*t", "t"}}, "f(sin(x))", "sin(x)*sin(x)"},
        {"puissance", {{"f", "t^2+t", "t"}}, "f(x/3)", "(x/3)^2+(x/3)"},
        {"deux_niveaux",
         {{"g", "t*t/10", "t"}, {"h", "g(t)-g(t/2)+1", "t"}},
         "h(cos(x))",
         "(cos(x))*(cos(x))/10-((cos(x))/2)*((cos(x))/2)/10+1"},
        {"appels_distincts",
         {{"f", "t-t*t", "t"}},
         "f(x)+f(2*x)",
         "(x)-(x)*(x)+((2*x)-(2*x)*(2*x))"},
        {"argument_appel", {{"f", "t*t+t", "t"}}, "f(f(x))", "(x*x+x)*(x*x+x)+(x*x+x)"},
        // The shared values inside h's body stand for other values at each call of h.
        {"corps_appele_deux_fois",
         {{"g", "t*t/10", "t"}, {"h", "g(t)-g(t/2)+1", "t"}},
         "h(x)+h(x/3)",
         "(x)*(x)/10-((x)/2)*((x)/2)/10+1+((x/3)*(x/3)/10-((x/3)/2)*((x/3)/2)/10+1)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        for (Reel x : {-2.5L, 0.3L, 4.0L}) {
            const Reel attendu = Valeur_neuve({{"x"}, {}}, c.developpee, {x});
            EXPECT_EQ(Valeur_neuve({{"x"}, c.fonctions}, c.formule, {x}), attendu);
        }
    }
}

// The first copy of a failing argument is where the fault arises: the same fault as without
// functions.
TEST(Evaluate, defaut_de_l_argument_partage)
{
    try {
        Valeur_neuve({{"x"}, {{"f", "t*t", "t"}}}, "f(ln(x))", {0});
        ADD_FAILURE() << "ln(0) sans erreur";
    } catch (const Erreur_calcul& e) {
        EXPECT_EQ(e.nature(), Erreur_calcul::Nature::division_par_zero);
    }
    try {
        Valeur_neuve({{"x"}, {{"f", "1/(t-t)+t", "t"}}}, "f(sqrt(x))", {4});
        ADD_FAILURE() << "division par zero sans erreur";
    } catch (const Erreur_calcul& e) {
        EXPECT_EQ(e.nature(), Erreur_calcul::Nature::division_par_zero);
    }
}

// One tree evaluated again and again: each evaluation computes its shared values anew, also
// after an evaluation that stopped at a fault, halfway through them.
TEST(Evaluate, valeurs_partagees_d_une_evaluation_a_l_autre)
{
    TCalcExpress calc;
    Installer(calc, {{"x"}, fonctions_imbriquees});
    calc.Formula("m(x)+h(ln(x))");
    for (Reel x : {2.0L, -1.5L, 0.0L, 3.25L, -1.5L, 0.7L}) {
        SCOPED_TRACE(static_cast<double>(x));
        if (x <= 0) {
            EXPECT_THROW(calc.Evaluate({x}), Erreur_calcul);
            continue;
        }
        EXPECT_EQ(calc.Evaluate({x}),
                  Valeur_neuve({{"x"}, fonctions_imbriquees}, "m(x)+h(ln(x))", {x}));
    }
}

// The sine and cosine kept from the last angle must be the bits sinl and cosl give, in any
// order of requests, for angles small and large, and for both zeros.
TEST(TSinus_cosinus, memes_bits_que_sin_et_cos)
{
    TSinus_cosinus trigo;
    std::vector<Reel> angles = {0.0L,       -0.0L, 0.0L,  1e-30L, -1e-30L, 0.5L,
                                0.7853981L, 1.0L,  -3.0L, 1e10L,  -1e18L,  0x1p62L};
    std::srand(20261208);
    for (int k = 0; k < 20000; ++k)
        angles.push_back(static_cast<Reel>(std::rand() - RAND_MAX / 2) /
                         static_cast<Reel>(1 + std::rand() % 100000));
    // Called through pointers the compiler cannot see through, so it does not merge a sine
    // and a cosine of the same angle into sincosl itself.
    Reel (*volatile sinus)(Reel) = sinl;
    Reel (*volatile cosinus)(Reel) = cosl;
    const auto memes_bits = [](Reel a, Reel b) {
        return a == b && std::signbit(a) == std::signbit(b);
    };
    for (std::size_t k = 0; k < angles.size(); ++k) {
        const Reel x = angles[k];
        SCOPED_TRACE(static_cast<double>(x));
        // Either may come first, the other then comes from the kept pair.
        if (k % 2 == 0) {
            ASSERT_TRUE(memes_bits(trigo.Sinus(x), sinus(x)));
            ASSERT_TRUE(memes_bits(trigo.Cosinus(x), cosinus(x)));
        } else {
            ASSERT_TRUE(memes_bits(trigo.Cosinus(x), cosinus(x)));
            ASSERT_TRUE(memes_bits(trigo.Sinus(x), sinus(x)));
        }
    }
    // Through formulas: the second reads what the first left.
    TCalcExpress calc;
    calc.Variables({"t"});
    for (const Reel t : {-0.0L, 2.5L, -2.5L, 1e12L}) {
        calc.Formula("3*cos(t)");
        EXPECT_TRUE(memes_bits(calc.Evaluate({t}), 3 * cosinus(t)));
        calc.Formula("sin(t)");
        EXPECT_TRUE(memes_bits(calc.Evaluate({t}), sinus(t)));
    }
}

} // namespace
} // namespace trazel
