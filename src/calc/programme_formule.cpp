// The evaluation of formulas: a compiled tree laid out once as a program for a value stack,
// then run in extended reals with every result checked.

#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "calc/arbre_formule.h"
#include "model/erreurs.h"

namespace trazel {

namespace {

// Instruction codes besides the node kinds (a unary or binary node is its own kind): a
// number or a variable pushed, a power by a constant exponent, a value stored for later or
// read back, and the operators whose right operand is a number or a variable, at their kind
// plus an offset.
constexpr std::int32_t c_nombre_non_fini = 32;   // a literal beyond the reals: its check raises
constexpr std::int32_t c_puissance_nulle = 33;   // x^0: 1
constexpr std::int32_t c_puissance_entiere = 34; // x^n, n >= 1 whole
constexpr std::int32_t c_puissance_inverse = 35; // x^-n, n >= 1 whole
constexpr std::int32_t c_ranger = 36;            // keeps the top of the stack in a slot
constexpr std::int32_t c_charger = 37;           // pushes a slot's value
constexpr std::int32_t c_fin = 38;
constexpr std::int32_t c_avec_nombre = 64;
constexpr std::int32_t c_avec_variable = 96;
static_assert(puissance < c_nombre_non_fini && c_fin < c_avec_nombre &&
              c_avec_nombre + puissance < c_avec_variable);

// An exponent taken by repeated squaring.
bool Exposant_entier(Reel y)
{
    return y == std::trunc(y) && std::fabs(y) <= 2147483647.0L;
}

bool Feuille(const TCalc_noeud& n)
{
    return n.genre == nombre || n.genre == variable;
}

// A pass-through node (a call's parameter) is its argument.
const TCalc_noeud& Sans_passage(const TCalc_noeud& n)
{
    const TCalc_noeud* p = &n;
    while (p->genre == appel && p->gauche && !p->droite)
        p = p->gauche.get();
    return *p;
}

// The structure of a node, operands by their number: equal keys are equal computations.
struct TCle {
    std::int32_t genre;
    std::int32_t indice;
    std::int32_t gauche, droite;
    unsigned char valeur[10];
    bool operator==(const TCle& autre) const
    {
        return genre == autre.genre && indice == autre.indice && gauche == autre.gauche &&
               droite == autre.droite && std::memcmp(valeur, autre.valeur, sizeof valeur) == 0;
    }
};
struct THachage {
    std::size_t operator()(const TCle& c) const
    {
        std::uint64_t h = static_cast<std::uint32_t>(c.genre);
        for (const std::int32_t v : {c.indice, c.gauche, c.droite})
            h = (h ^ static_cast<std::uint32_t>(v)) * 0x100000001B3ULL;
        std::uint64_t bits = 0;
        std::memcpy(&bits, c.valeur, sizeof bits);
        return static_cast<std::size_t>((h ^ bits) * 0x9E3779B97F4A7C15ULL);
    }
};

class TProgrammeur {
  public:
    TCalc_programme Programmer(const TCalc_noeud& racine)
    {
        Numeroter(racine);
        occurrences_.assign(numeros_.size(), 0);
        slots_.assign(numeros_.size(), -1);
        Compter(racine);
        Emettre(racine);
        p_.instructions.push_back({c_fin});
        p_.taille = racine.taille;
        return std::move(p_);
    }

  private:
    // Every node gets the number of its structure.
    std::int32_t Numeroter(const TCalc_noeud& n)
    {
        const TCalc_noeud& m = Sans_passage(n);
        TCle cle{m.genre, m.genre == variable ? m.indice : -1, -1, -1, {}};
        if (m.genre == nombre)
            std::memcpy(cle.valeur, &m.valeur, sizeof cle.valeur);
        if (m.gauche)
            cle.gauche = Numeroter(*m.gauche);
        if (m.droite)
            cle.droite = Numeroter(*m.droite);
        const auto [trouve, nouveau] =
            numeros_.try_emplace(cle, static_cast<std::int32_t>(numeros_.size()));
        numero_[&m] = trouve->second;
        return trouve->second;
    }

    std::size_t Numero(const TCalc_noeud& m) const
    {
        return static_cast<std::size_t>(numero_.at(&m));
    }

    // Occurrences in evaluation order; a repeat is not entered, since its value will be read
    // back whole.
    void Compter(const TCalc_noeud& n)
    {
        const TCalc_noeud& m = Sans_passage(n);
        if (Feuille(m))
            return;
        if (occurrences_[Numero(m)]++ > 0)
            return;
        if (m.gauche)
            Compter(*m.gauche);
        if (m.droite)
            Compter(*m.droite);
    }

    void Ajouter(TInstruction i, int effet)
    {
        p_.instructions.push_back(i);
        profondeur_ += effet;
        p_.pile = std::max(p_.pile, profondeur_);
    }

    void Emettre(const TCalc_noeud& n)
    {
        const TCalc_noeud& m = Sans_passage(n);
        if (m.genre == nombre) {
            Ajouter(
                {std::isfinite(m.valeur) ? std::int32_t{nombre} : c_nombre_non_fini, 0, m.valeur},
                1);
            return;
        }
        if (m.genre == variable) {
            Ajouter({variable, m.indice}, 1);
            return;
        }
        const std::size_t numero = Numero(m);
        const bool recurrent = occurrences_[numero] > 1;
        if (recurrent && slots_[numero] >= 0) {
            Ajouter({c_charger, slots_[numero]}, 1);
            return;
        }
        Emettre(*m.gauche);
        if (!m.droite)
            Ajouter({m.genre}, 0);
        else
            Emettre_binaire(m.genre, *m.droite);
        if (recurrent) {
            slots_[numero] = p_.valeurs_partagees++;
            Ajouter({c_ranger, slots_[numero]}, 0);
        }
    }

    // The right operand folded into its operator when it is a number or a variable.
    void Emettre_binaire(std::int32_t genre, const TCalc_noeud& droite)
    {
        const TCalc_noeud& d = Sans_passage(droite);
        if (d.genre == variable) {
            Ajouter({c_avec_variable + genre, d.indice}, 0);
            return;
        }
        if (d.genre == nombre && std::isfinite(d.valeur)) {
            Ajouter(genre == puissance ? Puissance_constante(d.valeur)
                                       : TInstruction{c_avec_nombre + genre, 0, d.valeur},
                    0);
            return;
        }
        Emettre(d);
        Ajouter({genre}, -1);
    }

    // The exponent's class, as Puissance finds it at every evaluation.
    static TInstruction Puissance_constante(Reel y)
    {
        if (y == 0)
            return {c_puissance_nulle};
        if (Exposant_entier(y))
            return {y > 0 ? c_puissance_entiere : c_puissance_inverse,
                    static_cast<std::int32_t>(std::fabs(y))};
        return {c_avec_nombre + puissance, 0, y};
    }

    TCalc_programme p_;
    int profondeur_ = 0;
    std::unordered_map<TCle, std::int32_t, THachage> numeros_;
    std::unordered_map<const TCalc_noeud*, std::int32_t> numero_;
    // By structure number: occurrences in evaluation order, and the slot of a recurring one
    // once computed (-1 before).
    std::vector<int> occurrences_;
    std::vector<std::int32_t> slots_;
};

Reel Racine_carree(Reel x)
{
    if (x < 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide, "racine carr\xE9"
                                                                       "e d'un nombre n\xE9gatif");
    return std::sqrt(x);
}

Reel Logarithme(Reel x)
{
    if (x < 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide,
                            "logarithme d'un nombre n\xE9gatif");
    if (x == 0)
        throw Erreur_calcul(Erreur_calcul::Nature::division_par_zero, "logarithme de z\xE9ro");
    return std::log(x);
}

Reel Exponentielle(Reel x)
{
    return Controler(std::exp(x));
}

// x^n for a whole n >= 1, by repeated squaring: exact while the result fits the 64-bit
// mantissa. The base is not squared past the last bit, so no needless overflow occurs.
Reel Puissance_entiere(Reel x, std::uint32_t n)
{
    Reel resultat = 1;
    for (;;) {
        if ((n & 1U) != 0)
            resultat *= x;
        n >>= 1U;
        if (n == 0)
            return Controler(resultat);
        x *= x;
    }
}

// x^n for a whole n >= 1, 0 for x = 0.
Reel Puissance_positive(Reel x, std::uint32_t n)
{
    return x == 0 ? 0 : Puissance_entiere(x, n);
}

// x^y: 1 for y = 0 (0^0 included), 0 for 0 to a positive power, repeated squaring for a
// whole y (inverted when negative), otherwise exp(y ln x).
Reel Puissance(Reel x, Reel y)
{
    if (y == 0)
        return 1;
    if (x == 0 && y > 0)
        return 0;
    if (Exposant_entier(y)) {
        const Reel p = Puissance_entiere(x, static_cast<std::uint32_t>(std::fabs(y)));
        return y < 0 ? Diviser(1, p) : p;
    }
    return Exponentielle(Controler(y * Logarithme(x)));
}

// A one-operand node: a built-in function (angles in radians) or a negation.
Reel Unaire(std::int32_t genre, Reel x, TSinus_cosinus& trigo)
{
    // sin and cos give 0 beyond the range where the x87 unit reduces its argument.
    constexpr Reel limite_trigo = 0x1p63L;
    switch (genre) {
    case negation:
        return -x;
    case appel:
        return x;
    case f_cos:
        return std::fabs(x) >= limite_trigo ? 0 : trigo.Cosinus(x);
    case f_sin:
        return std::fabs(x) >= limite_trigo ? 0 : trigo.Sinus(x);
    case f_tan:
        return Controler(std::tan(x));
    case f_ctg:
        return Diviser(1, std::tan(x));
    case f_abs:
        return std::fabs(x);
    case f_sgn:
        return x < 0 ? -1 : (x > 0 ? 1 : 0);
    case f_sqrt:
        return Racine_carree(x);
    case f_ln:
        return Logarithme(x);
    case f_exp:
        return Exponentielle(x);
    case f_arcsin:
        return std::atan2(x, Racine_carree(1 - x * x));
    case f_arccos:
        return std::atan2(Racine_carree(1 - x * x), x);
    case f_arctan:
        return std::atan(x);
    case f_arcctg:
        return std::numbers::pi_v<Reel> / 2 - std::atan(x);
    case f_sh:
        return Controler((Exponentielle(x) - Exponentielle(-x)) / 2);
    case f_ch:
        return Controler((Exponentielle(x) + Exponentielle(-x)) / 2);
    case f_th:
        return Diviser(Exponentielle(x) - Exponentielle(-x), Exponentielle(x) + Exponentielle(-x));
    case f_cth:
        return Diviser(Exponentielle(x) + Exponentielle(-x), Exponentielle(x) - Exponentielle(-x));
    case f_heaviside:
        return x >= 0 ? 1 : 0;
    case f_int:
        return std::trunc(x);
    }
    return 0;
}

inline Reel Binaire(std::int32_t genre, Reel a, Reel b)
{
    switch (genre) {
    case plus:
        return Controler(a + b);
    case moins:
        return Controler(a - b);
    case fois:
        return Controler(a * b);
    case divise:
        return Diviser(a, b);
    case puissance:
        return Puissance(a, b);
    }
    return 0;
}

} // namespace

TCalc_programme Programmer(const TCalc_noeud& racine)
{
    return TProgrammeur().Programmer(racine);
}

Reel Executer(const TCalc_programme& programme, const std::vector<Reel>& valeurs,
              TExecution& execution)
{
    if (execution.pile.size() <= static_cast<std::size_t>(programme.pile))
        execution.pile.resize(static_cast<std::size_t>(programme.pile) + 1);
    if (execution.partagees.size() < static_cast<std::size_t>(programme.valeurs_partagees))
        execution.partagees.resize(static_cast<std::size_t>(programme.valeurs_partagees));
    const auto valeur = [&](std::int32_t indice) {
        // A missing value is the caller's error.
        if (static_cast<std::size_t>(indice) >= valeurs.size())
            throw std::out_of_range("valeur de variable absente");
        return valeurs[static_cast<std::size_t>(indice)];
    };
    // The top of the stack stays in a local, which the compiler keeps in a register: most
    // instructions read and replace it alone. The values under it go to the stack, its
    // first entry taking the meaningless top of the empty stack.
    Reel haut = 0;
    Reel* dessous = execution.pile.data();
    Reel* const partagees = execution.partagees.data();
    for (const TInstruction* i = programme.instructions.data();; ++i) {
        const std::int32_t code = i->code;
        switch (code) {
        case nombre:
            *dessous++ = haut;
            haut = i->valeur;
            break;
        case c_nombre_non_fini:
            *dessous++ = haut;
            haut = Controler(i->valeur);
            break;
        case variable:
            *dessous++ = haut;
            haut = valeur(i->argument);
            break;
        case plus:
        case moins:
        case fois:
        case divise:
        case puissance:
            haut = Binaire(code, *--dessous, haut);
            break;
        case c_avec_nombre + plus:
        case c_avec_nombre + moins:
        case c_avec_nombre + fois:
        case c_avec_nombre + divise:
        case c_avec_nombre + puissance:
            haut = Binaire(code - c_avec_nombre, haut, i->valeur);
            break;
        case c_avec_variable + plus:
        case c_avec_variable + moins:
        case c_avec_variable + fois:
        case c_avec_variable + divise:
        case c_avec_variable + puissance:
            haut = Binaire(code - c_avec_variable, haut, valeur(i->argument));
            break;
        case c_puissance_nulle:
            haut = 1;
            break;
        case c_puissance_entiere:
            haut = Puissance_positive(haut, static_cast<std::uint32_t>(i->argument));
            break;
        case c_puissance_inverse:
            haut = Diviser(1, Puissance_entiere(haut, static_cast<std::uint32_t>(i->argument)));
            break;
        case c_ranger:
            partagees[i->argument] = haut;
            break;
        case c_charger:
            *dessous++ = haut;
            haut = partagees[i->argument];
            break;
        case c_fin:
            return haut;
        default:
            haut = Unaire(code, haut, execution.trigo);
            break;
        }
    }
}

} // namespace trazel
