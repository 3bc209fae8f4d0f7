#pragma once
// TCalcExpress: compiles one numeric formula (evaluator syntax) into an expression tree and
// evaluates it for given variable values. Four operations, powers, built-in functions, named
// variables and user functions of one parameter, expanded in place at compile time.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/reel.h"

namespace trazel {

// A user function definition: name, body (evaluator syntax) and parameter name.
struct TCalc_fonction_init {
    std::string nom;
    std::string expression;
    std::string variable;
};
using TCalc_liste_fonction_init = std::vector<TCalc_fonction_init>;

// One node of an expression tree; `genre` uses the token numbering (3 "+", 7 number, ...).
struct TCalc_noeud {
    std::int32_t genre = 0;
    std::string texte;
    Reel valeur = 0; // a number's value, converted once at compile time
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

class TCalcExpress {
public:
    TCalcExpress();

    // Assigning the formula compiles the user functions, then the text. A rejected formula
    // leaves no tree and raises Erreur_formule("Error in formula.", text).
    const std::string& Formula() const { return formule_; }
    void Formula(const std::string& texte);

    // Variable names, matched without regard to case; the i-th value given to Evaluate is
    // the value of the i-th name.
    const std::vector<std::string>& Variables() const { return variables_; }
    void Variables(std::vector<std::string> noms);

    // User functions; compiled at the next assignment of Formula.
    const TCalc_liste_fonction_init& Fonctions() const { return fonctions_; }
    void Fonctions(TCalc_liste_fonction_init fonctions);

    // The compiled formula's value. Floating-point faults raise Erreur_calcul.
    Reel Evaluate(const std::vector<Reel>& valeurs) const;

    // Decimal separator of number literals (the user's locale, "." or ",").
    char separateur_decimal = '.';

private:
    struct TCalc_fonction;
    class Compilateur; // scanner and recursive-descent parser, defined in the .cpp
    std::string formule_;
    std::vector<std::string> variables_;
    TCalc_liste_fonction_init fonctions_;
    std::unique_ptr<TCalc_noeud> Racine;
    // Implementation state (scanner position, depth, compiled functions) lives in the .cpp.
};

} // namespace trazel
