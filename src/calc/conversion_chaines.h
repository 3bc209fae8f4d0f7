#pragma once
// Numeric text: the figure's variables and user functions, the conversion of figure notation
// (implicit products, distances written as two point names) into evaluator syntax, its
// evaluation, and the writing of reals as plain decimal text.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/calc_express.h"
#include "model/figure.h"
#include "model/reel.h"

namespace trazel {

struct Tvariable {
    std::string nom;
    Reel valeur = 0;
};
using TListe_variables = std::vector<Tvariable>;

// (position, length) of a name found in a text; positions are 1-based.
using TListe_couples_entiers = std::vector<std::pair<int, int>>;

// The holder of the evaluator and of the figure's variables and user functions. One exists
// per program (the desktop program) or per run (the command line); it is never shown.
class TForm2 {
public:
    TForm2(); // separator from the user's locale, then Reinitialiser

    TCalcExpress CalcExpress1;
    TListe_variables Liste_variables;
    TCalc_liste_fonction_init Liste_fonctions;

    // The decimal separator of numeric text, from the user's locale; settable.
    char separateur_decimal() const { return separateur_; }
    void separateur_decimal(char separateur);

    void Reinitialiser();
    void Ajouter_variable(const std::string& nom, Reel valeur);
    void Affecter_variable(const std::string& nom, Reel valeur);
    void Retirer_variable(const std::string& nom);
    void Ajouter_fonction(const std::string& nom, std::string corps, const TListe_points& points,
                          Reel echelle, const std::string& parametre);
    void Affecter_fonction(const std::string& nom, std::string corps,
                           const TListe_points& points, Reel echelle,
                           const std::string& parametre);
    void Noms_libres(std::string& x, std::string& y) const;

    // The value of a text in figure notation. An empty text, a text that cannot be converted
    // and a rejected formula raise Erreur_formule; floating-point faults Erreur_calcul.
    Reel Evaluer_expression(std::string texte, const TListe_points& points, Reel echelle);
    void Convertir_notation(std::string& texte, const TListe_points& points, Reel echelle);

private:
    char separateur_ = '.';
};

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG), "." when unknown.
char Separateur_decimal_utilisateur();

bool Est_operateur(std::string_view caractere);
bool Est_fonction_predefinie(std::string_view texte);

// Plain decimal text of x: at most 15 significant digits, "." as separator, never an
// exponent, whatever the locale.
std::string Reel_en_texte(Reel x);

} // namespace trazel
