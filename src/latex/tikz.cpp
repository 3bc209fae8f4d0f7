// The TikZ writer: each piece of the scene as the TikZ path that draws what its PSTricks
// line draws, with the sizes PSTricks takes by default written out.

#include "latex/tikz.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "latex/courbes.h"
#include "latex/points.h"
#include "latex/texte_image.h"

namespace trazel {
namespace {

// A curve's numbers are cut as in the PSTricks data sets.
void Ajouter_couple_courbe(std::string& texte, Tcoordonnees p)
{
    texte += '(';
    Ajouter_reel_tronque(texte, p.x, decimales_courbe);
    texte += ", ";
    Ajouter_reel_tronque(texte, p.y, decimales_courbe);
    texte += ')';
}

std::string Options(const TTrait_scene& trait)
{
    std::string options = "[" + trait.couleur;
    if (trait.style == "dashed")
        options += ", dash pattern=on " + Reel_en_texte(pstricks::tiret) + "pt off " +
                   Reel_en_texte(pstricks::blanc) + "pt";
    return options + "]";
}

// A length in TeX points.
std::string Pt(Reel longueur)
{
    return Reel_en_texte(longueur) + "pt";
}

// The default axes: each from edge to edge through the origin, an arrow at its positive end
// with the line stopping under it, black ticks.
void Ecrire_axes(const TScene& s, std::string& sortie)
{
    using namespace pstricks;
    const TCadre_image& f = s.fenetre;
    const std::string& couleur = s.couleur_axes;
    const std::string retrait = "shorten >=" + Pt(fleche_longueur - fleche_creux);
    Ajouter_ligne_lf(sortie, "% Trac\xE9 du rep\xE8re Roxy");
    Ajouter_ligne_lf(sortie, "\\draw[", couleur, ", ", retrait, "] ", Couple({f.xmin, 0}), " -- ",
                     Couple({f.xmax, 0}), ";");
    Ajouter_ligne_lf(sortie, "\\draw[", couleur, ", ", retrait, "] ", Couple({0, f.ymin}), " -- ",
                     Couple({0, f.ymax}), ";");
    const std::string d = Pt(fleche_demi_largeur), c = Pt(fleche_creux);
    const std::string ml = Pt(-fleche_longueur), md = Pt(-fleche_demi_largeur),
                      mc = Pt(-fleche_creux);
    Ajouter_ligne_lf(sortie, "\\fill[", couleur, "] ", Couple({f.xmax, 0}), " -- ++(", ml, ", ", d,
                     ") -- ++(", c, ", ", md, ") -- ++(", mc, ", ", md, ") -- cycle;");
    Ajouter_ligne_lf(sortie, "\\fill[", couleur, "] ", Couple({0, f.ymax}), " -- ++(", md, ", ", ml,
                     ") -- ++(", d, ", ", c, ") -- ++(", d, ", ", mc, ") -- cycle;");
    // Five ticks a line.
    std::string graduations = "\\draw[black, line width=" + Pt(trait_graduation) + "]";
    int compte = 0;
    const auto graduer = [&](Reel debut, Reel fin, bool horizontal) {
        const std::string bas = Pt(-graduation), haut = Pt(2 * graduation);
        for (const Reel k : Graduations_axe(debut, fin, s.unite)) {
            graduations += compte++ % 5 == 0 ? '\n' : ' ';
            graduations += Couple(horizontal ? Tcoordonnees{k, 0} : Tcoordonnees{0, k});
            graduations += horizontal ? " ++(0, " + bas + ") -- ++(0, " + haut + ")"
                                      : " ++(" + bas + ", 0) -- ++(" + haut + ", 0)";
        }
    };
    graduer(f.xmin, f.xmax, true);
    graduer(f.ymin, f.ymax, false);
    if (compte > 0)
        Ajouter_ligne_lf(sortie, graduations, ";");
}

void Ecrire_segment(const TSegment_scene& g, std::string& sortie)
{
    Ajouter_ligne_lf(sortie, "\\draw", Options(g.trait), " ", Couple(g.a), " -- ", Couple(g.b),
                     ";");
}

// Radii in centimetres, as the PSTricks picture gives them; a whole circle drawn inside it.
void Ecrire_arc(const TArc_scene& a, Reel unite, std::string& sortie)
{
    const std::string rayon = Reel_en_texte(a.rayon * unite) + "cm";
    if (a.debut == 0 && a.fin == deux_pi_etendu) {
        Ajouter_ligne_lf(sortie, "\\draw", Options(a.trait), " ", Couple(a.centre),
                         " circle[radius=", rayon, "-", Pt(pstricks::retrait_cercle), "];");
        return;
    }
    const std::string debut = Degres(a.debut);
    Ajouter_ligne_lf(sortie, "\\draw", Options(a.trait), " ([shift={(", debut, ":", rayon, ")}]",
                     Couple(a.centre).substr(1), " arc[start angle=", debut,
                     ", end angle=", Degres(a.fin), ", radius=", rayon, "];");
}

const char* Ancre(TPlacement_etiquette placement)
{
    // The anchor is the side of the box facing the point.
    static constexpr const char* ancres[3][3] = {
        {"north east", "east", "south east"},
        {"north", "center", "south"},
        {"north west", "west", "south west"},
    };
    return ancres[placement.x + 1][placement.y + 1];
}

void Ecrire_point(const TPoint_scene& p, std::string& sortie)
{
    const std::string couple = Couple(p.position);
    if (p.marque > 0)
        Ajouter_ligne_lf(sortie, "\\fill[", p.couleur, "] ", couple,
                         " circle[radius=", Reel_en_texte(p.marque), "pt];");
    if (!p.etiquette.empty())
        Ajouter_ligne_lf(sortie, "\\node[anchor=", Ancre(Placement_etiquette(p.direction)),
                         ", inner sep=0pt, text=", p.couleur, "] at ([shift={(",
                         Reel_en_texte(p.direction), ":", Reel_en_texte(ecart_etiquette_mm),
                         "mm)}]", couple.substr(1), " {$", Nom_en_LaTeX(p.etiquette), "$};");
}

// A run of joined points as smooth paths of at most points_par_trace_tikz points, or its
// dots; five points a line. PSTricks' ecurve takes the first and last points only for the
// bend at the ends and draws from the second to the one before the last, so the curve
// stops at its last sample inside the window: those two points are left out here.
void Ecrire_courbe(const TCourbe_scene& c, std::string& sortie)
{
    const std::vector<Tcoordonnees>& tous = c.points;
    if (c.points_lies && tous.size() < 4)
        return;
    const std::size_t premier = c.points_lies ? 1 : 0;
    const std::size_t dernier = c.points_lies ? tous.size() - 1 : tous.size();
    const std::size_t pas = c.points_lies ? points_par_trace_tikz - 1 : points_par_trace_tikz;
    for (std::size_t debut = premier; debut < dernier; debut += pas) {
        const std::size_t fin = std::min(dernier, debut + points_par_trace_tikz);
        std::string trace = c.points_lies
                                ? "\\draw" + Options(c.trait) + " plot[smooth] coordinates {"
                                : "\\fill[" + c.trait.couleur + "]";
        for (std::size_t i = debut; i < fin; ++i) {
            trace += (i - debut) % 5 == 0 ? '\n' : ' ';
            Ajouter_couple_courbe(trace, tous[i]);
            if (!c.points_lies)
                trace += " circle[radius=" + Pt(pstricks::rayon_point_courbe) + "]";
        }
        Ajouter_ligne_lf(sortie, trace, c.points_lies ? "};" : ";");
        if (fin == dernier)
            break;
    }
}

} // namespace

std::string Image_tikz(const TScene& s)
{
    std::string sortie;
    const std::string unite = Reel_en_texte(s.unite) + "cm";
    Ajouter_ligne_lf(sortie, "\\begin{tikzpicture}[x=", unite, ", y=", unite,
                     ", line width=", Pt(pstricks::trait), ", font=\\small]");
    Ajouter_ligne_lf(sortie, "\\useasboundingbox ", Couple({s.fenetre.xmin, s.fenetre.ymin}),
                     " rectangle ", Couple({s.fenetre.xmax, s.fenetre.ymax}), ";");
    if (s.axes)
        Ecrire_axes(s, sortie);
    for (std::size_t k = 0; k < s.objets.size(); ++k) {
        const TObjet_scene& o = s.objets[k];
        const TObjet_scene fin = Fin_de_l_objet(s, k);
        Ajouter_ligne_lf(sortie, "% ", o.commentaire);
        for (std::size_t i = o.segments; i < fin.segments; ++i)
            Ecrire_segment(s.segments[i], sortie);
        for (std::size_t i = o.arcs; i < fin.arcs; ++i)
            Ecrire_arc(s.arcs[i], s.unite, sortie);
        for (std::size_t i = o.courbes; i < fin.courbes; ++i)
            Ecrire_courbe(s.courbes[i], sortie);
        for (std::size_t i = o.points; i < fin.points; ++i)
            Ecrire_point(s.points[i], sortie);
    }
    Ajouter_ligne_lf(sortie, "\\end{tikzpicture}");
    return sortie;
}

} // namespace trazel
