#pragma once
// TCalcExpress: compiles one numeric formula (evaluator syntax) into an expression tree and
// evaluates it for given variable values. Four operations, powers, built-in functions, named
// variables and user functions of one parameter, expanded in place at compile time.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/reel.h"

namespace trazel {

// A user function definition: name, body (evaluator syntax) and parameter name, with where
// the definition stands for messages: the body as the figure writes it (empty when it is
// `expression`) and the figure line (0 for none).
struct TCalc_fonction_init {
    std::string nom;
    std::string expression;
    std::string variable;
    std::string source = {};
    int ligne = 0;
};
using TCalc_liste_fonction_init = std::vector<TCalc_fonction_init>;

// One node of an expression tree; `genre` uses the token numbering (3 "+", 7 number, ...).
struct TCalc_noeud {
    std::int32_t genre = 0;
    std::string texte;
    Reel valeur = 0; // a number's value, converted once at compile time
    std::int32_t indice = -1; // a variable's index, read once at compile time
    // A pass-through node of a user function call: the number of the value it shares with
    // the other pass-through nodes of the same call and their copies (identical subtrees,
    // so one value); -1 for every other node.
    std::int32_t partage = -1;
    std::int32_t hauteur = 1; // of the subtree, in nodes
    std::int64_t taille = 1;  // nodes in the subtree
    std::unique_ptr<TCalc_noeud> gauche;
    std::unique_ptr<TCalc_noeud> droite;
};

// Bounds that keep any formula within the stack and memory: parentheses nested deeper, or a
// tree higher or larger once user functions are expanded, reject the formula. Figures stay
// far below them.
inline constexpr int imbrication_maximale = 500;
inline constexpr std::int32_t hauteur_maximale = 2000;
inline constexpr std::int64_t taille_maximale = 200000;

// Names of variables and functions are matched as the evaluator matches them: ASCII letters
// without regard to case, every other byte as it is.
bool Egaux_sans_casse(std::string_view a, std::string_view b);

// A value shared by the copies of one call's argument, computed during the evaluation
// numbered `evaluation`.
struct TValeur_partagee {
    Reel valeur = 0;
    std::uint64_t evaluation = 0;
};

class TCalcExpress {
public:
    TCalcExpress();

    // Assigning the formula compiles the user functions, then the text. A rejected formula
    // leaves no tree and raises Erreur_formule("Error in formula.", text), which names the
    // function when only a call of a function with a rejected body is at fault. Compiled trees
    // are kept for the current functions, variables and separator: assigning a text seen
    // before gives back the tree a fresh compilation gives.
    const std::string& Formula() const { return formule_; }
    void Formula(const std::string& texte);

    // A compiled tree a caller keeps next to its text, with what it was compiled for.
    struct TCompilation {
        std::shared_ptr<const TCalc_noeud> arbre;
        std::int32_t partages = 0;
        std::uint64_t generation = UINT64_MAX;
        char separateur = '\0';
    };
    // Formula(texte), given the caller's memo of that text: while the functions, variables
    // and separator the memo's tree was compiled for are in place, the tree is installed
    // without any lookup; otherwise the text is assigned and the memo takes its new tree.
    void Formula(const std::string& texte, TCompilation& memo);

    // Variable names, matched without regard to case; the i-th value given to Evaluate is
    // the value of the i-th name.
    const std::vector<std::string>& Variables() const { return variables_; }
    void Variables(std::vector<std::string> noms);

    // User functions; compiled at the next assignment of Formula.
    const TCalc_liste_fonction_init& Fonctions() const { return fonctions_; }
    void Fonctions(TCalc_liste_fonction_init fonctions);

    // The compiled formula's value. Floating-point faults raise Erreur_calcul.
    Reel Evaluate(const std::vector<Reel>& valeurs) const;
    // A memo's tree is current while the functions, variables and separator it was compiled
    // for are in place; its value is then read without assigning it, the formula assigned
    // staying as it is.
    bool A_jour(const TCompilation& memo) const
    {
        return memo.arbre && memo.generation == generation_ &&
               memo.separateur == separateur_decimal;
    }
    Reel Evaluate(const TCompilation& memo, const std::vector<Reel>& valeurs) const;

    // Decimal separator of number literals (the user's locale, "." or ",").
    char separateur_decimal = '.';

    // Changes at every assignment of Variables or Fonctions, so a caller can tell whether
    // the ones it gave are still in place.
    std::uint64_t Generation() const { return generation_; }

private:
    struct TCalc_fonction;
    class Compilateur; // scanner and recursive-descent parser, defined in the .cpp
    void Oublier_compilations();
    Reel Evaluer_arbre(const TCalc_noeud& racine, std::int32_t partages,
                       const std::vector<Reel>& valeurs) const;
    std::string formule_;
    std::vector<std::string> variables_;
    TCalc_liste_fonction_init fonctions_;
    std::shared_ptr<const TCalc_noeud> Racine;
    std::int32_t partages_ = 0; // shared values in Racine
    // The shared values of the evaluations, by number: slots are reused, never cleared.
    mutable std::vector<TValeur_partagee> valeurs_partagees_;
    mutable std::uint64_t evaluations_ = 0;
    mutable TSinus_cosinus trigo_;

    // What the current functions, variables and separator compile to: the function bodies
    // (compiled at the first assignment of Formula after a change) and the trees of the
    // formulas assigned since, by text. Both are dropped when any of the three changes.
    std::uint64_t generation_ = 0;
    std::shared_ptr<std::vector<TCalc_fonction>> compilees_;
    char separateur_compile_ = '.';
    struct TCalc_compilee {
        std::shared_ptr<const TCalc_noeud> arbre;
        std::int32_t partages = 0;
    };
    std::unordered_map<std::string, TCalc_compilee> arbres_;
    std::int64_t noeuds_en_cache_ = 0;
    static constexpr std::int64_t noeuds_en_cache_maximum = 4 * taille_maximale;
    // Implementation state (scanner position, depth, compiled functions) lives in the .cpp.
};

} // namespace trazel
