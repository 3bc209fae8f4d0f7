#pragma once
// Numeric text: the figure's variables and user functions, the conversion of figure notation
// (implicit products, distances written as two point names) into evaluator syntax, its
// evaluation, and the writing of reals as plain decimal text. Defined in variables.cpp,
// notation.cpp and decimales.cpp.

#include <cstdint>
#include <memory>
#include <optional>
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

// The holder of the evaluator and of the figure's variables and user functions. One exists
// per program (the desktop program) or per run (the command line); it is never shown.
class TForm2 {
  public:
    TForm2(); // separator from the user's locale, then Reinitialiser
    // The views below refer to this object's own lists.
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;
    ~TForm2();

    TCalcExpress CalcExpress1;
    // Read-only: every change goes through the operations below, which keep what is
    // remembered of these lists (converted texts, the evaluator's definitions) in step.
    const TListe_variables& Liste_variables = variables_;
    const TCalc_liste_fonction_init& Liste_fonctions = fonctions_;

    // The decimal separator of numeric text, from the user's locale; settable.
    char separateur_decimal() const { return separateur_; }
    void separateur_decimal(char separateur);

    void Reinitialiser();
    void Ajouter_variable(const std::string& nom, Reel valeur);
    void Affecter_variable(const std::string& nom, Reel valeur);
    // Raised whenever the names of the variables or of the functions change: while it stays,
    // an index given by Indice_variable stays the one Affecter_variable would find.
    std::uint64_t Version_des_noms() const;
    // The index of the most recent variable of that name, none when there is none.
    std::optional<std::size_t> Indice_variable(const std::string& nom) const;
    // Affecter_variable for the variable at that index.
    void Affecter_variable(std::size_t indice, Reel valeur)
    {
        variables_.at(indice).valeur = valeur;
        valeurs_[indice] = valeur;
    }
    void Retirer_variable(const std::string& nom);
    // `source` is the body as the figure writes it and `ligne` the figure line that defines
    // the function, for messages.
    void Ajouter_fonction(const std::string& nom, std::string corps, const TListe_points& points,
                          Reel echelle, const std::string& parametre, std::string source = {},
                          int ligne = 0);
    // True when the body, as converted, depends only on the names known (no distance written
    // as two point names): given again while they stay, it would change nothing.
    bool Affecter_fonction(const std::string& nom, std::string corps, const TListe_points& points,
                           Reel echelle, const std::string& parametre);
    void Noms_libres(std::string& x, std::string& y) const;

    // The value of a text in figure notation. An empty text, a text that cannot be converted
    // and a rejected formula raise Erreur_formule; floating-point faults Erreur_calcul.
    // A text converted once is not converted again while the names it was converted
    // against stay (unless it holds distances, which depend on the points' positions), and
    // its tree is kept with it; the evaluator receives the variable names and functions
    // only when they have changed. The formula stays assigned to CalcExpress1, except a
    // plain numeral (see Valeur_numeral), whose value is read directly.
    Reel Evaluer_expression(const std::string& texte, const TListe_points& points, Reel echelle);
    // The same for a text the caller keeps in place (a step's formula): a text evaluated
    // before at the same address is found again without being copied, hashed or read. Its
    // formula is not left assigned to CalcExpress1.
    Reel Evaluer_expression_en_place(std::string_view texte, const TListe_points& points,
                                     Reel echelle);
    // Evaluer_expression_en_place for a text it has kept (given before at the same address,
    // the names unchanged since): true with its value; false, with nothing done, otherwise.
    bool Evaluer_en_place_si_retenu(std::string_view texte, Reel& valeur);
    // The value of a plain decimal numeral ("12", "-0.375", blanks around it), exactly what
    // Evaluer_expression gives for it; none for any other text, or a value out of range.
    // Evaluer_expression reads such numerals (most free points' parameters) without a formula.
    std::optional<Reel> Valeur_numeral(std::string_view texte);
    void Convertir_notation(std::string& texte, const TListe_points& points, Reel echelle);

  private:
    // What is remembered of the lists and of the texts given (converted texts with their
    // trees, shortcuts to texts and names given before, the versions they hold for), and a
    // converted text kept; both defined in variables.cpp.
    struct TMemoires;
    struct TConversion;
    void Noms_changes();
    void Definitions_changees();
    void Valider_conversions();
    void Indexer_variables();
    void Installer_definitions();
    bool Convertir_corps(std::string& corps, const TListe_points& points, Reel echelle,
                         const std::string& parametre);
    TConversion* Conversion_du_texte(const std::string& texte, const TListe_points& points,
                                     Reel echelle);
    TConversion* Conversion_nommee(const std::string& texte, const TListe_points& points,
                                   Reel echelle);
    Reel Evaluer_conversion(TConversion* conversion, std::string_view texte);
    Reel Evaluer_retenue(TConversion& conversion, std::string_view texte);
    std::optional<Reel> Numeral_non_vide(const std::string& texte);

    TListe_variables variables_;
    TCalc_liste_fonction_init fonctions_;
    char separateur_ = '.';
    // The variables' values in list order, kept beside the list (except while a function
    // body is converted with its temporary parameter) for the evaluator.
    std::vector<Reel> valeurs_;
    std::unique_ptr<TMemoires> memoires_;
};

// A variable that exists only while the object lives: a graph's abscissa while the graph is
// sampled, the tangent's while its slopes are computed.
class TVariable_provisoire {
  public:
    TVariable_provisoire(TForm2& form2, std::string nom, Reel valeur)
        : form2_(form2), nom_(std::move(nom))
    {
        form2_.Ajouter_variable(nom_, valeur);
    }
    TVariable_provisoire(const TVariable_provisoire&) = delete;
    TVariable_provisoire& operator=(const TVariable_provisoire&) = delete;
    ~TVariable_provisoire() { form2_.Retirer_variable(nom_); }
    const std::string& nom() const { return nom_; }

  private:
    TForm2& form2_;
    std::string nom_;
};

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG), "." when unknown.
char Separateur_decimal_utilisateur();

bool Est_operateur(std::string_view caractere);
bool Est_fonction_predefinie(std::string_view texte);

// Plain decimal text of x: at most 15 significant digits, "." as separator, never an
// exponent, whatever the locale.
std::string Reel_en_texte(Reel x);
// Appends Reel_en_texte(x) to the text.
void Ajouter_reel(std::string& texte, Reel x);
// Appends Reel_en_texte(x) cut after its first `decimales` decimals (0 or more) as curve
// data holds it: digits past the cut are dropped, not rounded, zeros before them stay, and
// a text without a point is whole. Infinities and NaN raise Erreur_calcul.
void Ajouter_reel_tronque(std::string& texte, Reel x, int decimales);

} // namespace trazel
