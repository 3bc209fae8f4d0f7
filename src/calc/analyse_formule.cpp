// The scanner and the parser of the evaluator: formula text to expression tree, operators
// bound by the priorities of one table, user function calls expanded in place (by
// arbre_formule.cpp).

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <limits>
#include <string_view>
#include <utility>

#include "calc/arbre_formule.h"

namespace trazel {

// Identifiers are ASCII, so folding A-Z is enough for the case-blind variable match.
bool Egaux_sans_casse(std::string_view a, std::string_view b)
{
    const auto minuscule = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return minuscule(x) == minuscule(y);
           });
}

namespace {

struct Predefinie {
    std::string_view nom;
    Genre genre;
};

// Names are matched case-sensitively: "Sin" is not the sine.
// clang-format off
constexpr std::array<Predefinie, 28> predefinies = {{
    {"cos", f_cos}, {"sin", f_sin}, {"tg", f_tan}, {"tan", f_tan}, {"ctg", f_ctg},
    {"abs", f_abs}, {"sgn", f_sgn}, {"sign", f_sgn}, {"sqrt", f_sqrt}, {"rac", f_sqrt},
    {"ln", f_ln}, {"exp", f_exp}, {"arcsin", f_arcsin}, {"arccos", f_arccos},
    {"arctg", f_arctan}, {"arctan", f_arctan}, {"arcctg", f_arcctg}, {"sh", f_sh},
    {"sinh", f_sh}, {"ch", f_ch}, {"cosh", f_ch}, {"th", f_th}, {"tanh", f_th}, {"cth", f_cth},
    {"coth", f_cth}, {"heaviside", f_heaviside}, {"h", f_heaviside}, {"int", f_int},
}};
// clang-format on

// The parser knows a built-in function by the range f_cos to f_int: every name above is in
// it, and every kind in it has a name.
constexpr bool Est_predefinie(std::int32_t genre)
{
    return genre >= f_cos && genre <= f_int;
}
static_assert([] {
    for (std::int32_t genre = 0; genre <= puissance; ++genre) {
        const bool nomme = std::any_of(predefinies.begin(), predefinies.end(),
                                       [&](const Predefinie& p) { return p.genre == genre; });
        if (nomme != Est_predefinie(genre))
            return false;
    }
    return true;
}());

[[noreturn]] void Rejeter()
{
    throw Rejet{};
}

bool Est_chiffre(char c)
{
    return c >= '0' && c <= '9';
}

bool Est_lettre(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool Est_car_identificateur(char c)
{
    return Est_lettre(c) || Est_chiffre(c) || c == '_' || c == '"' || c == '\'';
}

// Power of ten of the first significant digit of a literal written with '.'. Only its sign
// is used: it tells an overflow from an underflow when from_chars reports a range error.
long long Ordre_decimal(std::string_view texte)
{
    if (!texte.empty() && texte.front() == '-')
        texte.remove_prefix(1);
    long long exposant = 0;
    if (const auto e = texte.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view chiffres = texte.substr(e + 1);
        const bool negatif = chiffres.front() == '-';
        if (chiffres.front() == '+' || negatif)
            chiffres.remove_prefix(1);
        // A huge exponent saturates; halving keeps the sum below from overflowing.
        if (std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), exposant).ec !=
            std::errc{})
            exposant = LLONG_MAX / 2;
        exposant = negatif ? -exposant : exposant;
        texte = texte.substr(0, e);
    }
    const auto point = static_cast<long long>(std::min(texte.find('.'), texte.size()));
    const auto premier = texte.find_first_not_of("0.");
    if (premier == std::string_view::npos)
        return 0;
    const auto rang = static_cast<long long>(premier);
    return exposant + (rang < point ? point - rang - 1 : point - rang);
}

// The value of a literal as scanned. Out of range upward gives an infinity, which the
// evaluation reports as an overflow; downward (tiny or subnormal) gives 0.
Reel Valeur_litterale(std::string texte, char separateur)
{
    std::replace(texte.begin(), texte.end(), separateur, '.');
    Reel valeur = 0;
    const auto resultat = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (resultat.ec == std::errc::result_out_of_range)
        return Ordre_decimal(texte) > 0 ? std::numeric_limits<Reel>::infinity() : 0;
    return valeur;
}

// How the binary operators bind, one row each. An operator of higher priority takes its
// operands first: a+b*c is a+(b*c), a*b^c is a*(b^c). All associate to the left: a-b-c is
// (a-b)-c and a^b^c is (a^b)^c. The right operand of "^" is only a number or a variable, in
// parentheses or not.
enum class Associativite { gauche, droite };
enum class Operande_droit { operation, exposant };
struct Operateur {
    Genre jeton;
    int priorite; // from 1, the loosest
    Associativite associativite;
    Operande_droit droit;
};
// clang-format off
constexpr std::array<Operateur, 5> operateurs_binaires = {{
    {plus,      1, Associativite::gauche, Operande_droit::operation},
    {moins,     1, Associativite::gauche, Operande_droit::operation},
    {fois,      2, Associativite::gauche, Operande_droit::operation},
    {divise,    2, Associativite::gauche, Operande_droit::operation},
    {puissance, 3, Associativite::gauche, Operande_droit::exposant},
}};
// clang-format on

// The row of each token, by its number; null for a token that is no binary operator. The
// parser looks up every token that follows an operand.
constexpr std::array<const Operateur*, puissance + 1> operateurs_des_genres = [] {
    std::array<const Operateur*, puissance + 1> rangs{};
    for (const Operateur& o : operateurs_binaires)
        rangs[static_cast<std::size_t>(o.jeton)] = &o;
    return rangs;
}();

// Every token number is below puissance + 1.
constexpr const Operateur* Operateur_de(std::int32_t genre)
{
    return operateurs_des_genres[static_cast<std::size_t>(genre)];
}

// The "-" that may start an expression binds as loosely as the binary "-": it negates the
// operations tighter than it, so -a*b is -(a*b) and -a+b is (-a)+b.
constexpr int priorite_negation = Operateur_de(moins)->priorite;

// The scanner and the recursive-descent parser. One instance compiles the user functions,
// another the formula, for one assignment of Formula. `compilees` holds the functions
// compiled so far: a body calls only functions before it.
class Compilateur {
  public:
    Compilateur(const TDefinitions& definitions, const std::vector<TCalc_fonction>& compilees)
        : definitions_(definitions), compilees_(compilees), noms_(definitions.variables),
          fonctions_visibles_(definitions.fonctions.size())
    {
    }

    // The body of the i-th function, the functions before it being compiled.
    TCalc_fonction Compiler_corps(std::size_t i);
    std::unique_ptr<TCalc_noeud> Compiler(std::string_view texte);

  private:
    // Scanner.
    void Avancer();
    void Lire_nombre(std::size_t debut);
    void Lire_identificateur();
    void Classer(std::string_view nom);
    // Grammar.
    std::unique_ptr<TCalc_noeud> Expression();
    std::unique_ptr<TCalc_noeud> Operation(int limite);
    std::unique_ptr<TCalc_noeud> Suite(std::unique_ptr<TCalc_noeud> gauche, int limite);
    std::unique_ptr<TCalc_noeud> Primaire();
    std::unique_ptr<TCalc_noeud> Exposant();
    std::unique_ptr<TCalc_noeud> Feuille();
    // One more open parenthesis; too many would exhaust the parser's stack.
    void Ouvrir()
    {
        if (++profondeur_ > imbrication_maximale)
            throw Trop_grand{};
    }

    const TDefinitions& definitions_;
    const std::vector<TCalc_fonction>& compilees_;
    std::vector<std::string> noms_; // the variables, plus a body's parameter while compiled

    std::string_view texte_;
    std::size_t position_ = 0; // next character to scan
    std::int32_t genre_courant_ = fin_texte;
    std::string_view jeton_; // text of the current token
    int indice_ = -1;        // function or variable index of the current token
    int profondeur_ = 0;     // open parentheses

    // While a body is compiled: its parameter's index and the leaves found for it.
    int indice_parametre_ = -1;
    // The functions a name may call: those before the body being compiled, or all.
    std::size_t fonctions_visibles_;
    std::vector<const TCalc_noeud*>* feuilles_ = nullptr;
};

// A body is compiled with its parameter known as a variable (appended when no variable has
// exactly that name). A rejected body stays without a tree; only a call reports it.
TCalc_fonction Compilateur::Compiler_corps(std::size_t i)
{
    const TCalc_fonction_init& definition = definitions_.fonctions[i];
    const auto trouve = std::find(noms_.begin(), noms_.end(), definition.variable);
    const bool temporaire = trouve == noms_.end();
    if (temporaire)
        noms_.push_back(definition.variable);
    const auto parametre = temporaire ? noms_.size() - 1 : std::size_t(trouve - noms_.begin());
    indice_parametre_ = static_cast<int>(parametre);
    fonctions_visibles_ = i;
    TCalc_fonction compilee;
    feuilles_ = &compilee.feuilles;
    try {
        compilee.arbre = Compiler(definition.expression);
    } catch (const Trop_grand&) {
        compilee.feuilles.clear();
        compilee.trop_grand = true;
    } catch (const Rejet& rejet) {
        compilee.feuilles.clear();
        compilee.cause = rejet.fonction >= 0 ? rejet.fonction : static_cast<int>(i);
    }
    if (temporaire)
        noms_.pop_back();
    indice_parametre_ = -1;
    feuilles_ = nullptr;
    fonctions_visibles_ = definitions_.fonctions.size();
    return compilee;
}

// text: expression <end>, with balanced parentheses. Throws Rejet.
std::unique_ptr<TCalc_noeud> Compilateur::Compiler(std::string_view texte)
{
    texte_ = texte;
    position_ = 0;
    genre_courant_ = fin_texte;
    profondeur_ = 0;
    Avancer();
    auto racine = Expression();
    if (profondeur_ != 0 || genre_courant_ != fin_texte)
        Rejeter();
    return racine;
}

// token: " "* ( "(" | ")" | "+" | "-" | "*" | "/" | "^" | number | identifier | <end> )
void Compilateur::Avancer()
{
    while (position_ < texte_.size() && texte_[position_] == ' ')
        ++position_;
    if (position_ >= texte_.size()) {
        genre_courant_ = fin_texte;
        jeton_ = {};
        return;
    }
    const char c = texte_[position_];
    // The rank of the character in this text, added to ouvrante, is its kind.
    constexpr std::string_view operateurs = "()+-*/";
    static_assert(fermante == ouvrante + 1 && plus == ouvrante + 2 && moins == ouvrante + 3 &&
                  fois == ouvrante + 4 && divise == ouvrante + 5);
    if (const auto k = operateurs.find(c); k != std::string_view::npos) {
        // "-" glued to a digit at the start or after "(" is part of a negative literal.
        const bool litteral = c == '-' && position_ + 1 < texte_.size() &&
                              Est_chiffre(texte_[position_ + 1]) &&
                              (genre_courant_ == fin_texte || genre_courant_ == ouvrante);
        if (litteral) {
            Lire_nombre(position_++);
            return;
        }
        genre_courant_ = static_cast<std::int32_t>(k) + ouvrante;
        jeton_ = texte_.substr(position_++, 1);
    } else if (c == '^') {
        genre_courant_ = puissance;
        jeton_ = texte_.substr(position_++, 1);
    } else if (Est_chiffre(c)) {
        Lire_nombre(position_);
    } else if (Est_lettre(c) || c == '_') {
        Lire_identificateur();
    } else {
        Rejeter(); // a character outside the token set
    }
}

// number: ["-"] digit+ [separator digit+] [("e" | "E") ["+" | "-"] digit+]
// A separator or an exponent not followed by a digit is a wrong number.
void Compilateur::Lire_nombre(std::size_t debut)
{
    const auto chiffres = [this] {
        const std::size_t premier = position_;
        while (position_ < texte_.size() && Est_chiffre(texte_[position_]))
            ++position_;
        if (position_ == premier)
            Rejeter(); // "Wrong number."
    };
    const auto suivant = [this] { return position_ < texte_.size() ? texte_[position_] : '\0'; };
    chiffres();
    if (suivant() == definitions_.separateur) {
        ++position_;
        chiffres();
    }
    if (suivant() == 'e' || suivant() == 'E') {
        ++position_;
        if (suivant() == '+' || suivant() == '-')
            ++position_;
        chiffres();
    }
    genre_courant_ = nombre;
    jeton_ = texte_.substr(debut, position_ - debut);
}

// identifier: (letter | "_") (letter | digit | "_" | '"' | "'")*
void Compilateur::Lire_identificateur()
{
    const std::size_t debut = position_;
    while (position_ < texte_.size() && Est_car_identificateur(texte_[position_]))
        ++position_;
    jeton_ = texte_.substr(debut, position_ - debut);
    Classer(jeton_);
}

// A user function hides a built-in of the same name; anything else is a variable, found
// without regard to case. A name defined twice is found at its most recent definition, the
// one later lines of a figure mean (a function body sees only the functions before it). An
// unknown name is rejected.
void Compilateur::Classer(std::string_view nom)
{
    const auto& fonctions = definitions_.fonctions;
    const auto visibles = fonctions.rend() - static_cast<std::ptrdiff_t>(fonctions_visibles_);
    const auto f = std::find_if(visibles, fonctions.rend(),
                                [&](const TCalc_fonction_init& d) { return d.nom == nom; });
    if (f != fonctions.rend()) {
        genre_courant_ = appel;
        indice_ = static_cast<int>(fonctions.rend() - f) - 1;
        return;
    }
    const auto p = std::find_if(predefinies.begin(), predefinies.end(),
                                [&](const Predefinie& d) { return d.nom == nom; });
    if (p != predefinies.end()) {
        genre_courant_ = p->genre;
        return;
    }
    const auto v = std::find_if(noms_.rbegin(), noms_.rend(),
                                [&](const std::string& n) { return Egaux_sans_casse(n, nom); });
    if (v == noms_.rend())
        Rejeter();
    genre_courant_ = variable;
    indice_ = static_cast<int>(noms_.rend() - v) - 1;
}

// expression: ["-"] ["+"] operation ( ")" | <end> )
// An expression starts the text or follows "(", the only places a sign may stand. The ")"
// that ends an expression closes one parenthesis and is consumed here.
std::unique_ptr<TCalc_noeud> Compilateur::Expression()
{
    const bool negatif = genre_courant_ == moins;
    if (negatif)
        Avancer();
    if (genre_courant_ == plus)
        Avancer();
    auto gauche = Operation(priorite_negation);
    if (negatif)
        gauche = Lier(negation, std::move(gauche));
    gauche = Suite(std::move(gauche), 0);
    if (genre_courant_ == fermante) {
        --profondeur_;
        Avancer();
    } else if (genre_courant_ != fin_texte) {
        Rejeter();
    }
    return gauche;
}

// operation: primary { operator right-operand }, with operators tighter than `limite`
std::unique_ptr<TCalc_noeud> Compilateur::Operation(int limite)
{
    return Suite(Primaire(), limite);
}

// The operators tighter than `limite` that follow `gauche`, each with its right operand: a
// tighter operator that follows that operand takes it first (precedence climbing).
std::unique_ptr<TCalc_noeud> Compilateur::Suite(std::unique_ptr<TCalc_noeud> gauche, int limite)
{
    for (const Operateur* o = Operateur_de(genre_courant_); o != nullptr && o->priorite > limite;
         o = Operateur_de(genre_courant_)) {
        Avancer();
        std::unique_ptr<TCalc_noeud> droite;
        if (o->droit == Operande_droit::exposant)
            droite = Exposant();
        else
            droite = Operation(o->associativite == Associativite::gauche ? o->priorite
                                                                         : o->priorite - 1);
        gauche = Lier(o->jeton, std::move(gauche), std::move(droite));
    }
    return gauche;
}

// primary: "(" expression | number | variable | function "(" expression
std::unique_ptr<TCalc_noeud> Compilateur::Primaire()
{
    if (genre_courant_ == ouvrante) {
        Ouvrir();
        Avancer();
        return Expression();
    }
    if (genre_courant_ == nombre || genre_courant_ == variable)
        return Feuille();
    const bool fonction = Est_predefinie(genre_courant_) || genre_courant_ == appel;
    if (!fonction)
        Rejeter();
    const std::int32_t genre = genre_courant_;
    const int indice = indice_;
    Avancer();
    if (genre_courant_ != ouvrante)
        Rejeter();
    Ouvrir();
    Avancer();
    if (genre == appel) {
        auto argument = Expression();
        return Developper(compilees_[static_cast<std::size_t>(indice)], std::move(argument),
                          feuilles_);
    }
    return Lier(genre, Expression());
}

// exponent: number | variable | "(" (number | variable) ")"
std::unique_ptr<TCalc_noeud> Compilateur::Exposant()
{
    const bool entre_parentheses = genre_courant_ == ouvrante;
    if (entre_parentheses)
        Avancer();
    if (genre_courant_ != nombre && genre_courant_ != variable)
        Rejeter();
    auto feuille = Feuille();
    if (entre_parentheses) {
        if (genre_courant_ != fermante)
            Rejeter();
        Avancer();
    }
    return feuille;
}

// The current number or variable as a leaf; a body's parameter leaves are recorded.
std::unique_ptr<TCalc_noeud> Compilateur::Feuille()
{
    std::unique_ptr<TCalc_noeud> feuille;
    if (genre_courant_ == nombre) {
        feuille = Nouveau_noeud(nombre, std::string(jeton_));
        feuille->valeur = Valeur_litterale(feuille->texte, definitions_.separateur);
    } else {
        feuille = Nouveau_noeud(variable, std::to_string(indice_));
        feuille->indice = indice_;
        if (feuilles_ != nullptr && indice_ == indice_parametre_)
            feuilles_->push_back(feuille.get());
    }
    Avancer();
    return feuille;
}

} // namespace

std::vector<TCalc_fonction> Compiler_fonctions(const TDefinitions& definitions)
{
    std::vector<TCalc_fonction> compilees;
    compilees.reserve(definitions.fonctions.size());
    Compilateur compilateur(definitions, compilees);
    for (std::size_t i = 0; i < definitions.fonctions.size(); ++i)
        compilees.push_back(compilateur.Compiler_corps(i));
    return compilees;
}

std::unique_ptr<TCalc_noeud> Compiler_formule(std::string_view texte,
                                              const TDefinitions& definitions,
                                              const std::vector<TCalc_fonction>& compilees)
{
    return Compilateur(definitions, compilees).Compiler(texte);
}

} // namespace trazel
