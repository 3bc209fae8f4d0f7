#include "calc/vecteurs.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "calc/noms.h"
#include "model/erreurs.h"
#include "model/mots.h"

namespace trazel {
namespace {

constexpr auto npos = std::string_view::npos;

// Significant digits that read back the same 64-bit mantissa.
constexpr int chiffres_exacts = 21;

// A real as plain decimal text that reads back as the same long double. No exponent: the
// figure-notation converter would take its letter for the start of point names.
std::string Texte_exact(Reel x)
{
    std::array<char, 64> tampon{};
    const auto fin = std::to_chars(tampon.data(), tampon.data() + tampon.size(), Controler(x),
                                   std::chars_format::scientific, chiffres_exacts - 1)
                         .ptr;
    std::string_view s(tampon.data(), static_cast<std::size_t>(fin - tampon.data()));
    const bool negatif = s.front() == '-';
    if (negatif)
        s.remove_prefix(1);
    const std::size_t e = s.find('e');
    std::string chiffres = std::string(1, s[0]).append(s.substr(2, e - 2));
    std::string_view texte_exposant = s.substr(e + 1);
    if (texte_exposant.front() == '+')
        texte_exposant.remove_prefix(1); // from_chars takes no "+"
    int exposant = 0;
    std::from_chars(texte_exposant.data(), texte_exposant.data() + texte_exposant.size(), exposant);
    chiffres.erase(chiffres.find_last_not_of('0') + 1); // all zeros: npos + 1 wraps to 0
    if (chiffres.empty())
        return "0";
    const auto n = static_cast<int>(chiffres.size());
    std::string texte = negatif ? "-" : "";
    if (exposant < 0)
        texte.append("0.").append(std::size_t(-exposant - 1), '0').append(chiffres);
    else if (exposant + 1 >= n)
        texte.append(chiffres).append(std::size_t(exposant + 1 - n), '0');
    else
        texte.append(chiffres, 0, std::size_t(exposant + 1))
            .append(".")
            .append(chiffres, std::size_t(exposant + 1));
    return texte;
}

// Names never hold spaces or commas: "vec(A, B)" names AB.
std::string Sans_separateurs(std::string_view texte)
{
    std::string nom;
    for (char c : texte)
        if (c != ',' && c != ' ')
            nom += c;
    return nom;
}

// The ")" that closes the "(" at `ouvrante`, or npos.
std::size_t Fermante(std::string_view texte, std::size_t ouvrante)
{
    int profondeur = 0;
    for (std::size_t i = ouvrante; i < texte.size(); ++i) {
        if (texte[i] == '(')
            ++profondeur;
        else if (texte[i] == ')' && --profondeur == 0)
            return i;
    }
    return npos;
}

// The operand before the "&" at `et` runs back to the nearest balanced group, with the
// "vec" that may name it ("2*vec(AB)&" gives "vec(AB)"); npos when an enclosing "(" or the
// start of the text comes first.
std::size_t Debut_operande(std::string_view texte, std::size_t et)
{
    int profondeur = 0;
    for (std::size_t i = et; i-- > 0;) {
        if (texte[i] == ')') {
            ++profondeur;
        } else if (texte[i] == '(') {
            if (profondeur == 0)
                return npos;
            if (--profondeur == 0)
                return i >= 3 && texte.substr(i - 3, 3) == "vec" ? i - 3 : i;
        }
    }
    return npos;
}

// The operand after the "&" at `et` runs on to the end of the nearest balanced group
// ("&2*vec(u)" gives "2*vec(u)"); returns the position past it, npos when an enclosing ")"
// or the end of the text comes first.
std::size_t Fin_operande(std::string_view texte, std::size_t et)
{
    int profondeur = 0;
    for (std::size_t i = et + 1; i < texte.size(); ++i) {
        if (texte[i] == '(') {
            ++profondeur;
        } else if (texte[i] == ')') {
            if (profondeur == 0)
                return npos;
            if (--profondeur == 0)
                return i + 1;
        }
    }
    return npos;
}

// One pair of parentheses around a whole operand is dropped: "(vec(AB))" gives "vec(AB)".
std::string_view Sans_parentheses(std::string_view operande)
{
    operande = Sans_espaces_autour(operande);
    if (!operande.empty() && operande.front() == '(' &&
        Fermante(operande, 0) == operande.size() - 1)
        return operande.substr(1, operande.size() - 2);
    return operande;
}

struct TDeux_points {
    const Tpoint* a;
    const Tpoint* b;
};

// The two points a name designates: "A,B" names them apart; "AB" is read as the longest
// point name that starts it followed by exactly a point name.
std::optional<TDeux_points> Deux_points(std::string_view brut, const TListe_points& points)
{
    if (const std::size_t virgule = brut.find(','); virgule != npos) {
        const Tpoint* a = Chercher_point(points, Sans_separateurs(brut.substr(0, virgule)));
        const Tpoint* b = Chercher_point(points, Sans_separateurs(brut.substr(virgule + 1)));
        if (a != nullptr && b != nullptr)
            return TDeux_points{a, b};
    }
    const std::string nom = Sans_separateurs(brut);
    const Tpoint* a = Point_plus_long_prefixe(points, nom);
    const Tpoint* b = a == nullptr
                          ? nullptr
                          : Chercher_point(points, std::string_view(nom).substr(a->nom.size()));
    if (b == nullptr)
        return std::nullopt;
    return TDeux_points{a, b};
}

// The rewriting of vector and measure expressions over one figure. Errors in the syntax of
// the expression carry the text as the caller gave it.
class TEvaluateur {
  public:
    TEvaluateur(std::string_view initial, Reel longueur_unite, TFigure& figure, TForm2& form2)
        : initial_(initial), longueur_unite_(longueur_unite), figure_(figure), form2_(form2)
    {
    }
    Tcoordonnees Vecteur(std::string_view texte);
    std::string Mesure(std::string_view texte);
    Reel Valeur(const std::string& texte);

  private:
    [[noreturn]] void Mal_forme() const
    {
        throw Erreur_formule(Erreur_formule::message_syntaxe, initial_);
    }
    std::string Produits(std::string texte);
    std::size_t Terme(std::string_view texte, std::size_t i, std::string& premier,
                      std::string* second);
    Tcoordonnees Vecteur_nomme(std::string_view brut) const;
    Reel Distance(std::string_view brut) const;

    std::string initial_;
    Reel longueur_unite_;
    TFigure& figure_;
    TForm2& form2_;
    int profondeur_ = 0; // calls of Vecteur under way
};

// Step 1: each "&" with its two operands becomes "(" u.v / L^2 ")", the leftmost first; an
// operand holding a "&" of its own is evaluated recursively.
std::string TEvaluateur::Produits(std::string texte)
{
    for (std::size_t et = texte.find('&'); et != npos; et = texte.find('&')) {
        const std::size_t debut = Debut_operande(texte, et);
        const std::size_t fin = Fin_operande(texte, et);
        if (debut == npos || fin == npos)
            Mal_forme();
        const std::string_view vue = texte;
        const Tcoordonnees u = Vecteur(Sans_parentheses(vue.substr(debut, et - debut)));
        const Tcoordonnees v = Vecteur(Sans_parentheses(vue.substr(et + 1, fin - et - 1)));
        const Reel valeur = Diviser(Produit_scalaire(u, v), Carre(longueur_unite_));
        texte.replace(debut, fin - debut, "(" + Reel_en_texte(valeur) + ")");
    }
    return texte;
}

// Step 2, at position i: "vec(" name ")" (vectors only, `second` given), "dist(" two points
// ")" or "norm(" vector expression ")" appended as its value in parentheses, the x and y of
// a vector each to its own text. Returns the term's length, 0 when none starts at i.
std::size_t TEvaluateur::Terme(std::string_view texte, std::size_t i, std::string& premier,
                               std::string* second)
{
    const std::string_view reste = texte.substr(i);
    const auto commence = [&](std::string_view mot) { return reste.starts_with(mot); };
    const bool vecteur = second != nullptr && commence("vec(");
    const bool distance = commence("dist(");
    if (!vecteur && !distance && !commence("norm("))
        return 0;
    const std::size_t ouvrante = reste.find('(');
    const std::size_t fermante = Fermante(reste, ouvrante);
    if (fermante == npos)
        Mal_forme();
    const std::string_view dedans = reste.substr(ouvrante + 1, fermante - ouvrante - 1);
    if (vecteur) {
        const Tcoordonnees u = Vecteur_nomme(dedans);
        premier += "(" + Texte_exact(u.x) + ")";
        *second += "(" + Texte_exact(u.y) + ")";
    } else {
        const Reel mesure =
            distance ? Distance(dedans) : Diviser(Norme(Vecteur(dedans)), longueur_unite_);
        const std::string valeur = "(" + Texte_exact(mesure) + ")";
        premier += valeur;
        if (second != nullptr)
            *second += valeur;
    }
    return fermante + 1;
}

// A vector the figure defined keeps its own components; two point names give the vector
// between the points as they are now, so a replayed construction sees them move.
Tcoordonnees TEvaluateur::Vecteur_nomme(std::string_view brut) const
{
    const std::string nom = Sans_separateurs(brut);
    for (const Tvecteur* u : figure_.liste_vecteurs)
        if (u->nom == nom)
            return Coordonnees(*u);
    const std::optional<TDeux_points> ab = Deux_points(brut, figure_.liste_points);
    if (!ab)
        throw Erreur_trazel(Guillemets(brut) +
                            " ne d\xE9signe ni un vecteur, ni deux points de la figure");
    return Vecteur_de(Coordonnees(*ab->a), Coordonnees(*ab->b));
}

Reel TEvaluateur::Distance(std::string_view brut) const
{
    const std::optional<TDeux_points> ab = Deux_points(brut, figure_.liste_points);
    if (!ab)
        throw Erreur_trazel(Guillemets(brut) + " ne d\xE9signe pas deux points de la figure");
    return Diviser(Norme(Vecteur_de(Coordonnees(*ab->a), Coordonnees(*ab->b))), longueur_unite_);
}

// The operands of "&" and the vectors of "norm(" are evaluated by recursion: the nesting is
// bounded so that no text can exhaust the stack.
Tcoordonnees TEvaluateur::Vecteur(std::string_view texte)
{
    if (profondeur_ >= imbrication_maximale_vecteurs)
        throw Erreur_trazel("expression vectorielle trop imbriqu\xE9"
                            "e : plus de " +
                            std::to_string(imbrication_maximale_vecteurs) +
                            " niveaux de \xAB norm( \xBB ou de \xAB & \xBB");
    ++profondeur_;
    const struct TSortie {
        int& profondeur;
        ~TSortie() { --profondeur; }
    } sortie{profondeur_};
    const std::string produits = Produits(std::string(texte));
    std::string x, y;
    for (std::size_t i = 0; i < produits.size();) {
        if (const std::size_t n = Terme(produits, i, x, &y); n > 0) {
            i += n;
        } else {
            x += produits[i];
            y += produits[i++];
        }
    }
    return {Valeur(x), Valeur(y)};
}

std::string TEvaluateur::Mesure(std::string_view texte)
{
    const std::string produits = Produits(std::string(texte));
    std::string mesure;
    for (std::size_t i = 0; i < produits.size();) {
        if (const std::size_t n = Terme(produits, i, mesure, nullptr); n > 0)
            i += n;
        else
            mesure += produits[i++];
    }
    return mesure;
}

Reel TEvaluateur::Valeur(const std::string& texte)
{
    try {
        return form2_.Evaluer_expression(texte, figure_.liste_points, longueur_unite_);
    } catch (const Erreur_formule& e) {
        throw e.Pour_le_texte(initial_);
    }
}

struct TPoint_pondere {
    std::string nom;
    std::string poids;
};

// Reads up to the terminator met outside parentheses; false when the line ends first.
bool Lire_jusqu_a(std::string_view ligne, int& position, char terminateur, std::string& texte)
{
    const int avant = position;
    texte = Texte_equilibre(ligne, position, terminateur);
    return static_cast<std::size_t>(position - avant) == texte.size() + 1;
}

void Sauter_espaces(std::string_view ligne, int& position)
{
    while (position <= static_cast<int>(ligne.size()) && ligne[std::size_t(position - 1)] == ' ')
        ++position;
}

// list: pair ("," pair)* [" (unité" ...]   pair: "(" name "," weight ")"
// The weight is balanced text, so it may hold parentheses and commas. None when malformed.
std::optional<std::vector<TPoint_pondere>> Points_ponderes(std::string_view ligne, int position)
{
    if (position < 1 || position > static_cast<int>(ligne.size()) + 1)
        return std::nullopt;
    std::vector<TPoint_pondere> liste;
    for (;;) {
        Sauter_espaces(ligne, position);
        if (!ligne.substr(std::size_t(position - 1)).starts_with('('))
            return std::nullopt;
        ++position;
        TPoint_pondere p;
        if (!Lire_jusqu_a(ligne, position, ',', p.nom) ||
            !Lire_jusqu_a(ligne, position, ')', p.poids))
            return std::nullopt;
        p.nom = Sans_espaces_autour(p.nom);
        p.poids = Sans_espaces_autour(p.poids);
        if (p.nom.empty() || p.poids.empty())
            return std::nullopt;
        liste.push_back(std::move(p));
        Sauter_espaces(ligne, position);
        if (!ligne.substr(std::size_t(position - 1)).starts_with(','))
            break;
        ++position;
    }
    const std::string_view reste = ligne.substr(std::size_t(position - 1));
    if (!reste.empty() && !reste.starts_with("(unit\xE9"))
        return std::nullopt;
    return liste;
}

} // namespace

// The rewriting would copy such a text unchanged, so it goes to the evaluator as it is.
bool Sans_termes_de_mesure(std::string_view texte)
{
    // One pass, one table lookup a byte: every formula a locus replays comes through here at
    // each sample.
    static constexpr auto debuts = [] {
        std::array<bool, 256> d{};
        for (const char c : std::string_view("&dn"))
            d[static_cast<unsigned char>(c)] = true;
        return d;
    }();
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (!debuts[static_cast<unsigned char>(texte[i])])
            continue;
        if (texte[i] == '&' || texte.substr(i, 5) == "dist(" || texte.substr(i, 5) == "norm(")
            return false;
    }
    return true;
}

Tcoordonnees Evaluer_vecteur(std::string_view texte, Reel longueur_unite, TFigure& figure,
                             TForm2& form2)
{
    return TEvaluateur(texte, longueur_unite, figure, form2).Vecteur(texte);
}

Reel Evaluer_mesure(std::string_view texte, Reel longueur_unite, TFigure& figure, TForm2& form2)
{
    if (Sans_termes_de_mesure(texte))
        return form2.Evaluer_expression_en_place(texte, figure.liste_points, longueur_unite);
    TEvaluateur evaluateur(texte, longueur_unite, figure, form2);
    return evaluateur.Valeur(evaluateur.Mesure(texte));
}

std::string Reecrire_mesure(std::string_view texte, Reel longueur_unite, TFigure& figure,
                            TForm2& form2)
{
    if (Sans_termes_de_mesure(texte))
        return std::string(texte);
    return TEvaluateur(texte, longueur_unite, figure, form2).Mesure(texte);
}

// (((a)*vec(o,A))+((b)*vec(o,B))+...)/((a)+(b)+...), o being the origin of the default
// frame, so the vector found is the barycentre's position.
Tcoordonnees Barycentre(std::string_view ligne, int position, Reel longueur_unite, TFigure& figure,
                        TForm2& form2)
{
    const auto liste = Points_ponderes(ligne, position);
    if (!liste || liste->empty())
        throw Erreur_trazel("Points pond\xE9r\xE9s illisibles dans " + Guillemets(ligne));
    std::string somme = "(";
    std::string poids;
    for (std::size_t k = 0; k < liste->size(); ++k) {
        const TPoint_pondere& p = (*liste)[k];
        Point_du_nom(figure.liste_points, p.nom); // names the point that does not exist
        somme += (k == 0 ? "((" : "+((") + p.poids + ")*vec(o," + p.nom + "))";
        poids += (k == 0 ? "(" : "+(") + p.poids + ")";
    }
    return Evaluer_vecteur(somme + ")/(" + poids + ")", longueur_unite, figure, form2);
}

} // namespace trazel
