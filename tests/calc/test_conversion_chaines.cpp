#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "calc/conversion_chaines.h"
#include "model/erreurs.h"
#include "proches.h"

namespace trazel {
namespace {

using essais::Proches;

// Points owned by the test, listed as the figure lists them.
struct Points {
    std::deque<Tpoint> stock;
    TListe_points liste;
    Points(std::initializer_list<Tpoint> points)
    {
        for (const Tpoint& p : points)
            liste.push_back(&stock.emplace_back(p));
    }
};

// A holder with '.' as separator whatever the test's locale, and a variable a = 3.
struct Form : TForm2 {
    explicit Form(char separateur = '.')
    {
        separateur_decimal(separateur);
        Ajouter_variable("a", 3);
    }
};

void Attendre_erreur_formule(TForm2& form, const std::string& texte, const TListe_points& points,
                             const std::string& message)
{
    try {
        form.Evaluer_expression(texte, points, 1);
        ADD_FAILURE() << "texte accepte : " << texte;
    } catch (const Erreur_formule& e) {
        EXPECT_EQ(e.what(), message);
        EXPECT_EQ(e.formule(), texte);
    }
}

TEST(Reinitialiser, pi_etendu_dans_quatre_variables)
{
    Form form;
    form.Ajouter_fonction("f", "t", {}, 1, "t");
    form.Reinitialiser();
    ASSERT_EQ(form.Liste_variables.size(), 4U);
    EXPECT_TRUE(form.Liste_fonctions.empty());
    const char* const noms[] = {"PI", "Pi", "pi", "pI"};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(noms[i]);
        EXPECT_EQ(form.Liste_variables[i].nom, noms[i]);
        std::uint64_t mantisse = 0;
        std::uint16_t exposant = 0;
        std::memcpy(&mantisse, &form.Liste_variables[i].valeur, 8);
        std::memcpy(&exposant, reinterpret_cast<const char*>(&form.Liste_variables[i].valeur) + 8,
                    2);
        EXPECT_EQ(mantisse, 0xC90FDAA22168C236ULL);
        EXPECT_EQ(exposant, 0x4000);
    }
}

TEST(Convertir_notation, reecritures)
{
    Form form;
    form.Ajouter_variable("b", 2);
    form.Ajouter_fonction("f", "t", {}, 1, "t");
    const Points points{{.nom = "A"}, {.nom = "B", .x = 3, .y = 4}};
    struct Cas {
        const char* nom;
        const char* texte;
        const char* attendu;
    } const cas[] = {
        {"produits_implicites", "2a(a+1)", "2*a*(a+1)"},
        {"variable_en_fin", "3a", "3*a"},
        {"deux_variables", "ab", "a*b"},
        {"parentheses_accolees", "(a)(b)", "(a)*(b)"},
        {"fonction_predefinie", "2sin(a)", "2*sin(a)"},
        {"fonction_longue_entiere", "arcsin(a)+sqrt(b)", "arcsin(a)+sqrt(b)"},
        {"fonction_utilisateur", "2f(a)", "2*f(a)"},
        {"distance", "2AB", "2*(5)"},
        {"distance_puis_parenthese", "AB(a+1)", "(5)*(a+1)"},
        {"pi", "2pi", "2*pi"},
        {"deja_explicite", "2*a-b/4", "2*a-b/4"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        std::string texte = c.texte;
        form.Convertir_notation(texte, points.liste, 1);
        EXPECT_EQ(texte, c.attendu);
    }
}

// Distances keep 15 digits and switch to "mantissa E exponent" where the general
// conversion does, with the current separator; the evaluator reads them back.
TEST(Convertir_notation, distance_forme_generale)
{
    struct Cas {
        const char* nom;
        Reel x;
        const char* point;
        const char* virgule;
    } const cas[] = {
        {"petite", 1.2E-17L, "(1.2E-17)", "(1,2E-17)"},
        {"limite_fixe", 0.00001L, "(0.00001)", "(0,00001)"},
        {"grande", 1.5E20L, "(1.5E20)", "(1,5E20)"},
        {"quinze_chiffres_entiers", 123456789012345.0L, "(123456789012345)", "(123456789012345)"},
        {"seize_chiffres_entiers", 1234567890123456.0L, "(1.23456789012346E15)",
         "(1,23456789012346E15)"},
        {"tiers", 1.0L / 3, "(0.333333333333333)", "(0,333333333333333)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Points points{{.nom = "A"}, {.nom = "B", .x = c.x}};
        for (char separateur : {'.', ','}) {
            Form form(separateur);
            std::string texte = "AB";
            form.Convertir_notation(texte, points.liste, 1);
            EXPECT_EQ(texte, separateur == '.' ? c.point : c.virgule);
            const Reel valeur = form.Evaluer_expression("AB", points.liste, 1);
            EXPECT_TRUE(Proches(c.x, valeur, c.x * 1e-14L));
        }
    }
}

TEST(Evaluer_expression, notation_de_la_figure)
{
    const Reel pi = std::ldexp(static_cast<Reel>(0xC90FDAA22168C236ULL), -62);
    const Points points{{.nom = "A", .x = 1, .y = 1},
                        {.nom = "B", .x = 4, .y = 5},
                        {.nom = "A'", .x = 1, .y = 5},
                        {.nom = "AC", .x = 4, .y = 1}};
    struct Cas {
        const char* nom;
        const char* texte;
        Reel echelle;
        Reel attendu;
    } const cas[] = {
        {"deux_pi", "2pi", 1, 2 * pi},
        {"pi_sur_deux", "PI/2", 1, pi / 2},
        {"produits_implicites", "2a(a+1)", 1, 24},
        {"distance_avec_prime", "AA'", 2, 2},
        {"nom_le_plus_long", "ACB", 1, 4}, // AC then B, not A then C
        {"decimales", "0.5a", 1, 1.5L},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Form form;
        EXPECT_TRUE(
            Proches(c.attendu, form.Evaluer_expression(c.texte, points.liste, c.echelle), 1e-17L));
    }
}

TEST(Evaluer_expression, distance_divisee_par_l_echelle)
{
    Form form;
    const Points points{{.nom = "A", .x = 1, .y = 1}, {.nom = "B", .x = 4, .y = 5}};
    EXPECT_EQ(form.Evaluer_expression("AB", points.liste, 2), 2.5L);
}

TEST(Evaluer_expression, separateur_virgule)
{
    Form form(',');
    EXPECT_EQ(form.CalcExpress1.separateur_decimal, ',');
    form.Ajouter_fonction("f", "t*1.5", {}, 1, "t");
    EXPECT_EQ(form.Liste_fonctions.back().expression, "t*1,5");
    EXPECT_EQ(form.Evaluer_expression("f(2.5)+0.25", {}, 1), 4);
}

TEST(Evaluer_expression, textes_rejetes)
{
    const Points points{{.nom = "A"}, {.nom = "B", .x = 3}};
    const std::string non_designe = " \xBB ne d\xE9"
                                    "signe ni une variable, ni une fonction, ni "
                                    "deux points de la figure";
    struct Cas {
        const char* nom;
        char separateur;
        const char* texte;
        std::string message;
    } const cas[] = {
        {"vide", '.', "", "Expression vide"},
        {"blancs", '.', "   ", "Expression vide"},
        {"syntaxe", '.', "2*-3", "Error in formula."},
        {"syntaxe_texte_d_origine", ',', "2.5+", "Error in formula."},
        {"second_point_absent", '.', "2AX", "\xAB AX" + non_designe},
        {"aucun_point", '.', "Q+1", "\xAB Q+1" + non_designe},
        {"un_seul_point", '.', "A", "\xAB A" + non_designe},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Form form(c.separateur);
        Attendre_erreur_formule(form, c.texte, points.liste, c.message);
    }
}

TEST(Evaluer_expression, fautes_de_calcul_transmises)
{
    Form form;
    try {
        form.Evaluer_expression("a/(a-3)", {}, 1);
        ADD_FAILURE() << "aucune faute levee";
    } catch (const Erreur_calcul& e) {
        EXPECT_EQ(e.nature(), Erreur_calcul::Nature::division_par_zero);
    }
}

TEST(Ajouter_fonction, corps_converti_avec_son_parametre)
{
    Form form;
    const std::size_t variables = form.Liste_variables.size();
    form.Ajouter_fonction("f", "t^2+t", {}, 1, "t");
    form.Ajouter_fonction("g", "2af(t)", {}, 1, "t");
    form.Ajouter_fonction("k", "3a", {}, 1, "a"); // parameter already a variable
    EXPECT_EQ(form.Liste_fonctions[1].expression, "2*a*f(t)");
    EXPECT_EQ(form.Liste_fonctions[2].expression, "3*a");
    EXPECT_EQ(form.Liste_variables.size(), variables);
    EXPECT_EQ(form.Evaluer_expression("f(a-2)", {}, 1), 2);
    EXPECT_EQ(form.Evaluer_expression("g(1)+k(2)", {}, 1), 18);
}

TEST(Ajouter_fonction, corps_inconvertible_sans_effet)
{
    Form form;
    const std::size_t variables = form.Liste_variables.size();
    EXPECT_THROW(form.Ajouter_fonction("f", "2tZ", {}, 1, "t"), Erreur_formule);
    EXPECT_TRUE(form.Liste_fonctions.empty());
    EXPECT_EQ(form.Liste_variables.size(), variables);
}

TEST(Affecter_fonction, remplace_le_dernier_corps_ou_ajoute)
{
    Form form;
    form.Ajouter_fonction("f", "t", {}, 1, "t");
    form.Ajouter_fonction("f", "t+1", {}, 1, "t");
    form.Affecter_fonction("f", "3t", {}, 1, "z"); // the parameter stays t
    ASSERT_EQ(form.Liste_fonctions.size(), 2U);
    EXPECT_EQ(form.Liste_fonctions[0].expression, "t");
    EXPECT_EQ(form.Liste_fonctions[1].expression, "3*t");
    EXPECT_EQ(form.Liste_fonctions[1].variable, "t");
    form.Affecter_fonction("g", "2u", {}, 1, "u");
    ASSERT_EQ(form.Liste_fonctions.size(), 3U);
    EXPECT_EQ(form.Liste_fonctions[2].nom, "g");
    EXPECT_EQ(form.Liste_fonctions[2].expression, "2*u");
}

TEST(Affecter_variable, la_plus_recente_ou_ajoutee)
{
    Form form;
    form.Ajouter_variable("a", 4);
    form.Affecter_variable("a", 7);
    form.Affecter_variable("z", 1);
    ASSERT_EQ(form.Liste_variables.size(), 7U);
    EXPECT_EQ(form.Liste_variables[4].valeur, 3);
    EXPECT_EQ(form.Liste_variables[5].valeur, 7);
    EXPECT_EQ(form.Liste_variables[6].nom, "z");
    EXPECT_EQ(form.Evaluer_expression("a", {}, 1), 7); // the most recent definition
}

TEST(Retirer_variable, la_plus_recente_seulement)
{
    Form form;
    form.Ajouter_variable("a", 4);
    form.Ajouter_variable("z", 5);
    form.Retirer_variable("a");
    form.Retirer_variable("absente");
    ASSERT_EQ(form.Liste_variables.size(), 6U);
    EXPECT_EQ(form.Liste_variables[4].nom, "a");
    EXPECT_EQ(form.Liste_variables[4].valeur, 3);
    EXPECT_EQ(form.Liste_variables[5].nom, "z");
}

TEST(Noms_libres, compteur_par_lettre)
{
    struct Cas {
        const char* nom;
        std::vector<std::string> variables, fonctions;
        const char *x, *y, *x_attendu, *y_attendu;
    } const cas[] = {
        {"libres", {}, {}, "x", "y", "x", "y"},
        {"x_variable", {"x"}, {}, "x", "y", "X1", "y"},
        {"X1_fonction", {"x"}, {"X1"}, "x", "y", "X2", "y"},
        {"y_et_Y1_pris", {"y", "Y1"}, {}, "x", "y", "x", "Y2"},
        {"X_lui_meme", {"X"}, {}, "X", "Y", "X1", "Y"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Form form;
        for (const auto& v : c.variables)
            form.Ajouter_variable(v, 0);
        for (const auto& f : c.fonctions)
            form.Ajouter_fonction(f, "1", {}, 1, "t");
        std::string x = c.x, y = c.y;
        form.Noms_libres(x, y);
        EXPECT_EQ(x, c.x_attendu);
        EXPECT_EQ(y, c.y_attendu);
    }
}

TEST(Reel_en_texte, decimales_sans_exposant)
{
    struct Cas {
        const char* nom;
        Reel x;
        const char* attendu;
    } const cas[] = {
        {"dixieme", 0.1L, "0.1"},
        {"tiers", 1.0L / 3, "0.333333333333333"},
        {"tres_petit", 1.2E-17L, "0.000000000000000012"},
        {"negatif", -2.5L, "-2.5"},
        {"petit", 1.5E-5L, "0.000015"},
        {"petit_negatif", -2E-7L, "-0.0000002"},
        {"grand", 1.5E20L, "150000000000000000000"},
        {"quinze_chiffres", 10 / 15.245902L, "0.655913962978379"},
        {"arrondi_entier", 123456789012345678.0L, "123456789012346000"},
        {"arrondi_vers_un", 0.9999999999999999L, "1"},
        {"entier", 100, "100"},
        {"zero", 0, "0"},
        {"zero_negatif", -0.0L, "0"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Reel_en_texte(c.x), c.attendu);
    }
}

TEST(Reel_en_texte, non_fini_refuse)
{
    using N = Erreur_calcul::Nature;
    const std::pair<Reel, N> cas[] = {
        {INFINITY, N::depassement}, {-INFINITY, N::depassement}, {NAN, N::operation_invalide}};
    for (const auto& [x, nature] : cas) {
        SCOPED_TRACE(static_cast<double>(x));
        try {
            Reel_en_texte(x);
            ADD_FAILURE() << "texte ecrit";
        } catch (const Erreur_calcul& e) {
            EXPECT_EQ(e.nature(), nature);
        }
    }
}

TEST(Est_operateur, six_caracteres)
{
    for (const char* c : {"+", "-", "/", "^", "(", "*"})
        EXPECT_TRUE(Est_operateur(c)) << c;
    for (const char* c : {")", "a", "", "++", " ", ".", "2"})
        EXPECT_FALSE(Est_operateur(c)) << c;
}

TEST(Est_fonction_predefinie, douze_prefixes)
{
    for (const char* t : {"ln(", "exp(", "abs(", "int(", "rac(", "sin(", "cos(", "tan(", "sqrt(",
                          "arcsin(", "arccos(", "arctan("})
        EXPECT_TRUE(Est_fonction_predefinie(t)) << t;
    for (const char* t : {"sin", "sh(", "arctg(", "Sin(", "", "tg(", "sin(x"})
        EXPECT_FALSE(Est_fonction_predefinie(t)) << t;
}

// Sets LC_ALL for one test and restores it afterwards.
class Environnement_local {
  public:
    explicit Environnement_local(const char* valeur)
    {
        if (const char* ancien = std::getenv("LC_ALL"))
            ancien_ = ancien;
        setenv("LC_ALL", valeur, 1);
    }
    ~Environnement_local()
    {
        if (ancien_)
            setenv("LC_ALL", ancien_->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

  private:
    std::optional<std::string> ancien_;
};

TEST(Separateur_decimal_utilisateur, point_par_defaut)
{
    for (const char* locale : {"C", "xx_XX.inexistante"}) {
        SCOPED_TRACE(locale);
        const Environnement_local environnement(locale);
        EXPECT_EQ(Separateur_decimal_utilisateur(), '.');
        const TForm2 form;
        EXPECT_EQ(form.separateur_decimal(), '.');
        EXPECT_EQ(form.CalcExpress1.separateur_decimal, '.');
    }
}

} // namespace
} // namespace trazel

namespace trazel {
namespace {

// Plain numerals are read without compiling them, by the reader and by Evaluer_expression:
// the value must be the evaluator's to the last bit, signed zero included, whatever the
// decimal separator, and anything else must be left to the evaluator.
TEST(Valeur_numeral, identique_a_l_evaluation)
{
    std::vector<std::string> numeraux = {"0",
                                         "-0",
                                         "0.0",
                                         "-0.000",
                                         "  12  ",
                                         "007",
                                         "0.1",
                                         "-0.3",
                                         "1.5",
                                         "-2.675",
                                         "123456789012345678901234567890.5",
                                         "0.000000000000000000000000000001",
                                         "3.14159265358979323846264338327950288"};
    std::srand(20261208);
    for (int k = 0; k < 2000; ++k) {
        std::string n = (k % 2 ? "-" : "") + std::to_string(std::rand() % 100000) + "." +
                        std::to_string(std::rand());
        numeraux.push_back(n);
    }
    // Around the 19 digits that a 64-bit integer holds, the point at every place, where the
    // short path and the general reading meet.
    for (std::size_t chiffres = 17; chiffres <= 21; ++chiffres)
        for (std::size_t point = 0; point <= chiffres; ++point) {
            const auto avec_point = [&](std::string n) {
                return point == chiffres ? n : n.insert(point, point == 0 ? "0." : ".");
            };
            std::string n;
            for (std::size_t i = 0; i < chiffres; ++i)
                n += static_cast<char>('0' + (i == 0 ? 1 + std::rand() % 9 : std::rand() % 10));
            numeraux.push_back(avec_point(n));
            numeraux.push_back(avec_point(std::string(chiffres, '9')));
        }
    for (const char separateur : {'.', ','}) {
        Form form(separateur);
        for (const std::string& n : numeraux) {
            SCOPED_TRACE(n);
            const std::optional<Reel> lu = form.Valeur_numeral(n);
            ASSERT_TRUE(lu.has_value());
            // The evaluator itself, on the text with the separator of its numbers.
            TCalcExpress calc;
            calc.separateur_decimal = separateur;
            std::string texte = n;
            std::replace(texte.begin(), texte.end(), '.', separateur);
            calc.Formula(texte);
            const Reel attendu = calc.Evaluate({});
            ASSERT_EQ(*lu, attendu);
            ASSERT_EQ(std::signbit(*lu), std::signbit(attendu));
            const Reel evalue = form.Evaluer_expression(n, {}, 1);
            ASSERT_EQ(evalue, attendu);
            ASSERT_EQ(std::signbit(evalue), std::signbit(attendu));
        }
    }
    Form form;
    for (const char* autre : {"", "  ", "-", ".5", "1.", "1..2", "1e5", "+1", "--1", "- 1", "1 2",
                              "a", "2a", "1,5", "(1)", "1/2", "pi", "0x10"})
        EXPECT_FALSE(form.Valeur_numeral(autre).has_value()) << autre;
    // Beyond the range of long double: left to the evaluator and its fault.
    EXPECT_FALSE(form.Valeur_numeral("1" + std::string(6000, '0')).has_value());
    // A name that starts with the separator makes the conversion read digits differently:
    // then every text goes to the evaluator.
    form.Ajouter_variable(".5", 2);
    EXPECT_FALSE(form.Valeur_numeral("1.5").has_value());
}

} // namespace
} // namespace trazel
