// TForm2: the figure's variables and user functions, the evaluation of texts in figure
// notation, and what is remembered between evaluations so that a replayed construction or a
// sampled curve converts and compiles each text once.

#include "calc/conversion_chaines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <langinfo.h>
#include <locale.h>
#include <unordered_map>
#include <utility>

#include "calc/decimales.h"
#include "calc/notation.h"
#include "model/erreurs.h"
#include "model/mots.h"

namespace trazel {
namespace {

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

// pi as the figure's variables hold it: mantissa C90FDAA22168C236 (hex) with biased exponent
// 4000 (hex), i.e. the 64-bit integer mantissa times 2^-62. That is one unit in the last
// place above the correctly rounded pi (...C235), and figures rely on this exact value.
Reel Pi_figure()
{
    return std::ldexp(static_cast<Reel>(0xC90FDAA22168C236ULL), -62);
}

// Digits with at most one ".", at most 19 of them: n / 10^k with n < 10^19 and k <= 19 is
// one division of two exactly held values, rounded once to nearest, which is the correctly
// rounded value from_chars gives, without its detour through strtold. None for longer texts.
std::optional<Reel> Decimal_court(std::string_view texte)
{
    std::uint64_t n = 0;
    std::size_t chiffres = 0;
    std::size_t decimales = 0;
    bool apres_point = false;
    for (const char c : texte) {
        if (c == '.' && !apres_point) {
            apres_point = true;
            continue;
        }
        if (c < '0' || c > '9' || ++chiffres > 19)
            return std::nullopt;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
        decimales += apres_point ? 1 : 0;
    }
    if (chiffres == 0)
        return std::nullopt;
    return static_cast<Reel>(n) / static_cast<Reel>(puissances_de_dix[decimales]);
}

// Bounds the converted texts kept: a figure has far fewer distinct texts.
constexpr std::size_t conversions_maximum = 4096;
constexpr std::int64_t noeuds_gardes_maximum = 4 * taille_maximale;

// ["-"] digits [separator digits], the form of the numbers a figure's lines give.
bool Nombre_simple(std::string_view texte, char separateur)
{
    if (texte.starts_with('-'))
        texte.remove_prefix(1);
    const auto chiffres = [&] {
        std::size_t n = 0;
        while (n < texte.size() && texte[n] >= '0' && texte[n] <= '9')
            ++n;
        texte.remove_prefix(n);
        return n > 0;
    };
    if (!chiffres())
        return false;
    if (texte.empty())
        return true;
    if (texte.front() != separateur)
        return false;
    texte.remove_prefix(1);
    return chiffres() && texte.empty();
}

// A name is free when no variable and no function has it; otherwise the lettre followed by
// 1, 2, 3... is tried.
std::string Nom_libre(std::string nom, char lettre, const TForm2& form)
{
    const auto pris = [&](const std::string& n) {
        return std::any_of(form.Liste_variables.begin(), form.Liste_variables.end(),
                           [&](const Tvariable& v) { return v.nom == n; }) ||
               std::any_of(form.Liste_fonctions.begin(), form.Liste_fonctions.end(),
                           [&](const TCalc_fonction_init& f) { return f.nom == n; });
    };
    for (int k = 1; pris(nom); ++k)
        nom = lettre + Entier_en_texte(k);
    return nom;
}

} // namespace

// A text converted and kept, with the evaluator's tree of its conversion.
struct TForm2::TConversion {
    std::string converti;
    TCalcExpress::TCompilation compilation;
};

struct TForm2::TMemoires {
    // Raised whenever the names of the variables (in order) or of the functions, or the
    // separator, change; the second also when a function body does.
    std::uint64_t version_noms = 0;
    std::uint64_t version_definitions = 0;
    // The definitions version and the evaluator generation of the last installation.
    std::uint64_t version_installee = UINT64_MAX;
    std::uint64_t generation_installee = UINT64_MAX;
    // Converted texts, valid for version_conversions of the names: texts given to
    // Evaluer_expression, and function bodies by (parameter, body).
    std::uint64_t version_conversions = UINT64_MAX;
    std::unordered_map<std::string, TConversion> conversions;
    // Raised whenever the names change or conversions is cleared: the shortcuts below
    // hold entries of conversions and indices in the variables.
    std::uint64_t epoque = 0;
    // Texts given to Evaluer_expression_en_place: the kept conversion, or null for a plain
    // numeral with its value.
    struct TTexte_retenu {
        TConversion* conversion = nullptr;
        Reel valeur = 0;
    };
    // Enough slots for every formula a figure's loci replay: a locus whose texts share
    // slots converts them again at every sample.
    TRaccourcis<TTexte_retenu, 1024> textes_retenus;
    // Names given to Affecter_variable: the index of the most recent variable of the name.
    TRaccourcis<std::size_t> variables_retenues;
    // Nodes of the trees the kept conversions hold, within the evaluator's own bound.
    std::int64_t noeuds_gardes = 0;
    std::unordered_map<std::pair<std::string, std::string>, std::string, THachage_couple,
                       TEgalite_couple>
        corps_convertis;
    // The last body assigned to a function, as given, when its conversion is kept: while the
    // names stay, the same body given again to that name changes nothing, so a replayed
    // construction neither converts it again nor compares the converted texts.
    struct TAffectation_retenue {
        std::string nom;
        std::string corps;
        std::uint64_t version_noms = UINT64_MAX;
    };
    TAffectation_retenue affectation_retenue;
    bool nom_au_separateur = false; // some name starts with the decimal separator
    // The index of the most recent variable of each name.
    std::unordered_map<std::string, std::size_t> derniers;
    std::string converti; // a converted text that is not kept

    // Drops the converted texts and what refers to them, for the names `form` now has.
    void Oublier_conversions(const TForm2& form);
};

char Separateur_decimal_utilisateur()
{
    const locale_t locale = newlocale(LC_NUMERIC_MASK, "", locale_t{});
    if (locale == locale_t{})
        return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    // A multi-byte radix (some UTF-8 locales) cannot be a one-byte separator.
    const char separateur =
        radix != nullptr && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
    freelocale(locale);
    return separateur;
}

TForm2::TForm2() : memoires_(std::make_unique<TMemoires>())
{
    separateur_decimal(Separateur_decimal_utilisateur());
    Reinitialiser();
}

TForm2::~TForm2() = default;

void TForm2::separateur_decimal(char separateur)
{
    separateur_ = separateur;
    CalcExpress1.separateur_decimal = separateur;
    Noms_changes();
}

void TForm2::Reinitialiser()
{
    const Reel pi = Pi_figure();
    variables_ = {{"PI", pi}, {"Pi", pi}, {"pi", pi}, {"pI", pi}};
    valeurs_.assign(variables_.size(), pi);
    fonctions_.clear();
    Indexer_variables();
    Noms_changes();
}

void TForm2::Ajouter_variable(const std::string& nom, Reel valeur)
{
    variables_.push_back({nom, valeur});
    valeurs_.push_back(valeur);
    memoires_->derniers[nom] = variables_.size() - 1;
    Noms_changes();
}

std::uint64_t TForm2::Version_des_noms() const
{
    return memoires_->version_noms;
}

std::optional<std::size_t> TForm2::Indice_variable(const std::string& nom) const
{
    const auto v = memoires_->derniers.find(nom);
    if (v == memoires_->derniers.end())
        return std::nullopt;
    return v->second;
}

// The most recent variable of that name takes the value.
void TForm2::Affecter_variable(const std::string& nom, Reel valeur)
{
    TMemoires& m = *memoires_;
    std::size_t indice = 0;
    if (const std::size_t* retenu = m.variables_retenues.Trouver(nom, m.epoque)) {
        indice = *retenu;
    } else {
        const auto v = m.derniers.find(nom);
        if (v == m.derniers.end()) {
            Ajouter_variable(nom, valeur);
            return;
        }
        indice = v->second;
        m.variables_retenues.Retenir(nom, m.epoque, indice);
    }
    variables_[indice].valeur = valeur;
    valeurs_[indice] = valeur;
}

void TForm2::Retirer_variable(const std::string& nom)
{
    const auto v = memoires_->derniers.find(nom);
    if (v == memoires_->derniers.end())
        return;
    const auto indice = static_cast<std::ptrdiff_t>(v->second);
    valeurs_.erase(valeurs_.begin() + indice);
    variables_.erase(variables_.begin() + indice);
    Indexer_variables();
    Noms_changes();
}

void TForm2::Indexer_variables()
{
    auto& derniers = memoires_->derniers;
    derniers.clear();
    for (std::size_t i = 0; i < variables_.size(); ++i)
        derniers[variables_[i].nom] = i;
}

// The function is listed before its body is converted, as the conversion sees it; a body
// that cannot be converted leaves both lists as they were.
void TForm2::Ajouter_fonction(const std::string& nom, std::string corps,
                              const TListe_points& points, Reel echelle,
                              const std::string& parametre, std::string source, int ligne)
{
    if (source.empty())
        source = corps;
    std::replace(corps.begin(), corps.end(), '.', separateur_);
    fonctions_.push_back({nom, std::move(corps), parametre, std::move(source), ligne});
    Noms_changes();
    try {
        Convertir_corps(fonctions_.back().expression, points, echelle, parametre);
    } catch (...) {
        fonctions_.pop_back();
        Noms_changes();
        throw;
    }
}

// Only the body of the most recent function of that name changes; name and parameter stay.
// A body that converts to the text it already has changes nothing, so a replayed
// construction does not make the evaluator compile its functions again.
bool TForm2::Affecter_fonction(const std::string& nom, std::string corps,
                               const TListe_points& points, Reel echelle,
                               const std::string& parametre)
{
    TMemoires& m = *memoires_;
    TMemoires::TAffectation_retenue& retenue = m.affectation_retenue;
    if (retenue.version_noms == m.version_noms && retenue.nom == nom && retenue.corps == corps)
        return true;
    const auto f = std::find_if(fonctions_.rbegin(), fonctions_.rend(),
                                [&](const TCalc_fonction_init& g) { return g.nom == nom; });
    if (f == fonctions_.rend()) {
        Ajouter_fonction(nom, std::move(corps), points, echelle, parametre);
        return false; // the names have changed
    }
    std::string source = corps;
    std::replace(corps.begin(), corps.end(), '.', separateur_);
    const bool gardee = Convertir_corps(corps, points, echelle, f->variable);
    if (corps != f->expression) {
        f->expression = std::move(corps);
        Definitions_changees();
    }
    if (gardee)
        retenue = {nom, std::move(source), m.version_noms};
    else
        retenue.version_noms = UINT64_MAX;
    return gardee;
}

void TForm2::Noms_libres(std::string& x, std::string& y) const
{
    x = Nom_libre(std::move(x), 'X', *this);
    y = Nom_libre(std::move(y), 'Y', *this);
}

// Errors carry the text as the caller wrote it, not its converted form.
Reel TForm2::Evaluer_expression(const std::string& texte, const TListe_points& points, Reel echelle)
{
    if (const std::optional<Reel> valeur = Numeral_non_vide(texte))
        return *valeur;
    return Evaluer_conversion(Conversion_nommee(texte, points, echelle), texte);
}

bool TForm2::Evaluer_en_place_si_retenu(std::string_view texte, Reel& valeur)
{
    TMemoires& m = *memoires_;
    const TMemoires::TTexte_retenu* retenu = m.textes_retenus.Trouver(texte, m.epoque);
    if (retenu == nullptr)
        return false;
    valeur = retenu->conversion == nullptr ? retenu->valeur
                                           : Evaluer_retenue(*retenu->conversion, texte);
    return true;
}

Reel TForm2::Evaluer_expression_en_place(std::string_view texte, const TListe_points& points,
                                         Reel echelle)
{
    if (Reel valeur = 0; Evaluer_en_place_si_retenu(texte, valeur))
        return valeur;
    TMemoires& m = *memoires_;
    const std::string copie(texte);
    const std::optional<Reel> numeral = Numeral_non_vide(copie);
    TConversion* conversion = numeral ? nullptr : Conversion_nommee(copie, points, echelle);
    // Not kept: converted again at every evaluation.
    if (!numeral && conversion == nullptr)
        return Evaluer_conversion(nullptr, copie);
    // The lookups above may have cleared the kept conversions: the text is retained after.
    m.textes_retenus.Retenir(texte, m.epoque, {conversion, numeral.value_or(0)});
    return numeral ? *numeral : Evaluer_retenue(*conversion, copie);
}

// Valeur_numeral, after refusing an empty text.
std::optional<Reel> TForm2::Numeral_non_vide(const std::string& texte)
{
    if (texte.find_first_not_of(' ') == std::string::npos)
        throw Erreur_formule("Expression vide", texte);
    return Valeur_numeral(texte);
}

// The value of a kept conversion found in place: its tree, while current, is evaluated
// without being assigned. Installing the definitions raises nothing: it only hands the
// names and bodies over.
Reel TForm2::Evaluer_retenue(TConversion& conversion, std::string_view texte)
{
    Installer_definitions();
    if (CalcExpress1.A_jour(conversion.compilation))
        return CalcExpress1.Evaluate(conversion.compilation, valeurs_);
    return Evaluer_conversion(&conversion, texte);
}

// Conversion_du_texte, with errors naming the text as given.
TForm2::TConversion* TForm2::Conversion_nommee(const std::string& texte,
                                               const TListe_points& points, Reel echelle)
{
    try {
        return Conversion_du_texte(texte, points, echelle);
    } catch (const Erreur_formule& e) {
        throw e.Pour_le_texte(texte);
    }
}

// The value of a converted text, assigned to CalcExpress1: the kept conversion with its
// tree, or the conversion not kept for none. Errors name `texte`.
Reel TForm2::Evaluer_conversion(TConversion* conversion, std::string_view texte)
{
    TMemoires& m = *memoires_;
    try {
        Installer_definitions();
        if (conversion == nullptr) {
            CalcExpress1.Formula(m.converti);
        } else {
            // The trees kept beside the texts hold few enough nodes in all: a tree that
            // would pass the bound is not kept.
            TCalcExpress::TCompilation& memo = conversion->compilation;
            const auto noeuds = [&] { return memo.programme ? memo.noeuds : 0; };
            const std::int64_t avant = noeuds();
            CalcExpress1.Formula(conversion->converti, memo);
            m.noeuds_gardes += noeuds() - avant;
            if (m.noeuds_gardes > noeuds_gardes_maximum) {
                m.noeuds_gardes -= noeuds();
                memo = {};
            }
        }
    } catch (const Erreur_formule& e) {
        throw e.Pour_le_texte(std::string(texte));
    }
    return CalcExpress1.Evaluate(valeurs_);
}

void TForm2::Noms_changes()
{
    ++memoires_->version_noms;
    ++memoires_->epoque;
    Definitions_changees();
}

void TForm2::Definitions_changees()
{
    ++memoires_->version_definitions;
}

// The converted texts kept were converted against the current names. The check comes with
// every text evaluated, the clearing seldom: it stays out of the way.
void TForm2::Valider_conversions()
{
    TMemoires& m = *memoires_;
    if (m.version_conversions != m.version_noms || m.conversions.size() >= conversions_maximum ||
        m.corps_convertis.size() >= conversions_maximum)
        m.Oublier_conversions(*this);
}

void TForm2::TMemoires::Oublier_conversions(const TForm2& form)
{
    conversions.clear();
    ++epoque;
    noeuds_gardes = 0;
    corps_convertis.clear();
    version_conversions = version_noms;
    const auto au_separateur = [&](const std::string& nom) {
        return !nom.empty() && nom.front() == form.separateur_;
    };
    nom_au_separateur =
        std::any_of(form.variables_.begin(), form.variables_.end(),
                    [&](const Tvariable& v) { return au_separateur(v.nom); }) ||
        std::any_of(form.fonctions_.begin(), form.fonctions_.end(),
                    [&](const TCalc_fonction_init& f) { return au_separateur(f.nom); });
}

std::optional<Reel> TForm2::Valeur_numeral(std::string_view texte)
{
    Valider_conversions();
    texte = Sans_espaces_autour(texte);
    // The texts the conversion passes on unchanged: the evaluator reads "-x" as the
    // negation of x, which is exact, so from_chars gives its value.
    if (memoires_->nom_au_separateur || !Nombre_simple(texte, '.'))
        return std::nullopt;
    const bool negatif = texte.front() == '-';
    if (negatif)
        texte.remove_prefix(1);
    Reel valeur = 0;
    if (const std::optional<Reel> v = Decimal_court(texte)) {
        valeur = *v;
    } else {
        const auto lu = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
        if (lu.ec != std::errc{} || !std::isfinite(valeur))
            return std::nullopt; // out of range: the evaluator's fault
    }
    return negatif ? -valeur : valeur;
}

// The kept conversion of the text, with "." as the separator of the user's locale; null
// for a conversion not kept, then in memoires_->converti. A conversion that wrote distances
// depends on the points' positions and is not kept.
TForm2::TConversion* TForm2::Conversion_du_texte(const std::string& texte,
                                                 const TListe_points& points, Reel echelle)
{
    Valider_conversions();
    TMemoires& m = *memoires_;
    if (const auto trouve = m.conversions.find(texte); trouve != m.conversions.end())
        return &trouve->second;
    std::string local = texte;
    std::replace(local.begin(), local.end(), '.', separateur_);
    // Digits with one separator hold no name, no product and no distance to rewrite, as long
    // as no name starts with the separator.
    if (Nombre_simple(local, separateur_) && !m.nom_au_separateur) {
        m.converti = std::move(local);
        return nullptr;
    }
    TTexte_converti converti = Convertir_en_formule(std::move(local), *this, points, echelle);
    m.converti = std::move(converti.texte);
    if (converti.distances)
        return nullptr;
    return &m.conversions.emplace(texte, TConversion{m.converti, {}}).first->second;
}

// A body is converted with its parameter known as a variable, so that 2t becomes 2*t; the
// parameter is a temporary last variable when no variable has its name. The temporary
// variable is gone again before anything else sees the lists. True when the conversion is
// kept (it holds no distance): the same body converts to the same text while the names stay.
bool TForm2::Convertir_corps(std::string& corps, const TListe_points& points, Reel echelle,
                             const std::string& parametre)
{
    Valider_conversions();
    auto& corps_convertis = memoires_->corps_convertis;
    if (const auto trouve =
            corps_convertis.find(std::pair<std::string_view, std::string_view>(parametre, corps));
        trouve != corps_convertis.end()) {
        corps = trouve->second;
        return true;
    }
    auto cle = std::make_pair(parametre, corps);
    const bool temporaire = std::none_of(variables_.begin(), variables_.end(),
                                         [&](const Tvariable& v) { return v.nom == parametre; });
    // Only the names matter to the conversion: the values are left as they are.
    if (temporaire)
        variables_.push_back({parametre, 0});
    TTexte_converti converti;
    try {
        converti = Convertir_en_formule(std::move(corps), *this, points, echelle);
    } catch (...) {
        if (temporaire)
            variables_.pop_back();
        throw;
    }
    if (temporaire)
        variables_.pop_back();
    corps = std::move(converti.texte);
    if (converti.distances)
        return false;
    corps_convertis.emplace(std::move(cle), corps);
    return true;
}

// The evaluator keeps its compiled functions while it holds the same definitions.
void TForm2::Installer_definitions()
{
    TMemoires& m = *memoires_;
    if (m.version_installee == m.version_definitions &&
        m.generation_installee == CalcExpress1.Generation())
        return;
    std::vector<std::string> noms;
    noms.reserve(variables_.size());
    for (const Tvariable& v : variables_)
        noms.push_back(v.nom);
    CalcExpress1.Fonctions(fonctions_);
    CalcExpress1.Variables(std::move(noms));
    m.version_installee = m.version_definitions;
    m.generation_installee = CalcExpress1.Generation();
}

} // namespace trazel
