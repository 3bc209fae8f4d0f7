// The evaluator's state and the evaluation of its trees: a tree walk in extended reals, every
// result checked. The trees come from the compiler of analyse_formule.cpp.

#include "calc/calc_express.h"

#include <cmath>
#include <numbers>
#include <unordered_map>
#include <utility>

#include "calc/arbre_formule.h"
#include "model/erreurs.h"

namespace trazel {

namespace {

// A value shared by the copies of one call's argument, computed during the evaluation
// numbered `evaluation`.
struct TValeur_partagee {
    Reel valeur = 0;
    std::uint64_t evaluation = 0;
};

} // namespace

// What the current functions, variables and separator compile to, and what evaluations
// keep between them.
struct TCalcExpress::TMemoires {
    // The function bodies (compiled at the first assignment of Formula after a change) and
    // the trees of the formulas assigned since, by text. Both are dropped when the
    // functions, the variables or the separator change.
    std::shared_ptr<const std::vector<TCalc_fonction>> compilees;
    char separateur_compile = '.';
    struct TCalc_compilee {
        std::shared_ptr<const TCalc_noeud> arbre;
        std::int32_t partages = 0;
    };
    std::unordered_map<std::string, TCalc_compilee> arbres;
    std::int64_t noeuds_en_cache = 0;
    // The shared values of the evaluations, by number: slots are reused, never cleared.
    std::vector<TValeur_partagee> valeurs_partagees;
    std::uint64_t evaluations = 0;
    TSinus_cosinus trigo;
};

namespace {

Reel Racine_carree(Reel x)
{
    if (x < 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide);
    return std::sqrt(x);
}

Reel Logarithme(Reel x)
{
    if (x < 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide);
    if (x == 0)
        throw Erreur_calcul(Erreur_calcul::Nature::division_par_zero);
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

// x^y: 1 for y = 0 (0^0 included), 0 for 0 to a positive power, repeated squaring for a
// whole y (inverted when negative), otherwise exp(y ln x).
Reel Puissance(Reel x, Reel y)
{
    if (y == 0)
        return 1;
    if (x == 0 && y > 0)
        return 0;
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L) {
        const Reel p = Puissance_entiere(x, static_cast<std::uint32_t>(std::fabs(y)));
        return y < 0 ? Diviser(1, p) : p;
    }
    return Exponentielle(Controler(y * Logarithme(x)));
}

// A one-operand node: a built-in function (angles in radians), a negation or a
// pass-through node.
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

Reel Binaire(std::int32_t genre, Reel a, Reel b)
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

// What an evaluation reads and keeps besides the tree: one pointer passed down the
// recursion instead of four arguments.
struct TEvaluation {
    const std::vector<Reel>& valeurs;
    std::vector<TValeur_partagee>& partages;
    std::uint64_t numero;
    TSinus_cosinus& trigo;
};

Reel Valeur(const TCalc_noeud& noeud, TEvaluation& e);

// An operand: a number or a variable is read in place, without a call (they are half the
// nodes of a tree); any other node is evaluated.
inline Reel Operande(const TCalc_noeud& noeud, TEvaluation& e)
{
    if (noeud.partage < 0) {
        if (noeud.genre == nombre)
            return Controler(noeud.valeur);
        if (noeud.genre == variable)
            return e.valeurs.at(static_cast<std::size_t>(noeud.indice)); // a missing value is
                                                                         // the caller's error
    }
    return Valeur(noeud, e);
}

// The value of a node that is not a plain number or variable (those are read by Operande),
// left operand first. Every result is checked, so no NaN and no infinity ever leaves the
// evaluator. Nodes that share a value (the copies of one call's argument) compute it once:
// the first of them in this order is where a fault of that computation arises, as it would
// without sharing.
Reel Valeur(const TCalc_noeud& noeud, TEvaluation& e)
{
    if (noeud.partage >= 0) [[unlikely]] {
        TValeur_partagee& p = e.partages[static_cast<std::size_t>(noeud.partage)];
        if (p.evaluation != e.numero) {
            p.valeur = Operande(*noeud.gauche, e); // a pass-through node
            p.evaluation = e.numero;
        }
        return p.valeur;
    }
    const Reel a = Operande(*noeud.gauche, e);
    if (!noeud.droite)
        return Unaire(noeud.genre, a, e.trigo);
    return Binaire(noeud.genre, a, Operande(*noeud.droite, e));
}

// The trees kept by text stay within this many nodes in all.
constexpr std::int64_t noeuds_en_cache_maximum = 4 * taille_maximale;

} // namespace

TCalcExpress::TCalcExpress() : memoires_(std::make_unique<TMemoires>())
{
    Formula("0");
}

// A copy keeps what the original compiled: its trees are shared and never changed.
TCalcExpress::TCalcExpress(const TCalcExpress& autre)
    : separateur_decimal(autre.separateur_decimal), formule_(autre.formule_),
      variables_(autre.variables_), fonctions_(autre.fonctions_), Racine(autre.Racine),
      partages_(autre.partages_), generation_(autre.generation_),
      memoires_(std::make_unique<TMemoires>(*autre.memoires_))
{
}

TCalcExpress& TCalcExpress::operator=(const TCalcExpress& autre)
{
    separateur_decimal = autre.separateur_decimal;
    formule_ = autre.formule_;
    variables_ = autre.variables_;
    fonctions_ = autre.fonctions_;
    Racine = autre.Racine;
    partages_ = autre.partages_;
    generation_ = autre.generation_;
    *memoires_ = *autre.memoires_;
    return *this;
}

TCalcExpress::~TCalcExpress() = default;

void TCalcExpress::Variables(std::vector<std::string> noms)
{
    variables_ = std::move(noms);
    ++generation_;
    Oublier_compilations();
}

void TCalcExpress::Fonctions(TCalc_liste_fonction_init fonctions)
{
    fonctions_ = std::move(fonctions);
    ++generation_;
    Oublier_compilations();
}

void TCalcExpress::Oublier_compilations()
{
    TMemoires& m = *memoires_;
    m.arbres.clear();
    m.noeuds_en_cache = 0;
    m.compilees.reset();
    m.separateur_compile = separateur_decimal;
}

// The function bodies are compiled once for the current functions, variables and separator:
// the formula's tree copies them without changing them. A rejected formula is not kept, so
// it is compiled and rejected again at every assignment.
void TCalcExpress::Formula(const std::string& texte)
{
    Racine.reset();
    formule_ = texte;
    TMemoires& m = *memoires_;
    if (m.separateur_compile != separateur_decimal)
        Oublier_compilations();
    if (const auto trouve = m.arbres.find(texte); trouve != m.arbres.end()) {
        Racine = trouve->second.arbre;
        partages_ = trouve->second.partages;
        return;
    }
    const TDefinitions definitions{fonctions_, variables_, separateur_decimal};
    if (!m.compilees)
        m.compilees =
            std::make_shared<const std::vector<TCalc_fonction>>(Compiler_fonctions(definitions));
    try {
        TArbre_compile compile = Compiler_formule(formule_, definitions, *m.compilees);
        std::shared_ptr<const TCalc_noeud> arbre = std::move(compile.racine);
        // The trees kept stay within a bounded number of nodes.
        if (m.noeuds_en_cache + arbre->taille > noeuds_en_cache_maximum) {
            m.arbres.clear();
            m.noeuds_en_cache = 0;
        }
        m.noeuds_en_cache += arbre->taille;
        m.arbres.emplace(texte, TMemoires::TCalc_compilee{arbre, compile.partages});
        Racine = std::move(arbre);
        partages_ = compile.partages;
    } catch (const Trop_grand&) {
        throw Erreur_formule("Formule trop complexe : plus de " +
                                 std::to_string(imbrication_maximale) +
                                 " parenth\xE8ses imbriqu\xE9"
                                 "es, ou plus de " +
                                 std::to_string(taille_maximale) +
                                 " termes une fois les fonctions d\xE9velopp\xE9"
                                 "es",
                             texte);
    } catch (const Rejet& rejet) {
        if (rejet.fonction < 0)
            throw Erreur_formule(Erreur_formule::message_syntaxe, texte);
        const TCalc_fonction_init& f = fonctions_[static_cast<std::size_t>(rejet.fonction)];
        throw Erreur_formule(
            Erreur_formule::message_syntaxe, texte,
            TFonction_fautive{f.nom, f.source.empty() ? f.expression : f.source, f.ligne});
    }
}

void TCalcExpress::Formula(const std::string& texte, TCompilation& memo)
{
    if (A_jour(memo)) {
        formule_ = texte;
        Racine = memo.arbre;
        partages_ = memo.partages;
        return;
    }
    Formula(texte);
    memo = {Racine, partages_, generation_, separateur_decimal};
}

// Inline in both Evaluate: it is the whole of their work.
inline Reel TCalcExpress::Evaluer_arbre(const TCalc_noeud& racine, std::int32_t partages,
                                        const std::vector<Reel>& valeurs) const
{
    // A slot holds a value of this evaluation only once this evaluation's number is in it.
    TMemoires& m = *memoires_;
    if (m.valeurs_partagees.size() < static_cast<std::size_t>(partages))
        m.valeurs_partagees.resize(static_cast<std::size_t>(partages));
    TEvaluation evaluation{valeurs, m.valeurs_partagees, ++m.evaluations, m.trigo};
    return Operande(racine, evaluation);
}

Reel TCalcExpress::Evaluate(const std::vector<Reel>& valeurs) const
{
    if (!Racine)
        throw Erreur_formule(Erreur_formule::message_syntaxe, formule_);
    return Evaluer_arbre(*Racine, partages_, valeurs);
}

Reel TCalcExpress::Evaluate(const TCompilation& memo, const std::vector<Reel>& valeurs) const
{
    return Evaluer_arbre(*memo.arbre, memo.partages, valeurs);
}

} // namespace trazel
