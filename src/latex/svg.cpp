// The SVG writer. User units are TeX points (1/72.27 inch), so the stroke widths and mark
// sizes of the PSTricks picture are written as they are; y grows downwards.

#include "latex/svg.h"

#include <cmath>
#include <string_view>

#include "latex/points.h"
#include "latex/texte_image.h"

namespace trazel {
namespace {

constexpr Reel points_par_cm = 72.27L / 2.54L;
// Labels: the \small size of a 10 pt document, and where an italic capital's baseline lies
// below the top of its box and below its middle, in ems.
constexpr Reel taille_etiquette = 9;
constexpr Reel hauteur_capitale = 0.683L;

// Three decimals: a thousandth of a point.
std::string Nombre(Reel x)
{
    std::string texte;
    Ajouter_reel_tronque(texte, x, 3);
    return texte;
}

// The RGB of the PSTricks colour names a figure uses.
std::string Couleur(const std::string& nom)
{
    static constexpr std::pair<std::string_view, std::string_view> couleurs[] = {
        {"black", "#000000"},   {"white", "#ffffff"},    {"red", "#ff0000"},
        {"green", "#00ff00"},   {"blue", "#0000ff"},     {"yellow", "#ffff00"},
        {"magenta", "#ff00ff"}, {"cyan", "#00ffff"},     {"lightgray", "#bfbfbf"},
        {"gray", "#808080"},    {"darkgray", "#404040"},
    };
    for (const auto& [pstricks, rgb] : couleurs)
        if (nom == pstricks)
            return std::string(rgb);
    return "#000000";
}

// Text for XML: the five characters it reserves, and "--", which a comment cannot hold.
std::string Texte_xml(std::string_view texte)
{
    std::string xml;
    for (const char c : texte) {
        switch (c) {
        case '&':
            xml += "&amp;";
            break;
        case '<':
            xml += "&lt;";
            break;
        case '>':
            xml += "&gt;";
            break;
        case '"':
            xml += "&quot;";
            break;
        case '-':
            xml += !xml.empty() && xml.back() == '-' ? " -" : "-";
            break;
        default:
            xml += c;
        }
    }
    return xml;
}

class TEcrivain_svg {
  public:
    explicit TEcrivain_svg(const TScene& s) : s_(s), echelle_(s.unite * points_par_cm) {}

    std::string Image();

  private:
    Reel X(Reel x) const { return (x - s_.fenetre.xmin) * echelle_; }
    Reel Y(Reel y) const { return (s_.fenetre.ymax - y) * echelle_; }
    std::string XY(Tcoordonnees p) const { return Nombre(X(p.x)) + "," + Nombre(Y(p.y)); }
    static std::string Trait(const TTrait_scene& trait, Reel largeur = pstricks::trait)
    {
        std::string attributs = "fill=\"none\" stroke=\"" + Couleur(trait.couleur) +
                                "\" stroke-width=\"" + Nombre(largeur) + "\"";
        if (trait.style == "dashed")
            attributs += " stroke-dasharray=\"" + Nombre(pstricks::tiret) + " " +
                         Nombre(pstricks::blanc) + "\"";
        return attributs;
    }
    void Axes();
    void Segment(const TSegment_scene& g);
    void Arc(const TArc_scene& a);
    void Point(const TPoint_scene& p);
    void Courbe(const TCourbe_scene& c);

    const TScene& s_;
    const Reel echelle_; // points per figure unit
    std::string sortie_;
};

std::string TEcrivain_svg::Image()
{
    const TCadre_image& f = s_.fenetre;
    const Reel largeur = (f.xmax - f.xmin) * s_.unite;
    const Reel hauteur = (f.ymax - f.ymin) * s_.unite;
    Ajouter_ligne_lf(sortie_, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    Ajouter_ligne_lf(sortie_, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"", Nombre(largeur),
                     "cm\" height=\"", Nombre(hauteur), "cm\" viewBox=\"0 0 ",
                     Nombre(largeur * points_par_cm), " ", Nombre(hauteur * points_par_cm), "\">");
    if (s_.axes)
        Axes();
    for (std::size_t k = 0; k < s_.objets.size(); ++k) {
        const TObjet_scene& o = s_.objets[k];
        const TObjet_scene fin = Fin_de_l_objet(s_, k);
        Ajouter_ligne_lf(sortie_, "<!-- ", Texte_xml(o.commentaire), " -->");
        for (std::size_t i = o.segments; i < fin.segments; ++i)
            Segment(s_.segments[i]);
        for (std::size_t i = o.arcs; i < fin.arcs; ++i)
            Arc(s_.arcs[i]);
        for (std::size_t i = o.courbes; i < fin.courbes; ++i)
            Courbe(s_.courbes[i]);
        for (std::size_t i = o.points; i < fin.points; ++i)
            Point(s_.points[i]);
    }
    Ajouter_ligne_lf(sortie_, "</svg>");
    return std::move(sortie_);
}

// As the TikZ writer draws them: the arrow's tip at the edge, the line stopping under it.
void TEcrivain_svg::Axes()
{
    using namespace pstricks;
    const TCadre_image& f = s_.fenetre;
    const std::string couleur = Couleur(s_.couleur_axes);
    Ajouter_ligne_lf(sortie_, "<!-- Trac\xE9 du rep\xE8re Roxy -->");
    const Reel x0 = X(0), y0 = Y(0), droite = X(f.xmax), haut = Y(f.ymax);
    const Reel retrait = fleche_longueur - fleche_creux;
    Ajouter_ligne_lf(sortie_, "<path d=\"M ", Nombre(X(f.xmin)), ",", Nombre(y0), " H ",
                     Nombre(droite - retrait), " M ", Nombre(x0), ",", Nombre(Y(f.ymin)), " V ",
                     Nombre(haut + retrait), "\" ", Trait({s_.couleur_axes, "solid"}), "/>");
    const std::string l = Nombre(fleche_longueur), d = Nombre(fleche_demi_largeur),
                      c = Nombre(fleche_creux);
    Ajouter_ligne_lf(sortie_, "<path d=\"M ", Nombre(droite), ",", Nombre(y0), " l -", l, ",-", d,
                     " ", c, ",", d, " -", c, ",", d, " z M ", Nombre(x0), ",", Nombre(haut),
                     " l -", d, ",", l, " ", d, ",-", c, " ", d, ",", c, " z\" fill=\"", couleur,
                     "\"/>");
    std::string graduations;
    const std::string longueur = Nombre(2 * graduation);
    for (const Reel k : Graduations_axe(f.xmin, f.xmax, s_.unite))
        graduations += "M " + Nombre(X(k)) + "," + Nombre(y0 - graduation) + " v " + longueur + " ";
    for (const Reel k : Graduations_axe(f.ymin, f.ymax, s_.unite))
        graduations += "M " + Nombre(x0 - graduation) + "," + Nombre(Y(k)) + " h " + longueur + " ";
    if (!graduations.empty())
        Ajouter_ligne_lf(sortie_, "<path d=\"", graduations, "\" ",
                         Trait({"black", "solid"}, trait_graduation), "/>");
}

void TEcrivain_svg::Segment(const TSegment_scene& g)
{
    Ajouter_ligne_lf(sortie_, "<path d=\"M ", XY(g.a), " L ", XY(g.b), "\" ", Trait(g.trait), "/>");
}

void TEcrivain_svg::Arc(const TArc_scene& a)
{
    const Reel r = a.rayon * echelle_;
    if (a.debut == 0 && a.fin == deux_pi_etendu) {
        Ajouter_ligne_lf(sortie_, "<circle cx=\"", Nombre(X(a.centre.x)), "\" cy=\"",
                         Nombre(Y(a.centre.y)), "\" r=\"", Nombre(r - pstricks::retrait_cercle),
                         "\" ", Trait(a.trait), "/>");
        return;
    }
    // Counter-clockwise on the page: with y downwards, the sweep flag is 0.
    const auto bout = [&](Reel angle) {
        return XY({a.centre.x + a.rayon * std::cos(angle), a.centre.y + a.rayon * std::sin(angle)});
    };
    const bool grand = a.fin - a.debut > pi_etendu;
    Ajouter_ligne_lf(sortie_, "<path d=\"M ", bout(a.debut), " A ", Nombre(r), ",", Nombre(r),
                     " 0 ", grand ? "1" : "0", " 0 ", bout(a.fin), "\" ", Trait(a.trait), "/>");
}

void TEcrivain_svg::Point(const TPoint_scene& p)
{
    const std::string couleur = Couleur(p.couleur);
    if (p.marque > 0)
        Ajouter_ligne_lf(sortie_, "<circle cx=\"", Nombre(X(p.position.x)), "\" cy=\"",
                         Nombre(Y(p.position.y)), "\" r=\"", Nombre(p.marque), "\" fill=\"",
                         couleur, "\"/>");
    if (p.etiquette.empty())
        return;
    const TPlacement_etiquette placement = Placement_etiquette(p.direction);
    const Reel ecart = ecart_etiquette_mm / 10 * points_par_cm;
    const Reel angle = p.direction * pi_etendu / 180;
    const Reel x = X(p.position.x) + ecart * std::cos(angle);
    const Reel y = Y(p.position.y) - ecart * std::sin(angle);
    // The baseline below the point where the box's bottom, middle or top must be.
    const Reel descente = taille_etiquette * hauteur_capitale * (1 - placement.y) / 2;
    const char* ancre = placement.x > 0 ? "start" : placement.x < 0 ? "end" : "middle";
    // Digit runs as subscripts, a double quote as two primes, as in the LaTeX label.
    std::string texte;
    const std::string& nom = p.etiquette;
    for (std::size_t i = 0; i < nom.size();) {
        if (nom[i] >= '0' && nom[i] <= '9') {
            std::size_t fin = i;
            while (fin < nom.size() && nom[fin] >= '0' && nom[fin] <= '9')
                ++fin;
            texte += "<tspan baseline-shift=\"sub\" font-size=\"70%\">" + nom.substr(i, fin - i) +
                     "</tspan>";
            i = fin;
            continue;
        }
        texte += nom[i] == '"' ? std::string("&#8242;&#8242;") : Texte_xml(nom.substr(i, 1));
        ++i;
    }
    Ajouter_ligne_lf(sortie_, "<text x=\"", Nombre(x), "\" y=\"", Nombre(y + descente),
                     "\" fill=\"", couleur,
                     "\" font-family=\"Latin Modern Math, Latin Modern Roman, CMU Serif, serif\" "
                     "font-style=\"italic\" font-size=\"",
                     Nombre(taille_etiquette), "\" text-anchor=\"", ancre, "\">", texte, "</text>");
}

// Joined points as one polyline, from the second point to the one before the last as
// PSTricks' ecurve draws them; dots as small discs.
void TEcrivain_svg::Courbe(const TCourbe_scene& c)
{
    if (!c.points_lies) {
        const std::string couleur = Couleur(c.trait.couleur);
        for (const Tcoordonnees& p : c.points)
            Ajouter_ligne_lf(sortie_, "<circle cx=\"", Nombre(X(p.x)), "\" cy=\"", Nombre(Y(p.y)),
                             "\" r=\"", Nombre(pstricks::rayon_point_courbe), "\" fill=\"", couleur,
                             "\"/>");
        return;
    }
    if (c.points.size() < 4)
        return;
    std::string points;
    for (std::size_t i = 1; i + 1 < c.points.size(); ++i) {
        if (i > 1)
            points += i % 8 == 1 ? '\n' : ' ';
        points += XY(c.points[i]);
    }
    Ajouter_ligne_lf(sortie_, "<polyline points=\"", points, "\" ", Trait(c.trait), "/>");
}

} // namespace

std::string Image_svg(const TScene& scene)
{
    return TEcrivain_svg(scene).Image();
}

} // namespace trazel
