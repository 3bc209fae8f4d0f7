#pragma once
// Numeric text: the figure's variables and user functions, the conversion of figure notation
// (implicit products, distances written as two point names) into evaluator syntax, its
// evaluation, and the writing of reals as plain decimal text.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// Values found for texts that callers keep in place and give again, such as a step's
// formula or name replayed at each sample of a locus. A slot is chosen by the text's
// address and holds a copy of the text, so another text at that address only misses. A
// value holds for the epoch it was found in.
template <class T, std::size_t N = 64> class TRaccourcis {
public:
    const T* Trouver(std::string_view texte, std::uint64_t epoque) const
    {
        const TCase& c = Case(texte);
        return c.epoque == epoque && c.texte == texte ? &c.valeur : nullptr;
    }
    void Retenir(std::string_view texte, std::uint64_t epoque, T valeur)
    {
        TCase& c = Case(texte);
        c.texte.assign(texte);
        c.epoque = epoque;
        c.valeur = std::move(valeur);
    }

private:
    struct TCase {
        std::string texte;
        std::uint64_t epoque = UINT64_MAX;
        T valeur{};
    };
    std::array<TCase, N> cases_;

    TCase& Case(std::string_view texte)
    {
        return const_cast<TCase&>(std::as_const(*this).Case(texte));
    }
    const TCase& Case(std::string_view texte) const
    {
        // Texts lie at least 16 bytes apart (in-object buffers and heap blocks alike).
        const auto adresse = reinterpret_cast<std::uintptr_t>(texte.data());
        return cases_[(adresse >> 4) % N];
    }
};

// The holder of the evaluator and of the figure's variables and user functions. One exists
// per program (the desktop program) or per run (the command line); it is never shown.
class TForm2 {
public:
    TForm2(); // separator from the user's locale, then Reinitialiser
    // The views below refer to this object's own lists.
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

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
    void Retirer_variable(const std::string& nom);
    // `source` is the body as the figure writes it and `ligne` the figure line that defines
    // the function, for messages.
    void Ajouter_fonction(const std::string& nom, std::string corps, const TListe_points& points,
                          Reel echelle, const std::string& parametre, std::string source = {},
                          int ligne = 0);
    void Affecter_fonction(const std::string& nom, std::string corps,
                           const TListe_points& points, Reel echelle,
                           const std::string& parametre);
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
    // The value of a plain decimal numeral ("12", "-0.375", blanks around it), exactly what
    // Evaluer_expression gives for it; none for any other text, or a value out of range.
    // Evaluer_expression reads such numerals (most free points' parameters) without a formula.
    std::optional<Reel> Valeur_numeral(std::string_view texte);
    void Convertir_notation(std::string& texte, const TListe_points& points, Reel echelle);

private:
    void Noms_changes();
    void Definitions_changees() { ++version_definitions_; }
    void Valider_conversions();
    // A text converted and kept, with the evaluator's tree of its conversion.
    struct TConversion {
        std::string converti;
        TCalcExpress::TCompilation compilation;
    };
    // The kept conversion of the text; null for a conversion not kept, then in converti_.
    TConversion* Conversion_du_texte(const std::string& texte, const TListe_points& points,
                                     Reel echelle);
    // True when the conversion is kept (it holds no distance): the same body converts to
    // the same text while the names stay.
    bool Convertir_corps(std::string& corps, const TListe_points& points, Reel echelle,
                         const std::string& parametre);
    void Installer_definitions();
    void Indexer_variables();
    // Conversion_du_texte, with errors naming the text as given.
    TConversion* Conversion_nommee(const std::string& texte, const TListe_points& points,
                                   Reel echelle);
    // The value of a converted text, assigned to CalcExpress1: the kept conversion with its
    // tree, or converti_ for none. Errors name `texte`.
    Reel Evaluer_conversion(TConversion* conversion, std::string_view texte);
    // The same for a kept conversion found in place: its tree, while current, is evaluated
    // without being assigned.
    Reel Evaluer_retenue(TConversion& conversion, std::string_view texte);
    // Valeur_numeral, after refusing an empty text.
    std::optional<Reel> Numeral_non_vide(const std::string& texte);

    // (parameter, body) keys, looked up by views without copying the texts.
    struct THachage_couple {
        using is_transparent = void;
        template <class A, class B> std::size_t operator()(const std::pair<A, B>& c) const
        {
            const std::hash<std::string_view> h;
            return h(c.first) * 31 + h(c.second);
        }
    };
    struct TEgalite_couple {
        using is_transparent = void;
        template <class A, class B, class C, class D>
        bool operator()(const std::pair<A, B>& x, const std::pair<C, D>& y) const
        {
            return std::string_view(x.first) == std::string_view(y.first) &&
                   std::string_view(x.second) == std::string_view(y.second);
        }
    };

    TListe_variables variables_;
    TCalc_liste_fonction_init fonctions_;
    char separateur_ = '.';
    // Raised whenever the names of the variables (in order) or of the functions, or the
    // separator, change; the second also when a function body does.
    std::uint64_t version_noms_ = 0;
    std::uint64_t version_definitions_ = 0;
    // The definitions version and the evaluator generation of the last installation.
    std::uint64_t version_installee_ = UINT64_MAX;
    std::uint64_t generation_installee_ = UINT64_MAX;
    // Converted texts, valid for version_conversions_ of the names: texts given to
    // Evaluer_expression, and function bodies by (parameter, body).
    std::uint64_t version_conversions_ = UINT64_MAX;
    std::unordered_map<std::string, TConversion> conversions_;
    // Raised whenever the names change or conversions_ is cleared: the shortcuts below
    // hold entries of conversions_ and indices in the variables.
    std::uint64_t epoque_ = 0;
    // Texts given to Evaluer_expression_en_place: the kept conversion, or null for a plain
    // numeral with its value.
    struct TTexte_retenu {
        TConversion* conversion = nullptr;
        Reel valeur = 0;
    };
    TRaccourcis<TTexte_retenu> textes_retenus_;
    // Names given to Affecter_variable: the index of the most recent variable of the name.
    TRaccourcis<std::size_t> variables_retenues_;
    // Nodes of the trees the kept conversions hold, within the evaluator's own bound.
    std::int64_t noeuds_gardes_ = 0;
    std::unordered_map<std::pair<std::string, std::string>, std::string, THachage_couple,
                       TEgalite_couple>
        corps_convertis_;
    // The last body assigned to a function, as given, when its conversion is kept: while the
    // names stay, the same body given again to that name changes nothing, so a replayed
    // construction neither converts it again nor compares the converted texts.
    struct TAffectation_retenue {
        std::string nom;
        std::string corps;
        std::uint64_t version_noms = UINT64_MAX;
    };
    TAffectation_retenue affectation_retenue_;
    bool nom_au_separateur_ = false; // some name starts with the decimal separator
    // The index of the most recent variable of each name.
    std::unordered_map<std::string, std::size_t> derniers_;
    std::string converti_; // a converted text that is not kept
    // The variables' values in list order, kept beside the list (except while a function
    // body is converted with its temporary parameter) for the evaluator.
    std::vector<Reel> valeurs_;
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

} // namespace trazel
