#include "latex/points.h"

#include <array>
#include <cstddef>
#include <optional>

#include "calc/conversion_chaines.h"
#include "latex/texte_image.h"

namespace trazel {
namespace {

std::string Couple(Tcoordonnees p)
{
    std::string couple = "(";
    Ajouter_reel(couple, p.x);
    couple += ", ";
    Ajouter_reel(couple, p.y);
    couple += ')';
    return couple;
}

// An angle in degrees as printed in an arc line: 8 decimals at most.
std::string Degres(Reel angle)
{
    return std::string(Tronquer_decimales(Reel_en_texte(angle * 180 / pi_etendu), 8));
}

bool Est_chiffre(char c)
{
    return c >= '0' && c <= '9';
}

// The window's edges as lines through two corners, in the order AB, BC, CD, DA with
// A = (xmin, ymin), B = (xmin, ymax), C = (xmax, ymax), D = (xmax, ymin).
std::array<Tligne, 4> Bords(const TCadre_image& f)
{
    const std::array<Tcoordonnees, 4> coins{
        Tcoordonnees{f.xmin, f.ymin}, {f.xmin, f.ymax}, {f.xmax, f.ymax}, {f.xmax, f.ymin}};
    std::array<Tligne, 4> bords;
    for (std::size_t i = 0; i < 4; ++i)
        bords[i] = {coins[i], Vecteur_de(coins[i], coins[(i + 1) % 4])};
    return bords;
}

// The centre is inside and every edge stays strictly farther than the radius: a circle
// that touches an edge goes through the cutting instead.
bool Tient_dans(const Trond& rond, const TCadre_image& fenetre)
{
    if (!Dans_le_cadre(rond.centre, fenetre))
        return false;
    for (const Tligne& bord : Bords(fenetre))
        if (!(Distance_point_droite(rond.centre, bord) > rond.rayon))
            return false;
    return true;
}

// Counter-clockwise from debut to fin; an arc whose start exceeds its end runs through 0.
bool Sur_l_arc(Reel m, Reel debut, Reel fin)
{
    if (fin >= debut)
        return debut <= m && m <= fin;
    return m <= fin || m >= debut;
}

// The angles that cut the circle into pieces: its crossings with the edges, 0 and 2pi, and
// the arc's own ends. Empty when no edge meets the circle.
TListe_arcs Coupures(const Trond& rond, const TCadre_image& fenetre, Reel debut, Reel fin)
{
    // Two spare entries stay at the end; each meeting edge fills them and adds two more.
    TListe_arcs liste(2);
    for (const Tligne& bord : Bords(fenetre)) {
        const std::optional<Tdeux_points> m = Intersection_droite_cercle(bord, rond);
        if (!m)
            continue;
        const std::size_t n = liste.size();
        liste[n - 2] = {m->m1, Angle_polaire(rond.centre, m->m1)};
        liste[n - 1] = {m->m2, Angle_polaire(rond.centre, m->m2)};
        liste.resize(n + 2);
    }
    if (liste.size() == 2)
        return {};
    liste[liste.size() - 2].angle = deux_pi_etendu;
    liste[liste.size() - 1].angle = 0;
    if (debut != 0 && debut != deux_pi_etendu)
        liste.push_back({{}, debut});
    if (fin != 0 && fin != deux_pi_etendu)
        liste.push_back({{}, fin});
    Trier_angles(liste);
    return liste;
}

} // namespace

TTrait Trait_de(const Tcercle& cercle)
{
    return {cercle.dessine, cercle.couleur, cercle.style};
}

std::string Direction_nom(const Tpoint& p, const TCadre_image& fenetre)
{
    if (p.position_nom != position_non_definie)
        return p.position_nom;
    if (p.x <= fenetre.centre_x)
        return p.y <= fenetre.centre_y ? "-135" : "135";
    return p.y <= fenetre.centre_y ? "-45" : "45";
}

std::string Nom_en_LaTeX(std::string_view nom)
{
    std::string latex;
    for (std::size_t i = 0; i < nom.size();) {
        if (Est_chiffre(nom[i])) {
            std::size_t fin = i;
            while (fin < nom.size() && Est_chiffre(nom[fin]))
                ++fin;
            latex.append("_{").append(nom.substr(i, fin - i)).append("}");
            i = fin;
            continue;
        }
        if (nom[i] == '"')
            latex.append("''");
        else
            latex.push_back(nom[i]);
        ++i;
    }
    return latex;
}

void Ecrire_point(const Tpoint& p, const TCadre_image& fenetre, std::string& sortie)
{
    const Tcoordonnees position = Coordonnees(p);
    const bool dedans = Dans_le_cadre(position, fenetre);
    const std::string couple = dedans ? Couple(position) : std::string();
    if (p.dessine && dedans) {
        Ajouter_ligne(sortie, "% Point ", p.nom);
        Ajouter_ligne(sortie, "\\pscircle*[fillcolor=", p.couleur, ", linecolor=", p.couleur, "]",
                      couple, "{", p.marque, "pt}");
    } else {
        Ajouter_ligne(sortie, "% Point", p.nom,
                      " Marque Non affich\xE9"
                      "e");
    }
    if (p.nom_dessine && dedans)
        Ajouter_ligne(sortie, "\\uput{1mm}[", Direction_nom(p, fenetre), "]", couple, "{\\",
                      p.couleur, " $", Nom_en_LaTeX(p.nom), "$}");
}

// Shell sort: the gap starts at half the length and is halved down to 1.
void Trier_angles(TListe_arcs& liste)
{
    for (std::size_t ecart = liste.size() / 2; ecart > 0; ecart /= 2)
        for (std::size_t i = ecart; i < liste.size(); ++i) {
            const Reel angle = liste[i].angle;
            std::size_t j = i;
            for (; j >= ecart && liste[j - ecart].angle > angle; j -= ecart)
                liste[j].angle = liste[j - ecart].angle;
            liste[j].angle = angle;
        }
}

TCercle_visible Cercle_visible(const Trond& rond, const TCadre_image& fenetre, Reel debut, Reel fin)
{
    const bool tour = debut == 0 && fin == deux_pi_etendu;
    if (Tient_dans(rond, fenetre)) {
        if (tour)
            return {true, {}};
        if (fin >= debut)
            return {false, {{debut, fin}}};
        return {false, {{debut, deux_pi_etendu}, {0, fin}}};
    }
    // Each piece between neighbouring cuts lies wholly inside or wholly outside the window
    // and the arc, so its middle decides.
    const TListe_arcs coupures = Coupures(rond, fenetre, debut, fin);
    TCercle_visible visible;
    for (std::size_t i = 0; i + 1 < coupures.size(); ++i) {
        const Reel a = coupures[i].angle;
        const Reel b = coupures[i + 1].angle;
        const Reel milieu = (a + b) / 2;
        if (Dans_le_cadre(Point_du_cercle(rond, milieu), fenetre) && Sur_l_arc(milieu, debut, fin))
            visible.portions.push_back({a, b});
    }
    return visible;
}

void Ecrire_cercle(const Tcercle& cercle, const TTrait& trait, const TCadre_image& fenetre,
                   Reel unite, Reel debut, Reel fin, std::string& sortie)
{
    if (!trait.dessine)
        return;
    const bool tour = debut == 0 && fin == deux_pi_etendu;
    Ajouter_ligne(sortie, tour ? "% Cercle " : "% Arc de cercle ", cercle.nom);
    const Trond rond = Rond_de(cercle);
    const TCercle_visible visible = Cercle_visible(rond, fenetre, debut, fin);
    std::string trace = "[linewidth=1pt, linecolor=";
    trace.append(trait.couleur).append(", linestyle=").append(trait.style).append("]");
    trace.append(Couple(rond.centre)).append("{");
    Ajouter_reel(trace, rond.rayon * unite);
    trace.append("cm}");
    if (visible.tour_complet)
        Ajouter_ligne(sortie, "\\pscircle", trace);
    for (const TPortion& p : visible.portions)
        Ajouter_ligne(sortie, "\\psarc", trace, "{", Degres(p.debut), "}{", Degres(p.fin), "}");
}

} // namespace trazel
