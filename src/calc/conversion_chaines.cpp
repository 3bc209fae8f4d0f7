#include "calc/conversion_chaines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <langinfo.h>
#include <optional>
#include <locale.h>

#include "calc/arbre_formule.h" // the size of the trees kept with conversions
#include "calc/noms.h"
#include "model/erreurs.h"
#include "model/mots.h"

namespace trazel {
namespace {

// pi as the figure's variables hold it: mantissa C90FDAA22168C236 (hex) with biased exponent
// 4000 (hex), i.e. the 64-bit integer mantissa times 2^-62. That is one unit in the last
// place above the correctly rounded pi (...C235), and figures rely on this exact value.
Reel Pi_figure()
{
    return std::ldexp(static_cast<Reel>(0xC90FDAA22168C236ULL), -62);
}

std::string Entier_en_texte(int n)
{
    std::array<char, 16> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), n).ptr;
    return std::string(tampon.data(), fin);
}

// A finite real rounded to 15 significant digits: d1.d2d3... times 10^exposant.
struct Decimales {
    bool negatif = false;
    std::string chiffres; // without trailing zeros; "0" for zero
    int exposant = 0;     // power of ten of the first digit
};

// 10^0 to 10^19, the powers of ten below 2^64.
constexpr std::array<std::uint64_t, 20> puissances_de_dix = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k)
        p[k] = p[k - 1] * 10;
    return p;
}();

// N = |x| * 10^p rounded to the nearest integer, ties to even, computed exactly: |x| is
// m / 2^decalage with the 64-bit mantissa m, so m * 10^p fits in 128 bits for p <= 19.
std::uint64_t Arrondi_decimal(std::uint64_t m, int decalage, int p)
{
    using U128 = unsigned __int128;
    const U128 produit = static_cast<U128>(m) * puissances_de_dix[std::size_t(p)];
    const auto d = static_cast<unsigned>(decalage);
    const U128 reste = produit & ((static_cast<U128>(1) << d) - 1);
    const U128 moitie = static_cast<U128>(1) << (d - 1);
    auto n = static_cast<std::uint64_t>(produit >> d);
    if (reste > moitie || (reste == moitie && (n & 1U) != 0))
        ++n;
    return n;
}

// |x| rounded to 15 significant digits: n * 10^(exposant - 14), 10^14 <= n < 10^15.
struct TArrondi {
    std::uint64_t n = 0;
    int exposant = 0;
    bool negatif = false;
};

// The rounding of the general conversion (to nearest, ties to even), by exact integer
// arithmetic; none outside 1e-5 <= |x| < 1e15, where the powers of ten or the shifts would
// not fit. This is the range of almost every number a picture holds, and to_chars goes
// through the C library's printf for long doubles, many times slower.
std::optional<TArrondi> Arrondir_vite(Reel x)
{
    if (!(std::fabs(x) >= 1e-5L && std::fabs(x) < 1e15L))
        return std::nullopt;
    // The x87 format: a 64-bit mantissa with its leading bit, then the sign and the biased
    // exponent; |x| = m 2^(exposant - 16383 - 63).
    std::uint64_t m = 0;
    std::uint16_t signe_exposant = 0;
    std::memcpy(&m, &x, sizeof m);
    std::memcpy(&signe_exposant, reinterpret_cast<const char*>(&x) + sizeof m,
                sizeof signe_exposant);
    const int e2 = (signe_exposant & 0x7FFF) - 16383 + 1; // 2^(e2-1) <= |x| < 2^e2
    const int decalage = 64 - e2;                          // between 14 and 81 in this range
    // About (e2 - 1) log10 2 rounded down (78913 / 2^18 is log10 2 to 6 digits); floor(log10
    // |x|) is within one of it, and a wrong guess shows in n's digits.
    int e10 = ((e2 - 1) * 78913) >> 18;
    for (int essai = 0; essai < 3; ++essai) {
        const int p = 14 - e10;
        if (p < 0 || p > 19)
            return std::nullopt;
        const std::uint64_t n = Arrondi_decimal(m, decalage, p);
        if (n >= puissances_de_dix[15])
            ++e10; // too low a guess, or rounded up to the next power of ten
        else if (n < puissances_de_dix[14])
            --e10;
        else
            return TArrondi{n, e10, x < 0};
    }
    return std::nullopt;
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

// The 15 digits of n (10^14 <= n < 10^15) without their trailing zeros, into `chiffres`;
// returns their count. Two halves of 32 bits divide faster than the whole.
std::size_t Chiffres(std::uint64_t n, std::array<char, 20>& chiffres)
{
    // Two digits at a time: pictures write hundreds of thousands of numbers.
    static constexpr char paires[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    auto haut = static_cast<std::uint32_t>(n / 100000000U); // 7 digits
    auto bas = static_cast<std::uint32_t>(n % 100000000U);  // 8 digits
    for (std::size_t i = 15; i > 7; i -= 2, bas /= 100)
        std::memcpy(&chiffres[i - 2], &paires[2 * (bas % 100)], 2);
    for (std::size_t i = 7; i > 1; i -= 2, haut /= 100)
        std::memcpy(&chiffres[i - 2], &paires[2 * (haut % 100)], 2);
    chiffres[0] = static_cast<char>('0' + haut);
    std::size_t compte = 15;
    while (compte > 1 && chiffres[compte - 1] == '0')
        --compte;
    return compte;
}

// to_chars in scientific form with 14 decimals is correctly rounded to 15 digits and never
// looks at the locale; its text "[-]d.ddddddddddddddde[+-]dd" is taken apart here.
Decimales Decomposer(Reel x)
{
    if (const std::optional<TArrondi> a = Arrondir_vite(x)) {
        std::array<char, 20> chiffres{};
        return {a->negatif, std::string(chiffres.data(), Chiffres(a->n, chiffres)), a->exposant};
    }
    std::array<char, 64> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), x,
                                   std::chars_format::scientific, 14)
                         .ptr;
    std::string_view s(tampon.data(), static_cast<std::size_t>(fin - tampon.data()));
    Decimales d;
    d.negatif = s.front() == '-';
    if (d.negatif)
        s.remove_prefix(1);
    const auto e = s.find('e');
    d.chiffres = std::string(1, s[0]).append(s.substr(2, e - 2));
    std::string_view exposant = s.substr(e + 1);
    if (exposant.front() == '+')
        exposant.remove_prefix(1); // from_chars takes no "+"
    std::from_chars(exposant.data(), exposant.data() + exposant.size(), d.exposant);
    const auto dernier = d.chiffres.find_last_not_of('0');
    d.chiffres.erase(dernier == std::string::npos ? 1 : dernier + 1);
    if (d.chiffres == "0")
        d = Decimales{false, "0", 0}; // -0 is written 0
    return d;
}

// Plain decimal form, appended: no exponent, no trailing zero, no trailing separator.
void Disposer(std::string& s, bool negatif, std::string_view chiffres, int exposant,
              char separateur)
{
    const int n = static_cast<int>(chiffres.size());
    if (negatif)
        s += '-';
    if (exposant < 0) {
        s += '0';
        s += separateur;
        s.append(static_cast<std::size_t>(-exposant - 1), '0');
        s += chiffres;
    } else if (exposant + 1 >= n) {
        s += chiffres;
        s.append(static_cast<std::size_t>(exposant + 1 - n), '0');
    } else {
        const auto entiers = static_cast<std::size_t>(exposant + 1);
        s += chiffres.substr(0, entiers);
        s += separateur;
        s += chiffres.substr(entiers);
    }
}

std::string Ecrire_fixe(const Decimales& d, char separateur)
{
    std::string s;
    Disposer(s, d.negatif, d.chiffres, d.exposant, separateur);
    return s;
}

// The general real-to-text form used inside converted formulas: plain decimals, except
// "mantissa E exponent" (1,2E-17, 1.5E20) below 0.00001 or beyond 15 integer digits. The
// evaluator's scanner reads both forms back.
std::string Texte_general(Reel x, char separateur)
{
    const Decimales d = Decomposer(Controler(x));
    if (d.chiffres == "0" || (d.exposant >= -5 && d.exposant < 15))
        return Ecrire_fixe(d, separateur);
    std::string s = d.negatif ? "-" : "";
    s += d.chiffres[0];
    if (d.chiffres.size() > 1) {
        s += separateur;
        s.append(d.chiffres, 1);
    }
    return s + "E" + Entier_en_texte(d.exposant);
}

bool Est_lettre(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int Longueur(const std::string& s)
{
    return static_cast<int>(s.size());
}

// The four passes that rewrite figure notation into evaluator syntax. Positions are
// 1-based, like the recorded (position, length) lists; an insertion at q moves every
// recorded position at or after q.
class Conversion {
  public:
    Conversion(const TForm2& form, const TListe_points& points, Reel echelle)
        : form_(form), points_(points), echelle_(echelle)
    {
    }
    std::string Convertir(std::string texte);
    // Whether two point names were replaced by their distance, a value of the points'
    // current positions.
    bool A_des_distances() const { return distances_; }

  private:
    char Car(int q) const
    {
        return q >= 1 && q <= Longueur(texte_) ? texte_[std::size_t(q - 1)] : '\0';
    }
    bool Apres_operateur(int q) const;
    bool Debut_de_nom(int q) const;
    void Decaler(int q, int delta);
    void Inserer_produit(int q);
    int Separer(int q);
    int Sauter(int q, std::size_t listes) const;
    void Regle_parenthese(int q);
    void Fonctions_predefinies();
    int Fonction_en_tete(int q, int m) const;
    void Fonctions_utilisateur();
    int Variable_en_tete(int q, int n) const;
    void Variables();
    int Distance(int q);
    void Distances();

    const TForm2& form_;
    const TListe_points& points_;
    Reel echelle_;
    std::string initial_; // the text as given, for error messages
    std::string texte_;
    // Built-in function names ("(" included), user function names, variable names.
    std::array<TListe_couples_entiers, 3> noms_;
    bool distances_ = false;
};

std::string Conversion::Convertir(std::string texte)
{
    initial_ = texte;
    texte_ = std::move(texte);
    Fonctions_predefinies();
    Fonctions_utilisateur();
    Variables();
    Distances();
    return texte_;
}

bool Conversion::Apres_operateur(int q) const
{
    return q > 1 && Est_operateur(std::string_view(&texte_[std::size_t(q - 2)], 1));
}

// A user function or variable name cannot start with an operator, ")" or a digit.
bool Conversion::Debut_de_nom(int q) const
{
    const char c = Car(q);
    return c != '\0' && !Est_operateur(std::string_view(&c, 1)) && c != ')' &&
           !(c >= '0' && c <= '9');
}

void Conversion::Decaler(int q, int delta)
{
    for (auto& liste : noms_)
        for (auto& [position, longueur] : liste)
            if (position >= q)
                position += delta;
}

void Conversion::Inserer_produit(int q)
{
    texte_.insert(std::size_t(q - 1), 1, '*');
    Decaler(q, 1);
}

// A name at q that follows an operand gets a "*" before it (2x -> 2*x); returns the name's
// new position.
int Conversion::Separer(int q)
{
    if (q == 1 || Apres_operateur(q))
        return q;
    Inserer_produit(q);
    return q + 1;
}

// Jumps over the names recorded by the first `listes` passes that start at q: a built-in
// name with its "(", a user function name and the "(" after it, a variable name.
int Conversion::Sauter(int q, std::size_t listes) const
{
    for (bool saute = true; saute;) {
        saute = false;
        for (std::size_t k = 0; k < listes; ++k)
            for (const auto& [position, longueur] : noms_[k])
                if (position == q) {
                    q += longueur + (k == 1 ? 1 : 0);
                    saute = true;
                }
    }
    return q;
}

// "(" after an operand is a product: 2(x+1) -> 2*(x+1), )( -> )*(.
void Conversion::Regle_parenthese(int q)
{
    if (Car(q) == '(' && q > 1 && !Apres_operateur(q))
        Inserer_produit(q);
}

// Pass 1: the built-in prefixes of Est_fonction_predefinie, tried with lengths 3 to 7.
void Conversion::Fonctions_predefinies()
{
    int q = 1;
    while (q <= Longueur(texte_)) {
        int longueur = 0;
        for (int n = 3; n <= 7 && longueur == 0; ++n)
            if (q + n - 1 <= Longueur(texte_) &&
                Est_fonction_predefinie(
                    std::string_view(texte_).substr(std::size_t(q - 1), std::size_t(n))))
                longueur = n;
        if (longueur == 0) {
            ++q;
            continue;
        }
        noms_[0].emplace_back(q, longueur);
        q = Separer(q) + longueur;
    }
}

// The length of the user function name at q: the text up to the first "(", at most m
// characters, compared with the names from the last defined to the first; 0 for none.
int Conversion::Fonction_en_tete(int q, int m) const
{
    if (!Debut_de_nom(q))
        return 0;
    const auto debut = std::size_t(q - 1);
    const auto parenthese = std::min(texte_.find('(', debut), texte_.size());
    const auto n = std::min(parenthese - debut, std::size_t(m));
    const std::string_view candidat = std::string_view(texte_).substr(debut, n);
    const auto& fonctions = form_.Liste_fonctions;
    for (auto f = fonctions.rbegin(); f != fonctions.rend(); ++f)
        if (f->nom == candidat)
            return Longueur(f->nom);
    return 0;
}

// Pass 2: user function names, each followed by its "(" which is skipped with it.
void Conversion::Fonctions_utilisateur()
{
    int m = 0;
    for (const auto& f : form_.Liste_fonctions)
        m = std::max(m, Longueur(f.nom));
    int q = 1;
    while (q <= Longueur(texte_)) {
        q = Sauter(q, 1);
        const int longueur = m > 0 ? Fonction_en_tete(q, m) : 0;
        if (longueur == 0) {
            ++q;
            continue;
        }
        noms_[1].emplace_back(q, longueur);
        q = Separer(q) + longueur + 1;
    }
}

// The length of the variable name at q: prefixes from 1 to n characters, each tried on the
// variables in list order, so the shortest matching name wins; 0 for none.
int Conversion::Variable_en_tete(int q, int n) const
{
    if (!Debut_de_nom(q))
        return 0;
    const std::string_view reste = std::string_view(texte_).substr(std::size_t(q - 1));
    for (std::size_t longueur = 1; longueur <= std::size_t(n) && longueur <= reste.size();
         ++longueur)
        for (const auto& v : form_.Liste_variables)
            if (v.nom == reste.substr(0, longueur))
                return static_cast<int>(longueur);
    return 0;
}

// Pass 3: variable names, and products before "(".
void Conversion::Variables()
{
    int n = 0;
    for (const auto& v : form_.Liste_variables)
        n = std::max(n, Longueur(v.nom));
    int q = 1;
    while (q <= Longueur(texte_)) {
        q = Sauter(q, 2);
        Regle_parenthese(q);
        const int longueur = Variable_en_tete(q, n);
        if (longueur == 0) {
            ++q;
            continue;
        }
        noms_[2].emplace_back(q, longueur);
        q = Separer(q) + longueur;
    }
}

// Two point names at q stand for their distance divided by the scale: AB -> (2.5). Returns
// the position of the closing ")".
int Conversion::Distance(int q)
{
    q = Separer(q);
    const std::string_view reste = std::string_view(texte_).substr(std::size_t(q - 1));
    const std::string mot(reste.substr(0, std::min(reste.find_first_of(" (),:[]"), reste.size())));
    const Tpoint* p1 = Point_plus_long_prefixe(points_, mot);
    const Tpoint* p2 = p1 != nullptr ? Point_plus_long_prefixe(
                                           points_, std::string_view(mot).substr(p1->nom.size()))
                                     : nullptr;
    if (p2 == nullptr)
        throw Erreur_formule("\xAB " + mot +
                                 " \xBB"
                                 " ne d\xE9"
                                 "signe ni une variable, ni une "
                                 "fonction, ni deux points de la figure",
                             initial_);
    const Reel dx = p2->x - p1->x;
    const Reel dy = p2->y - p1->y;
    const std::string distance =
        "(" +
        Texte_general(Diviser(std::sqrt(dx * dx + dy * dy), echelle_), form_.separateur_decimal()) +
        ")";
    const int noms = Longueur(p1->nom) + Longueur(p2->nom);
    texte_.replace(std::size_t(q - 1), std::size_t(noms), distance);
    distances_ = true;
    Decaler(q, Longueur(distance) - noms);
    return q + Longueur(distance) - 1;
}

// Pass 4: whatever letter is left begins two point names.
void Conversion::Distances()
{
    int q = 1;
    while (q <= Longueur(texte_)) {
        q = Sauter(q, 3);
        Regle_parenthese(q);
        if (Est_lettre(Car(q)))
            q = Distance(q);
        ++q;
    }
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

bool Est_operateur(std::string_view caractere)
{
    return caractere.size() == 1 &&
           std::string_view("+-/^(*").find(caractere[0]) != std::string_view::npos;
}

bool Est_fonction_predefinie(std::string_view texte)
{
    static constexpr std::array<std::string_view, 12> prefixes = {
        "ln(",  "exp(", "abs(",  "int(",    "rac(",    "sin(",
        "cos(", "tan(", "sqrt(", "arcsin(", "arccos(", "arctan("};
    return std::find(prefixes.begin(), prefixes.end(), texte) != prefixes.end();
}

std::string Reel_en_texte(Reel x)
{
    std::string texte;
    Ajouter_reel(texte, x);
    return texte;
}

// The common case goes without any intermediate string.
void Ajouter_reel(std::string& texte, Reel x)
{
    const std::optional<TArrondi> a = Arrondir_vite(Controler(x));
    if (!a) {
        const Decimales d = Decomposer(x);
        Disposer(texte, d.negatif, d.chiffres, d.exposant, '.');
        return;
    }
    std::array<char, 20> chiffres{};
    Disposer(texte, a->negatif, std::string_view(chiffres.data(), Chiffres(a->n, chiffres)),
             a->exposant, '.');
}

TForm2::TForm2()
{
    separateur_decimal(Separateur_decimal_utilisateur());
    Reinitialiser();
}

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
    derniers_[nom] = variables_.size() - 1;
    Noms_changes();
}

// The most recent variable of that name takes the value.
void TForm2::Affecter_variable(const std::string& nom, Reel valeur)
{
    std::size_t indice = 0;
    if (const std::size_t* retenu = variables_retenues_.Trouver(nom, epoque_)) {
        indice = *retenu;
    } else {
        const auto v = derniers_.find(nom);
        if (v == derniers_.end()) {
            Ajouter_variable(nom, valeur);
            return;
        }
        indice = v->second;
        variables_retenues_.Retenir(nom, epoque_, indice);
    }
    variables_[indice].valeur = valeur;
    valeurs_[indice] = valeur;
}

void TForm2::Retirer_variable(const std::string& nom)
{
    const auto v = derniers_.find(nom);
    if (v == derniers_.end())
        return;
    const auto indice = static_cast<std::ptrdiff_t>(v->second);
    valeurs_.erase(valeurs_.begin() + indice);
    variables_.erase(variables_.begin() + indice);
    Indexer_variables();
    Noms_changes();
}

void TForm2::Indexer_variables()
{
    derniers_.clear();
    for (std::size_t i = 0; i < variables_.size(); ++i)
        derniers_[variables_[i].nom] = i;
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
void TForm2::Affecter_fonction(const std::string& nom, std::string corps,
                               const TListe_points& points, Reel echelle,
                               const std::string& parametre)
{
    TAffectation_retenue& retenue = affectation_retenue_;
    if (retenue.version_noms == version_noms_ && retenue.nom == nom && retenue.corps == corps)
        return;
    const auto f = std::find_if(fonctions_.rbegin(), fonctions_.rend(),
                                [&](const TCalc_fonction_init& g) { return g.nom == nom; });
    if (f == fonctions_.rend())
        return Ajouter_fonction(nom, std::move(corps), points, echelle, parametre);
    std::string source = corps;
    std::replace(corps.begin(), corps.end(), '.', separateur_);
    const bool gardee = Convertir_corps(corps, points, echelle, f->variable);
    if (corps != f->expression) {
        f->expression = std::move(corps);
        Definitions_changees();
    }
    if (gardee)
        retenue = {nom, std::move(source), version_noms_};
    else
        retenue.version_noms = UINT64_MAX;
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

Reel TForm2::Evaluer_expression_en_place(std::string_view texte, const TListe_points& points,
                                         Reel echelle)
{
    if (const TTexte_retenu* retenu = textes_retenus_.Trouver(texte, epoque_))
        return retenu->conversion == nullptr ? retenu->valeur
                                             : Evaluer_retenue(*retenu->conversion, texte);
    const std::string copie(texte);
    const std::optional<Reel> numeral = Numeral_non_vide(copie);
    TConversion* conversion = numeral ? nullptr : Conversion_nommee(copie, points, echelle);
    // Not kept: converted again at every evaluation.
    if (!numeral && conversion == nullptr)
        return Evaluer_conversion(nullptr, copie);
    // The lookups above may have cleared the kept conversions: the text is retained after.
    textes_retenus_.Retenir(texte, epoque_, {conversion, numeral.value_or(0)});
    return numeral ? *numeral : Evaluer_retenue(*conversion, copie);
}

std::optional<Reel> TForm2::Numeral_non_vide(const std::string& texte)
{
    if (texte.find_first_not_of(' ') == std::string::npos)
        throw Erreur_formule("Expression vide", texte);
    return Valeur_numeral(texte);
}

// Installing the definitions raises nothing: it only hands the names and bodies over.
Reel TForm2::Evaluer_retenue(TConversion& conversion, std::string_view texte)
{
    Installer_definitions();
    if (CalcExpress1.A_jour(conversion.compilation))
        return CalcExpress1.Evaluate(conversion.compilation, valeurs_);
    return Evaluer_conversion(&conversion, texte);
}

TForm2::TConversion* TForm2::Conversion_nommee(const std::string& texte,
                                               const TListe_points& points, Reel echelle)
{
    try {
        return Conversion_du_texte(texte, points, echelle);
    } catch (const Erreur_formule& e) {
        throw e.Pour_le_texte(texte);
    }
}

Reel TForm2::Evaluer_conversion(TConversion* conversion, std::string_view texte)
{
    try {
        Installer_definitions();
        if (conversion == nullptr) {
            CalcExpress1.Formula(converti_);
        } else {
            // The trees kept beside the texts hold few enough nodes in all: a tree that
            // would pass the bound is not kept.
            TCalcExpress::TCompilation& memo = conversion->compilation;
            const auto noeuds = [&] { return memo.arbre ? memo.arbre->taille : 0; };
            const std::int64_t avant = noeuds();
            CalcExpress1.Formula(conversion->converti, memo);
            noeuds_gardes_ += noeuds() - avant;
            if (noeuds_gardes_ > noeuds_gardes_maximum) {
                noeuds_gardes_ -= noeuds();
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
    ++version_noms_;
    ++epoque_;
    Definitions_changees();
}

// The converted texts kept were converted against the current names.
void TForm2::Valider_conversions()
{
    if (version_conversions_ == version_noms_ && conversions_.size() < conversions_maximum &&
        corps_convertis_.size() < conversions_maximum)
        return;
    conversions_.clear();
    ++epoque_;
    noeuds_gardes_ = 0;
    corps_convertis_.clear();
    version_conversions_ = version_noms_;
    const auto au_separateur = [&](const std::string& nom) {
        return !nom.empty() && nom.front() == separateur_;
    };
    nom_au_separateur_ =
        std::any_of(variables_.begin(), variables_.end(),
                    [&](const Tvariable& v) { return au_separateur(v.nom); }) ||
        std::any_of(fonctions_.begin(), fonctions_.end(),
                    [&](const TCalc_fonction_init& f) { return au_separateur(f.nom); });
}

std::optional<Reel> TForm2::Valeur_numeral(std::string_view texte)
{
    Valider_conversions();
    texte = Sans_espaces_autour(texte);
    // The texts the conversion passes on unchanged: the evaluator reads "-x" as the
    // negation of x, which is exact, so from_chars gives its value.
    if (nom_au_separateur_ || !Nombre_simple(texte, '.'))
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

// The text with "." as the separator of the user's locale, converted. A conversion that
// wrote distances depends on the points' positions and is not kept.
TForm2::TConversion* TForm2::Conversion_du_texte(const std::string& texte,
                                                 const TListe_points& points, Reel echelle)
{
    Valider_conversions();
    if (const auto trouve = conversions_.find(texte); trouve != conversions_.end())
        return &trouve->second;
    std::string local = texte;
    std::replace(local.begin(), local.end(), '.', separateur_);
    // Digits with one separator hold no name, no product and no distance to rewrite, as long
    // as no name starts with the separator.
    if (Nombre_simple(local, separateur_) && !nom_au_separateur_) {
        converti_ = std::move(local);
        return nullptr;
    }
    Conversion conversion(*this, points, echelle);
    converti_ = conversion.Convertir(std::move(local));
    if (conversion.A_des_distances())
        return nullptr;
    return &conversions_.emplace(texte, TConversion{converti_, {}}).first->second;
}

// A body is converted with its parameter known as a variable, so that 2t becomes 2*t; the
// parameter is a temporary last variable when no variable has its name. The temporary
// variable is gone again before anything else sees the lists.
bool TForm2::Convertir_corps(std::string& corps, const TListe_points& points, Reel echelle,
                             const std::string& parametre)
{
    Valider_conversions();
    if (const auto trouve = corps_convertis_.find(
            std::pair<std::string_view, std::string_view>(parametre, corps));
        trouve != corps_convertis_.end()) {
        corps = trouve->second;
        return true;
    }
    auto cle = std::make_pair(parametre, corps);
    const bool temporaire = std::none_of(variables_.begin(), variables_.end(),
                                         [&](const Tvariable& v) { return v.nom == parametre; });
    // Only the names matter to the conversion: the values are left as they are.
    if (temporaire)
        variables_.push_back({parametre, 0});
    Conversion conversion(*this, points, echelle);
    try {
        corps = conversion.Convertir(std::move(corps));
    } catch (...) {
        if (temporaire)
            variables_.pop_back();
        throw;
    }
    if (temporaire)
        variables_.pop_back();
    if (conversion.A_des_distances())
        return false;
    corps_convertis_.emplace(std::move(cle), corps);
    return true;
}

// The evaluator keeps its compiled functions while it holds the same definitions.
void TForm2::Installer_definitions()
{
    if (version_installee_ == version_definitions_ &&
        generation_installee_ == CalcExpress1.Generation())
        return;
    std::vector<std::string> noms;
    noms.reserve(variables_.size());
    for (const Tvariable& v : variables_)
        noms.push_back(v.nom);
    CalcExpress1.Fonctions(fonctions_);
    CalcExpress1.Variables(std::move(noms));
    version_installee_ = version_definitions_;
    generation_installee_ = CalcExpress1.Generation();
}

void TForm2::Convertir_notation(std::string& texte, const TListe_points& points, Reel echelle)
{
    texte = Conversion(*this, points, echelle).Convertir(texte);
}

} // namespace trazel
