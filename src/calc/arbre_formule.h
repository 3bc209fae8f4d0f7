#pragma once
// Inside the evaluator: the token and node kinds, the expression tree and its construction
// (arbre_formule.cpp), and the compiler (analyse_formule.cpp) that the evaluation
// (calc_express.cpp) asks for trees. Included only by the calc sources; callers see
// calc/calc_express.h.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_express.h"
#include "model/reel.h"

namespace trazel {

// Token and node kinds share one numbering: f_cos to f_int are the built-in functions and
// `appel` a user function call, a pass-through node once expanded. The parser relies on the
// order in two places, each checked where it is used (analyse_formule.cpp): the scanner turns
// "()+-*/" into ouvrante to divise by the character's rank, and it knows a built-in function
// by the range f_cos to f_int.
// clang-format off
enum Genre : std::int32_t {
    fin_texte, ouvrante, fermante, plus, moins, fois, divise, nombre, variable, negation,
    f_cos, f_sin, f_tan, f_ctg, f_abs, f_sgn, f_sqrt, f_ln, f_exp, f_arcsin, f_arccos, f_arctan,
    f_arcctg, f_sh, f_ch, f_th, f_cth, f_heaviside, f_int, appel, puissance = 31,
};
// clang-format on
// The numbers themselves stay as they have always been (3 "+", 7 a number, ...).
static_assert(plus == 3 && nombre == 7 && negation == 9 && f_cos == 10 && f_int == 28 &&
              appel == 29 && puissance == 31);

// One node of an expression tree; `genre` is a Genre.
struct TCalc_noeud {
    std::int32_t genre = 0;
    std::string texte;
    Reel valeur = 0;          // a number's value, converted once at compile time
    std::int32_t indice = -1; // a variable's index, read once at compile time
    std::int32_t hauteur = 1; // of the subtree, in nodes
    std::int64_t taille = 1;  // nodes in the subtree
    std::unique_ptr<TCalc_noeud> gauche;
    std::unique_ptr<TCalc_noeud> droite;
};

// A compiled user function. `feuilles` points into `arbre`: the leaves that stand for the
// parameter, replaced by the argument at each call.
struct TCalc_fonction {
    std::unique_ptr<TCalc_noeud> arbre; // none when the body was rejected
    std::vector<const TCalc_noeud*> feuilles;
    bool trop_grand = false; // rejected for its size: a call says so
    // A rejected body's fault: the function whose own body is faulty (itself, or one it
    // calls); -1 while the body compiles.
    int cause = -1;
};

// The one exit of the parser: any syntax error rejects the whole text. `fonction` is the
// user function whose faulty body a call met, -1 for a fault of the text itself.
struct Rejet {
    int fonction = -1;
};

// A formula beyond the bounds: rejected too, with its own message.
struct Trop_grand : Rejet {};

// A new node without operands.
std::unique_ptr<TCalc_noeud> Nouveau_noeud(std::int32_t genre, std::string texte = {});
// A node over its operands, measured: throws Trop_grand past the bounds.
std::unique_ptr<TCalc_noeud> Lier(std::int32_t genre, std::unique_ptr<TCalc_noeud> gauche,
                                  std::unique_ptr<TCalc_noeud> droite = nullptr);
// The call of `f` on `argument` expanded in place: a copy of f's body whose parameter leaves
// become pass-through nodes over copies of the argument (the program computes it once).
// While a body is being compiled,
// `feuilles` lists its parameter leaves, and their copies inside the argument join them.
// Throws Rejet or Trop_grand for a function that cannot be called, Trop_grand past the bounds.
std::unique_ptr<TCalc_noeud> Developper(const TCalc_fonction& f,
                                        std::unique_ptr<TCalc_noeud> argument,
                                        std::vector<const TCalc_noeud*>* feuilles);

// What a compilation reads: the user functions, the variable names and the decimal
// separator of number literals.
struct TDefinitions {
    const TCalc_liste_fonction_init& fonctions;
    const std::vector<std::string>& variables;
    char separateur;
};

// The bodies of the user functions, compiled in definition order, each with its parameter
// known as a variable and only the functions before it callable. A rejected body stays
// without a tree (see TCalc_fonction); only a call reports it.
std::vector<TCalc_fonction> Compiler_fonctions(const TDefinitions& definitions);

// A formula's tree, its calls expanded from `compilees`. Throws Trop_grand beyond the
// bounds, Rejet for any other fault.
std::unique_ptr<TCalc_noeud> Compiler_formule(std::string_view texte,
                                              const TDefinitions& definitions,
                                              const std::vector<TCalc_fonction>& compilees);

// A compiled tree laid out for evaluation (programme_formule.cpp): its nodes in evaluation
// order, left operand first, as instructions of a value stack. Numbers and variables as
// right operands are folded into their operator, constant exponents are classified once,
// and each computation that recurs (the copies of a call's argument, a call or any subtree
// written twice) is computed at its first place and read back at the others. The
// operations are the tree's own, in its order, so the value and the first fault are the
// ones a walk over the tree gives.
struct TInstruction {
    std::int32_t code = 0;
    std::int32_t argument = 0; // a variable's index, a slot, an exponent or a jump
    Reel valeur = 0;           // a number
};
struct TCalc_programme {
    std::vector<TInstruction> instructions;
    std::int32_t valeurs_partagees = 0; // slots of the recurring computations
    std::int32_t pile = 0;              // the stack depth it needs
    std::int64_t taille = 0;            // nodes of the tree
};
TCalc_programme Programmer(const TCalc_noeud& racine);

// What evaluations keep between them: the recurring values by slot (an evaluation stores
// each before it reads it), the stack and the last sine and cosine.
struct TExecution {
    std::vector<Reel> partagees;
    std::vector<Reel> pile;
    TSinus_cosinus trigo;
};
// The program's value for the variables' values; floating-point faults raise Erreur_calcul.
Reel Executer(const TCalc_programme& programme, const std::vector<Reel>& valeurs,
              TExecution& execution);

} // namespace trazel
