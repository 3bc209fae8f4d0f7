// Figure notation into evaluator syntax: implicit products (2x, 2(x+1), )( ), the names of
// built-in and user functions and of variables, and two point names standing for their
// distance.

#include "calc/notation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "calc/decimales.h"
#include "calc/noms.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// (position, length) of a name found in a text; positions are 1-based.
using TListe_couples_entiers = std::vector<std::pair<int, int>>;

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
    const Tpoint* p2 =
        p1 != nullptr
            ? Point_plus_long_prefixe(points_, std::string_view(mot).substr(p1->nom.size()))
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

} // namespace

TTexte_converti Convertir_en_formule(std::string texte, const TForm2& form,
                                     const TListe_points& points, Reel echelle)
{
    Conversion conversion(form, points, echelle);
    TTexte_converti converti;
    converti.texte = conversion.Convertir(std::move(texte));
    converti.distances = conversion.A_des_distances();
    return converti;
}

void TForm2::Convertir_notation(std::string& texte, const TListe_points& points, Reel echelle)
{
    texte = Convertir_en_formule(texte, *this, points, echelle).texte;
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

} // namespace trazel
