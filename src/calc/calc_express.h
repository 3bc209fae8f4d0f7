#pragma once
// TCalcExpress: compiles one numeric formula (evaluator syntax) into an expression tree and
// evaluates it for given variable values. Four operations, powers, built-in functions, named
// variables and user functions of one parameter, expanded in place at compile time.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

// A compiled formula; its layout is the evaluator's own.
struct TCalc_programme;

// Bounds that keep any formula within the stack and memory: parentheses nested deeper, or a
// tree higher or larger once user functions are expanded, reject the formula. Figures stay
// far below them.
inline constexpr int imbrication_maximale = 500;
inline constexpr std::int32_t hauteur_maximale = 2000;
inline constexpr std::int64_t taille_maximale = 200000;

// Names of variables and functions are matched as the evaluator matches them: ASCII letters
// without regard to case, every other byte as it is.
bool Egaux_sans_casse(std::string_view a, std::string_view b);

class TCalcExpress {
  public:
    TCalcExpress();
    // A copy keeps what the original has compiled.
    TCalcExpress(const TCalcExpress& autre);
    TCalcExpress& operator=(const TCalcExpress& autre);
    ~TCalcExpress();

    // Assigning the formula compiles the user functions, then the text. A rejected formula
    // leaves no tree and raises Erreur_formule("Error in formula.", text), which names the
    // function when only a call of a function with a rejected body is at fault. Compiled trees
    // are kept for the current functions, variables and separator: assigning a text seen
    // before gives back the tree a fresh compilation gives.
    const std::string& Formula() const { return formule_; }
    void Formula(const std::string& texte);

    // A compiled formula a caller keeps next to its text, with its size in tree nodes and
    // what it was compiled for.
    struct TCompilation {
        std::shared_ptr<const TCalc_programme> programme;
        std::int64_t noeuds = 0;
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
        return memo.programme && memo.generation == generation_ &&
               memo.separateur == separateur_decimal;
    }
    Reel Evaluate(const TCompilation& memo, const std::vector<Reel>& valeurs) const;

    // Decimal separator of number literals (the user's locale, "." or ",").
    char separateur_decimal = '.';

    // Changes at every assignment of Variables or Fonctions, so a caller can tell whether
    // the ones it gave are still in place.
    std::uint64_t Generation() const { return generation_; }

  private:
    // The compiled function bodies and the formulas kept by text (dropped when the
    // functions, the variables or the separator change), and what evaluations keep between
    // them. Defined in calc_express.cpp.
    struct TMemoires;
    void Oublier_compilations();
    std::string formule_;
    std::vector<std::string> variables_;
    TCalc_liste_fonction_init fonctions_;
    std::shared_ptr<const TCalc_programme> programme_;
    std::uint64_t generation_ = 0;
    // Memos only, so the const evaluations change them too.
    std::unique_ptr<TMemoires> memoires_;
};

} // namespace trazel
