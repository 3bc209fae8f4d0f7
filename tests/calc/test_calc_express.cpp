#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "calc/calc_express.h"
#include "model/erreurs.h"
#include "proches.h"

namespace trazel {
namespace {

using essais::Proches;

struct Contexte {
    std::vector<std::string> noms;
    std::vector<Reel> valeurs;
    TCalc_liste_fonction_init fonctions;
};

Reel Evaluer(const std::string& formule, const Contexte& c = {})
{
    TCalcExpress calc;
    calc.Fonctions(c.fonctions);
    calc.Variables(c.noms);
    calc.Formula(formule);
    return calc.Evaluate(c.valeurs);
}

void Attendre_rejet(TCalcExpress& calc, const std::string& formule)
{
    try {
        calc.Formula(formule);
        ADD_FAILURE() << "formule acceptee : " << formule;
    } catch (const Erreur_formule& e) {
        EXPECT_STREQ(e.what(), "Error in formula.");
        EXPECT_EQ(e.formule(), formule);
    }
}

const Contexte x_egal_3{{"x"}, {3}, {}};

TEST(Evaluate, priorites_et_signes)
{
    struct Cas {
        const char* nom;
        const char* formule;
        Reel attendu;
    } const cas[] = {
        {"zero", "0", 0},
        {"produit_avant_somme", "2+3*4", 14},
        {"puissance_a_gauche", "2^3^2", 64},
        {"litteral_negatif_eleve", "-2^2", 4},
        {"negation_apres_puissance", "-x^2", -9},
        {"negatif_entre_parentheses", "(-2)^2", 4},
        {"negation_du_terme_entier", "-x*2+1", -5},
        {"negation_detachee", "- 2^2", -4},
        {"soustraction_a_gauche", "10-4-3", 3},
        {"division_a_gauche", "64/4/2", 8},
        {"plus_initial", "+3", 3},
        {"moins_puis_plus", "-+x", -3},
        {"blancs", " 2 *  3 ", 6},
        {"exposant_negatif_entre_parentheses", "x^(-2)", 1.0L / 9},
        {"exposant_variable", "2^x", 8},
        {"exposant_decimal", "4^0.5", 2},
        {"notation_scientifique", "1.5e3+2E-2+1e+2", 1600.02L},
        {"puissance_apres_fonction", "sqrt(4)^3", 8},
        {"negatif_en_argument", "abs(-3)", 3},
        {"soupassement_nul", "1e-5000", 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_TRUE(Proches(c.attendu, Evaluer(c.formule, x_egal_3), 1e-17L));
    }
}

TEST(Evaluate, fonctions_predefinies)
{
    const Reel x = 0.3L;
    const Reel grand = 0x1p63L;
    struct Cas {
        const char* formule;
        Reel valeur_x;
        Reel attendu;
    } const cas[] = {
        {"sign(x)", 0, 0},
        {"sgn(x)", -5, -1},
        {"sign(x)", 2, 1},
        {"h(x)", 0, 1},
        {"heaviside(x)", -1e-30L, 0},
        {"int(x)", -2.7L, -2},
        {"int(x)", 2.7L, 2},
        {"arcctg(x)", 0, std::acos(0.0L)},
        {"cos(x)", x, std::cos(x)},
        {"sin(x)", x, std::sin(x)},
        {"cos(x)", grand, 0},
        {"sin(x)", -grand, 0},
        {"tg(x)", x, std::tan(x)},
        {"tan(x)", x, std::tan(x)},
        {"ctg(x)", x, 1 / std::tan(x)},
        {"abs(x)", -x, x},
        {"sqrt(x)", 2, std::sqrt(2.0L)},
        {"rac(x)", 2, std::sqrt(2.0L)},
        {"ln(x)", 3, std::log(3.0L)},
        {"exp(x)", x, std::exp(x)},
        {"arcsin(x)", x, std::asin(x)},
        {"arccos(x)", x, std::acos(x)},
        {"arctg(x)", x, std::atan(x)},
        {"arctan(x)", x, std::atan(x)},
        {"sh(x)", x, std::sinh(x)},
        {"sinh(x)", x, std::sinh(x)},
        {"ch(x)", x, std::cosh(x)},
        {"cosh(x)", x, std::cosh(x)},
        {"th(x)", x, std::tanh(x)},
        {"tanh(x)", x, std::tanh(x)},
        {"cth(x)", x, 1 / std::tanh(x)},
        {"coth(x)", x, 1 / std::tanh(x)},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.formule) + " en " + std::to_string(double(c.valeur_x)));
        const Contexte contexte{{"x"}, {c.valeur_x}, {}};
        EXPECT_TRUE(Proches(c.attendu, Evaluer(c.formule, contexte), 1e-17L));
    }
}

TEST(Evaluate, puissances_entieres_exactes)
{
    std::uint64_t exact = 1;
    for (int i = 0; i < 40; ++i)
        exact *= 3;
    // Repeated squaring stays exact while the value fits the 64-bit mantissa.
    EXPECT_EQ(Evaluer("3^40"), static_cast<Reel>(exact));
    EXPECT_EQ(Evaluer("10^(-2)"), 1 / 100.0L);
    EXPECT_EQ(Evaluer("(-2)^3"), -8);
    EXPECT_EQ(Evaluer("0^0"), 1);
    EXPECT_EQ(Evaluer("0^2.5"), 0);
}

TEST(Evaluate, fautes_de_calcul)
{
    using N = Erreur_calcul::Nature;
    struct Cas {
        const char* formule;
        N nature;
    } const cas[] = {
        {"1/0", N::division_par_zero},        {"0/0", N::operation_invalide},
        {"sqrt(-1)", N::operation_invalide},  {"ln(0)", N::division_par_zero},
        {"ln(-1)", N::operation_invalide},    {"exp(100000)", N::depassement},
        {"0^(-1)", N::division_par_zero},     {"(-8)^y", N::operation_invalide},
        {"arcsin(2)", N::operation_invalide}, {"arccos(-1.5)", N::operation_invalide},
        {"1e5000", N::depassement},           {"10^5000", N::depassement},
        {"ctg(0)", N::division_par_zero},     {"cth(0)", N::division_par_zero},
        {"1e4000*1e4000", N::depassement},    {"1e4000^1.5", N::depassement},
    };
    const Contexte y_egal_un_tiers{{"y"}, {1.0L / 3}, {}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.formule);
        try {
            Evaluer(c.formule, y_egal_un_tiers);
            ADD_FAILURE() << "aucune faute levee";
        } catch (const Erreur_calcul& e) {
            EXPECT_EQ(e.nature(), c.nature);
        }
    }
}

TEST(Formula, formules_rejetees)
{
    const char* const formules[] = {
        "2*-3",     "2+-3",   "x^-2", "x^(n+1)", "(2+3",  "2+3)",    "2 3",
        "sin x",    "Sin(x)", "2;3",  "#",       "2.",    "1e",      "1e+",
        "inconnue", "",       "sin",  "()",      "2^",    "x^((2))", "2*",
        "\xE9",     "2,5",    "-",    "((2)",    "2)+(3", "+-2",     "x^sin(x)",
    };
    TCalcExpress calc;
    calc.Variables({"x", "n"});
    for (const char* formule : formules) {
        SCOPED_TRACE(formule);
        Attendre_rejet(calc, formule);
    }
}

// A rejected formula leaves no tree: the previous one must not be evaluated instead.
TEST(Evaluate, sans_arbre_apres_rejet)
{
    TCalcExpress calc;
    calc.Formula("2");
    Attendre_rejet(calc, "2+");
    try {
        calc.Evaluate({});
        ADD_FAILURE() << "evaluee sans arbre";
    } catch (const Erreur_formule& e) {
        EXPECT_STREQ(e.what(), "Error in formula.");
        EXPECT_EQ(e.formule(), "2+");
    }
}

TEST(Formula, formule_zero_a_la_creation)
{
    const TCalcExpress calc;
    EXPECT_EQ(calc.Formula(), "0");
    EXPECT_EQ(calc.Evaluate({}), 0);
}

TEST(Formula, variables_sans_casse_dans_l_ordre)
{
    EXPECT_EQ(Evaluer("X+x", x_egal_3), 6);
    // A name defined twice means its most recent definition, matched without regard to case.
    EXPECT_EQ(Evaluer("A", {{"b", "A", "a"}, {1, 2, 3}, {}}), 3);
    EXPECT_EQ(Evaluer("a", {{"b", "a", "A"}, {1, 2, 3}, {}}), 3);
    EXPECT_EQ(Evaluer("a-b", {{"a", "b"}, {5, 3}, {}}), 2);
    EXPECT_EQ(Evaluer("_x'+x\"1", {{"_x'", "x\"1"}, {5, 3}, {}}), 8);
}

TEST(Formula, separateur_virgule)
{
    TCalcExpress calc;
    calc.separateur_decimal = ',';
    calc.Formula("-2,5*0,5e1");
    EXPECT_TRUE(Proches(-12.5L, calc.Evaluate({}), 0));
    Attendre_rejet(calc, "2.5");
}

TEST(Formula, fonctions_utilisateur)
{
    struct Cas {
        const char* nom;
        TCalc_liste_fonction_init fonctions;
        const char* formule;
        Reel attendu;
    } const cas[] = {
        {"argument_expression", {{"f", "t^2+t", "t"}}, "f(x+1)", 6},
        {"exposant_substitue", {{"f", "2^t", "t"}}, "f(3)", 8},
        {"remplace_le_sinus", {{"sin", "t*2", "t"}}, "sin(3)", 6},
        {"derniere_definition", {{"f", "t+1", "t"}, {"f", "t+2", "t"}}, "f(0)", 2},
        // A body sees the definition before it, not a later one.
        {"definition_anterieure",
         {{"f", "t+1", "t"}, {"g", "f(t)", "t"}, {"f", "t+2", "t"}},
         "g(0)",
         1},
        {"parametre_existant", {{"f", "x*10", "x"}}, "f(2)+x", 21},
        {"appel_imbrique", {{"f", "t*t", "t"}, {"g", "f(u+1)+u", "u"}}, "g(3)", 19},
        // Every occurrence of an inner parameter gets the outer argument, not only the first.
        {"argument_recopie", {{"f", "t*t*t", "t"}, {"g", "f(u)", "u"}}, "g(2)", 8},
        // An unused argument is freed: its address must not stand for a parameter later.
        {"argument_inutilise", {{"k", "5", "t"}, {"g", "k(u)+1", "u"}}, "g(2)", 6},
        {"corps_rejete_non_appele", {{"f", "t+", "t"}}, "x", 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Evaluer(c.formule, {{"x"}, {1}, c.fonctions}), c.attendu);
    }
}

TEST(Formula, appels_sans_corps_rejetes)
{
    struct Cas {
        const char* nom;
        TCalc_liste_fonction_init fonctions;
    } const cas[] = {
        {"corps_errone", {{"f", "t+", "t"}}},
        {"appel_de_soi", {{"f", "f(t)", "t"}}},
        {"appel_d_une_suivante", {{"f", "g(t)", "t"}, {"g", "t", "t"}}},
        {"appel_d_un_corps_errone", {{"g", "t+", "t"}, {"f", "g(t)", "t"}}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        TCalcExpress calc;
        calc.Fonctions(c.fonctions);
        Attendre_rejet(calc, "f(1)");
        Attendre_rejet(calc, "t"); // a body's parameter is not a variable of the formula
    }
}

} // namespace
} // namespace trazel

namespace trazel {

// Guards against a formula exhausting the stack or the memory: each is refused with a
// message instead.
TEST(Formula, bornes_de_taille)
{
    struct Cas {
        const char* nom;
        std::string formule;
        TCalc_liste_fonction_init fonctions;
    };
    // f_k(t) = f_{k-1}(t) + f_{k-1}(t): the expanded tree doubles at each level.
    TCalc_liste_fonction_init doublement = {{"f0", "t+t", "t"}};
    for (int k = 1; k <= 40; ++k) {
        const std::string appel = "f" + std::to_string(k - 1) + "(t)";
        doublement.push_back({"f" + std::to_string(k), appel + "+" + appel, "t"});
    }
    std::string somme = "1";
    for (int k = 0; k < 5000; ++k)
        somme += "+1";
    const Cas cas[] = {
        {"parentheses", std::string(100000, '(') + "1" + std::string(100000, ')'), {}},
        {"fonctions_qui_doublent", "f40(1)", doublement},
        {"somme_tres_longue", somme, {}},
        {"sinus_imbriques",
         [] {
             std::string s;
             for (int k = 0; k < 100000; ++k)
                 s += "sin(";
             return s + "1" + std::string(100000, ')');
         }(),
         {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TCalcExpress calc;
        calc.Fonctions(c.fonctions);
        try {
            calc.Formula(c.formule);
            ADD_FAILURE() << "accepted";
        } catch (const Erreur_formule& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("Formule trop complexe")) << e.what();
        }
    }
    // Below the bounds, the same shapes are computed.
    TCalcExpress calc;
    calc.Fonctions({doublement.begin(), doublement.begin() + 11});
    calc.Formula("f10(1)");
    EXPECT_EQ(calc.Evaluate({}), 2048);
    calc.Formula(std::string(400, '(') + "2" + std::string(400, ')'));
    EXPECT_EQ(calc.Evaluate({}), 2);
}

} // namespace trazel
