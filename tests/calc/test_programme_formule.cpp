// The layout of compiled formulas: an operand folded into its operator, a constant exponent
// classified once and a computation read back where it recurs must give the bits and the
// first fault of the same formula with those parts given as variables.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/calc_express.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// A value, or the nature of the fault that replaced it.
struct TResultat {
    std::optional<Reel> valeur;
    Erreur_calcul::Nature faute{};
    bool operator==(const TResultat& autre) const
    {
        if (valeur.has_value() != autre.valeur.has_value())
            return false;
        if (!valeur)
            return faute == autre.faute;
        return std::memcmp(&*valeur, &*autre.valeur, 10) == 0; // the 80 bits
    }
};

std::string Texte(const TResultat& r)
{
    return r.valeur ? std::to_string(static_cast<double>(*r.valeur))
                    : "faute " + std::to_string(static_cast<int>(r.faute));
}

TResultat Evaluer(const std::string& formule, const std::vector<std::string>& noms,
                  const std::vector<Reel>& valeurs, const TCalc_liste_fonction_init& fonctions = {})
{
    TCalcExpress calc;
    calc.Fonctions(fonctions);
    calc.Variables(noms);
    try {
        calc.Formula(formule);
    } catch (const Erreur_formule&) {
        ADD_FAILURE() << "formule refus\xE9"
                         "e : "
                      << formule;
        return {};
    }
    try {
        return {calc.Evaluate(valeurs)};
    } catch (const Erreur_calcul& e) {
        return {std::nullopt, e.nature()};
    }
}

// "x OP 2.5" against "x OP y" with y = 2.5, for every operator and right operands that
// exercise each class of exponent and each fault.
TEST(Programme, operande_constant_comme_variable)
{
    const std::vector<std::string> constantes = {
        "0",   "3",          "1",          "2",          "7",    "0.5",   "0.1",
        "1.5", "2147483647", "2147483648", "4294967297", "1E30", "1E4000" /* beyond the reals */};
    const std::vector<Reel> bases = {0.0L,  -0.0L, 1.0L,  -1.0L,  2.0L,    -2.0L,   0.75L,
                                     -3.5L, 1e-3L, 1e20L, 1e-20L, 1e4000L, -1e4000L};
    for (const char* op : {"+", "-", "*", "/", "^"})
        for (const std::string& c : constantes)
            for (const std::string& signe : {std::string(), std::string("-")}) {
                const std::string k = signe.empty() && c[0] != '-' ? c : "(" + signe + c + ")";
                const TResultat y = Evaluer(signe + c, {}, {});
                for (const Reel x : bases) {
                    SCOPED_TRACE(std::string("x") + op + k +
                                 " x=" + std::to_string(static_cast<double>(x)));
                    const TResultat plie = Evaluer("x" + std::string(op) + k, {"x"}, {x});
                    if (!y.valeur) { // the literal's own fault comes after x is read
                        EXPECT_EQ(Texte(plie), Texte(y));
                        continue;
                    }
                    const TResultat variable =
                        Evaluer("x" + std::string(op) + "y", {"x", "y"}, {x, *y.valeur});
                    EXPECT_TRUE(plie == variable) << Texte(plie) << " / " << Texte(variable);
                }
            }
}

// A subformula written several times is computed once: the whole equals the formula with
// that part given as a variable, value and fault alike, and its first place is where its
// fault arises.
TEST(Programme, calcul_recurrent_lu_a_nouveau)
{
    const TCalc_liste_fonction_init fonctions = {
        {"u", "t^3/50-t/3+1", "t"},
        {"v", "sqrt(u(t)^2+1)*cos(t/2)", "t"},
        {"w", "v(2*sin(t))+u(t/3)^2/4", "t"},
    };
    struct TCas {
        std::string partie;      // written out in `formule` wherever `avec` holds "p"
        std::string formule;     // with "p" for the part
        std::string avant = "0"; // what the formula computes before its first "p"
    };
    const std::vector<TCas> cas = {
        {"v(t)", "w(t)/2-sqrt(abs(p))+cos(p/3)^3"},
        {"u(t)*sin(t)", "p+p*p-1/p"},
        {"sqrt(t-1)", "p/(t-t)+p"},                // the division's fault comes first
        {"1/(t-2)", "sqrt(t-4)+p*p", "sqrt(t-4)"}, // the root's fault comes first
        {"ln(t)", "(p-p)^0+exp(p)*p"},             // (p-p)^0 still computes p
    };
    for (const TCas& c : cas) {
        std::string ecrite = c.formule;
        for (std::size_t i = 0; i < ecrite.size(); ++i) {
            // "p" as a whole name only: not the "p" of "exp" or "sqrt".
            const auto lettre = [&](std::size_t j) {
                return j < ecrite.size() && std::isalpha(static_cast<unsigned char>(ecrite[j]));
            };
            if (ecrite[i] != 'p' || (i > 0 && lettre(i - 1)) || lettre(i + 1))
                continue;
            ecrite.replace(i, 1, "(" + c.partie + ")");
            i += c.partie.size() + 1;
        }
        for (const Reel t : {-3.0L, 0.0L, 0.5L, 1.0L, 2.0L, 3.0L, 5.0L, 7.25L}) {
            SCOPED_TRACE(ecrite + " t=" + std::to_string(static_cast<double>(t)));
            const TResultat entiere = Evaluer(ecrite, {"t"}, {t}, fonctions);
            const TResultat p = Evaluer(c.partie, {"t"}, {t}, fonctions);
            // With p a variable, its own fault arises where it is first read.
            TResultat attendu;
            if (!p.valeur) {
                const TResultat faute_avant = Evaluer(c.avant, {"t"}, {t}, fonctions);
                attendu = faute_avant.valeur ? p : faute_avant;
            } else {
                attendu = Evaluer(c.formule, {"t", "p"}, {t, *p.valeur}, fonctions);
            }
            EXPECT_TRUE(entiere == attendu) << Texte(entiere) << " / " << Texte(attendu);
        }
    }
}

// Deep nesting needs a deep stack, and the next formula a shallow one from the same
// evaluator.
TEST(Programme, pile_a_la_profondeur_de_la_formule)
{
    std::string profonde = "t";
    for (int k = 0; k < 400; ++k)
        profonde = "(1+" + profonde + "*2)";
    TCalcExpress calc;
    calc.Variables({"t"});
    calc.Formula(profonde);
    Reel attendu = 0.5L;
    for (int k = 0; k < 400; ++k)
        attendu = 1 + attendu * 2;
    EXPECT_EQ(calc.Evaluate({0.5L}), attendu);
    calc.Formula("t-1");
    EXPECT_EQ(calc.Evaluate({0.5L}), -0.5L);
    EXPECT_THROW(calc.Evaluate({}), std::out_of_range); // a missing value
}

} // namespace
} // namespace trazel
