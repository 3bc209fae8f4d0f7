#include "ui/construction_tangente.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

#include "calc/geometrie.h"
#include "calc/noms.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// Both slopes are written as one when they differ by less than this: the two half-tangents
// then lie on one line.
constexpr Reel accord_des_pentes = 1e-11L;

// The one-sided quotients are taken at halved steps from 1/8, a power of two so that the
// steps halve exactly. A smooth function settles within about ten rows; the 20 rows (down to
// about 2.4e-7, where rounding costs some 1e-12 of the value) serve functions that vary on a
// scale of a thousandth. When the function is undefined at a step the tableau starts again
// closer, so at most 28 steps are tried. Past 2^16 the first step grows with the abscissa,
// so that x0 + h keeps enough of the step's bits.
constexpr int rangs_extrapolation = 20;
constexpr int pas_essayes = 28;
constexpr Reel premier_pas = 0.125L;
constexpr int grandeur_sans_echelle = 16;
// Terms of the quotient's series removed by the deepest extrapolation.
constexpr int ordre_extrapolation = 6;
// Ridders' rule: once an estimate has settled, a diagonal that moves by this many times its
// error estimate means rounding has taken over, and the later rows are not looked at.
constexpr Reel marge_arret = 2;
// An estimate whose error exceeds this share of the slope (or of 1 for small slopes) has
// not settled: the quotients grow without bound near a jump or a vertical tangent.
constexpr Reel erreur_admise = 1e-8L;

// The evaluator matches variables and functions without regard to case: the name of the
// abscissa variable must differ from all of them in that sense, or it would stand for one.
std::string Variable_libre(const TForm2& form2)
{
    const auto pris = [&](const std::string& nom) {
        return std::any_of(form2.Liste_variables.begin(), form2.Liste_variables.end(),
                           [&](const Tvariable& v) { return Egaux_sans_casse(v.nom, nom); }) ||
               std::any_of(
                   form2.Liste_fonctions.begin(), form2.Liste_fonctions.end(),
                   [&](const TCalc_fonction_init& f) { return Egaux_sans_casse(f.nom, nom); });
    };
    std::string nom = "t";
    for (int k = 1; pris(nom); ++k)
        nom = "t" + std::to_string(k);
    return nom;
}

// f(t) compiled once, then evaluated at real arguments: no argument goes through its
// decimal text, whose 15 digits would be the only precision of the quotients. The variable
// exists only while the object lives.
class TFonction_installee {
  public:
    TFonction_installee(TForm2& form2, const TListe_points& points, const std::string& fonction,
                        Reel x0)
        : form2_(form2), variable_(form2, Variable_libre(form2), x0),
          y0_(form2_.Evaluer_expression(fonction + "(" + variable_.nom() + ")", points, 1))
    {
        for (const Tvariable& v : form2_.Liste_variables)
            valeurs_.push_back(v.valeur);
    }

    Reel y0() const { return y0_; }
    // The variable is the last one added.
    Reel operator()(Reel t)
    {
        valeurs_.back() = t;
        return form2_.CalcExpress1.Evaluate(valeurs_);
    }

  private:
    TForm2& form2_;
    TVariable_provisoire variable_;
    Reel y0_;
    std::vector<Reel> valeurs_;
};

// Neville's scheme over the quotients at halved steps: the quotient is a power series in
// the step s, so the tableau extrapolates it to s = 0, using the steps actually taken
// (fl(x0 + h) - x0, exact) rather than their nominal values. Each row extrapolates over the
// last few rows only, so that early rows whose steps reach past a nearby singularity drop
// out. The estimate kept is the one whose neighbours in the tableau agree best (Ridders).
class TExtrapolation {
  public:
    // Adds the next row; true when the later rows cannot do better.
    bool Ajouter(Reel pas, Reel quotient)
    {
        const int k = rangs_++;
        pas_[k] = pas;
        t_[k][0] = quotient;
        if (k == 0) {
            meilleure_ = quotient;
            return false;
        }
        const int profondeur = std::min(k, ordre_extrapolation);
        for (int j = 1; j <= profondeur; ++j) {
            t_[k][j] = t_[k][j - 1] +
                       (t_[k][j - 1] - t_[k - 1][j - 1]) * pas_[k] / (pas_[k - j] - pas_[k]);
            const Reel ecart = std::max(std::fabs(t_[k][j] - t_[k][j - 1]),
                                        std::fabs(t_[k][j] - t_[k - 1][j - 1]));
            if (ecart <= erreur_) {
                erreur_ = ecart;
                meilleure_ = t_[k][j];
            }
        }
        const Reel saut = std::fabs(t_[k][profondeur] - t_[k - 1][std::min(k - 1, profondeur)]);
        return rangs_ == rangs_extrapolation || (Etablie() && saut >= marge_arret * erreur_);
    }
    bool Etablie() const
    {
        return erreur_ <= erreur_admise * std::max(Reel{1}, std::fabs(meilleure_));
    }
    Reel Valeur() const { return meilleure_; }

  private:
    std::array<std::array<Reel, ordre_extrapolation + 1>, rangs_extrapolation> t_{};
    std::array<Reel, rangs_extrapolation> pas_{};
    int rangs_ = 0;
    Reel meilleure_ = 0;
    Reel erreur_ = std::numeric_limits<Reel>::infinity();
};

// The limit of (f(x0 + s) - f(x0)) / s as s tends to 0 on the side of `sens` (+1 or -1);
// no value when the estimates never settle.
std::optional<Reel> Pente_laterale(TFonction_installee& f, Reel x0, Reel sens)
{
    TExtrapolation tableau;
    const int echelle = std::ilogb(std::max(Reel{1}, std::fabs(x0))) - grandeur_sans_echelle;
    Reel h = sens * std::ldexp(premier_pas, std::max(0, echelle));
    for (int k = 0; k < pas_essayes; ++k, h /= 2) {
        const Reel x = x0 + h;
        Reel y = 0;
        try {
            y = f(x);
        } catch (const Erreur_calcul&) {
            // Undefined this far from x0 (its domain ends close by): start again well inside,
            // where the series converges fast.
            if (k + 1 >= pas_essayes)
                throw;
            tableau = {};
            h /= 4;
            k += 2;
            continue;
        }
        if (tableau.Ajouter(x - x0, Diviser(y - f.y0(), x - x0)))
            break;
    }
    if (!tableau.Etablie())
        return std::nullopt;
    return Controler(tableau.Valeur());
}

// Reads a figure into `figure` with the variables of `form2` reset first.
void Lire_figure(std::string_view octets, TFigure& figure, TForm2& form2)
{
    form2.Reinitialiser();
    Lire_texte_figure(octets, fichier_figure_tangente, figure, form2);
}

// The value of a field of the dialog; a fault of its text names the field.
Reel Evaluer_champ(TForm2& form2, const std::string& texte, const TListe_points& points,
                   Reel echelle, const std::string& champ)
{
    try {
        return form2.Evaluer_expression(texte, points, echelle);
    } catch (const Erreur_formule& erreur) {
        throw Erreur_formule(champ + " : " + erreur.what(), erreur.formule());
    }
}

void Verifier_fonction(const TForm2& form2, const std::string& fonction)
{
    if (form2.Liste_fonctions.empty())
        throw Erreur_trazel("La figure ne d\xE9"
                            "finit aucune fonction");
    for (const TCalc_fonction_init& f : form2.Liste_fonctions)
        if (f.nom == fonction)
            return;
    throw Erreur_trazel("La fonction " + Guillemets(fonction) +
                        " n'est pas d\xE9"
                        "finie");
}

// The frame must be one of the figure's, or a pair of its points ("AB"), as the reader
// takes a frame's name: an unknown one would give lines the figure cannot read.
void Verifier_repere(TFigure& figure, const std::string& repere)
{
    try {
        Repere_du_nom(figure, repere);
    } catch (const Erreur_trazel&) {
        throw Erreur_trazel("Le rep\xE8re " + Guillemets(repere) +
                            " n'est pas d\xE9"
                            "fini");
    }
}

// The names of the construction's objects, each new in its list.
struct TNoms {
    std::array<std::string, 9> p; // p[1] to p[8]
    std::string d1, d2, c1, c2;
};

TNoms Allouer_noms(TFigure& figure)
{
    TNoms n;
    for (int k = 1; k <= 8; ++k)
        n.p[static_cast<std::size_t>(k)] = NomUnique(figure, figure.liste_points, "n");
    n.d1 = NomUnique(figure, figure.liste_droites, "T");
    n.d2 = NomUnique(figure, figure.liste_droites, "T");
    n.c1 = NomUnique(figure, figure.liste_cercles, "r");
    n.c2 = NomUnique(figure, figure.liste_cercles, "r"); // reserved, as the editor would
    return n;
}

// The values of the construction, as the lines print them.
struct TValeurs {
    std::string x0, md, m2, lt;
    std::string moins_lt; // the opposite parameter, as the reader can read it
};

const std::string non_dessine = ", particularit\xE9s: non dessin\xE9";
const std::string marque_fine = ", particularit\xE9s: marque fine, nom non dessin\xE9";

// The 31 lines, in the editor's phrasing; f, U, R and Ch are the texts as typed.
std::string Lignes(const TNoms& n, const TValeurs& v, const std::string& f, const std::string& u,
                   const std::string& r, const std::string& ch)
{
    const auto& p = n.p;
    const std::array<std::string, 31> lignes = {
        p[1] +
            " point de coordonn\xE9"
            "es (" +
            v.x0 + "," + f + "(" + v.x0 + ")) dans le rep\xE8re " + r,
        "  Objet dessinable " + p[1] + ", particularit\xE9s: marque \xE9paisse, non dessin\xE9",
        n.d1 + " droite passant par " + p[1] + " et de coefficient directeur " + v.md +
            " (rep\xE8re " + r + ")",
        "  Objet dessinable " + n.d1 + non_dessine,
        p[2] + " point libre sur la droite " + n.d1,
        "  Objet libre " + p[2] + ", param\xE8tre: " + v.lt,
        "  Objet dessinable " + p[2] + marque_fine,
        n.d2 + " droite passant par " + p[1] + " et de coefficient directeur " + v.m2 +
            " (rep\xE8re " + r + ")",
        "  Objet dessinable " + n.d2 + non_dessine,
        p[3] + " point libre sur la droite " + n.d2,
        "  Objet libre " + p[3] + ", param\xE8tre: " + v.moins_lt,
        "  Objet dessinable " + p[3] + marque_fine,
        n.c1 + " cercle de centre " + p[2] + " et de rayon " + ch + " (unit\xE9 " + u + ")",
        "  Objet dessinable " + n.c1 + non_dessine,
        p[4] + " point libre sur le cercle " + n.c1,
        // Without the indent of its siblings on purpose: the tangent's lines are fixed as
        // figures already hold them, and the reader takes a parameter from the line after
        // the point's whatever its indent.
        "Objet libre " + p[4] + ", param\xE8tre: 1",
        "  Objet dessinable " + p[4] + marque_fine,
        p[5] + " image de " + p[4] + " par la sym\xE9trie d'axe " + n.d1,
        "  Objet dessinable " + p[5] + non_dessine,
        "Segment [" + p[2] + p[4] + "]",
        "Segment [" + p[2] + p[5] + "]",
        p[8] + " image de " + p[4] + " par la rotation de centre " + p[2] + " et d'angle " + p[2] +
            p[1] + p[3],
        "  Objet dessinable " + p[8] + non_dessine,
        p[6] + " image de " + p[8] + " par la translation transformant " + p[2] + " en " + p[3],
        "  Objet dessinable " + p[6] + non_dessine,
        p[7] + " image de " + p[6] + " par la sym\xE9trie d'axe " + n.d2,
        "  Objet dessinable " + p[7] + non_dessine,
        "Segment [" + p[3] + p[6] + "]",
        "Segment [" + p[3] + p[7] + "]",
        "Segment [" + p[1] + p[2] + "]",
        "Segment [" + p[1] + p[3] + "]",
    };
    std::string texte;
    for (const std::string& ligne : lignes)
        texte += ligne + '\r';
    return texte;
}

} // namespace

TListes_tangente ListesTangente(std::string_view octets)
{
    TForm2 form2;
    TFigure figure;
    Lire_figure(octets, figure, form2);
    TListes_tangente listes;
    for (const TCalc_fonction_init& f : form2.Liste_fonctions)
        listes.fonctions.push_back(f.nom);
    for (const Tunite* u : figure.liste_unites)
        listes.unites.push_back(u->nom);
    for (const Trepere* r : figure.liste_reperes)
        listes.reperes.push_back(r->nom);
    return listes;
}

TDerivees DeriveesLaterales(TForm2& form2, const TListe_points& points, const std::string& fonction,
                            Reel x0)
{
    TFonction_installee f(form2, points, fonction, x0);
    const std::optional<Reel> gauche = Pente_laterale(f, x0, -1);
    const std::optional<Reel> droite = Pente_laterale(f, x0, 1);
    if (!gauche || !droite)
        throw Erreur_trazel("La fonction " + Guillemets(fonction) +
                            " n'a pas de nombre d\xE9riv\xE9 " +
                            (droite ? "\xE0 gauche" : "\xE0 droite") + " en " + Reel_en_texte(x0));
    return {*gauche, *droite};
}

std::string ConstruireTangente(std::string_view octets, const std::string& fonction,
                               const std::string& unite, const std::string& repere,
                               const std::string& abscisse, const std::string& chevrons)
{
    TForm2 form2;
    TFigure figure;
    Lire_figure(octets, figure, form2);
    const Reel u = Longueur_unite(Unite_du_nom(figure, unite));
    Verifier_repere(figure, repere);
    Verifier_fonction(form2, fonction);
    const Reel x0 =
        Evaluer_champ(form2, abscisse, figure.liste_points, u, "Abscisse du point de tangence");
    const TDerivees m = DeriveesLaterales(form2, figure.liste_points, fonction, x0);
    const TNoms noms = Allouer_noms(figure);
    // The text alone first: an empty or broken length is reported as such, not as a fault
    // of "7*(...)".
    Evaluer_champ(form2, chevrons, figure.liste_points, u, "Longueur des chevrons");
    Reel l = Evaluer_champ(form2, "7*(" + chevrons + ")", figure.liste_points, u,
                           "Longueur des chevrons");
    if (l == 0)
        l = 1;
    const Reel m2 = std::fabs(m.gauche - m.droite) < accord_des_pentes ? m.droite : m.gauche;
    // The opposite of the length is written as its own number: "-" put before a negative
    // length would give "--3", which no figure can read.
    return Lignes(noms,
                  {Reel_en_texte(x0), Reel_en_texte(m.droite), Reel_en_texte(m2), Reel_en_texte(l),
                   Reel_en_texte(-l)},
                  fonction, unite, repere, chevrons);
}

} // namespace trazel
