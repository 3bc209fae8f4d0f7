#include "latex/droites.h"

#include <algorithm>
#include <array>

#include "calc/conversion_chaines.h"
#include "latex/points.h"
#include "latex/texte_image.h"

namespace trazel {
namespace {

// A point up to this far outside a box (figure units) still counts as in it. The points
// tested lie on one carrier line, but its crossings with the window's edges are computed:
// rounded by a few units of the last place, they would put the ends of a segment parallel
// to an axis just outside their own box, and the visible segment would be dropped.
constexpr Reel tolerance_boite = 1e-10L;

constexpr const char* hors_fenetre = "% Hors fen\xEAtre d'affichage";

// The crossings found so far: a slot is kept only when the crossing lies strictly inside
// its edge, so the counted ones fill the slots in order.
class TCompte_traversees {
  public:
    bool complet() const { return compte_ == 2; }
    void Essayer(const std::optional<Tcoordonnees>& point, bool dans_le_bord)
    {
        if (!point || complet())
            return;
        slots_[compte_] = *point;
        if (dans_le_bord)
            ++compte_;
    }
    TTroncon troncon() const { return {slots_[0], slots_[1]}; }

  private:
    std::array<Tcoordonnees, 2> slots_{};
    std::size_t compte_ = 0;
};

bool Strictement_entre(Reel bas, Reel t, Reel haut)
{
    return bas < t && t < haut;
}

// The piece's line, or the outside comment; the numbers go straight into the picture.
void Ecrire_troncon(const std::optional<TTroncon>& troncon, const std::string& couleur,
                    const std::string& style, std::string& sortie)
{
    if (!troncon) {
        Ajouter_ligne(sortie, hors_fenetre);
        return;
    }
    const TTroncon& t = *troncon;
    sortie.append("\\psline[linewidth=1pt, linecolor=").append(couleur);
    sortie.append(", linestyle=").append(style).append("](");
    Ajouter_reel(sortie, t.a.x);
    sortie.append(", ");
    Ajouter_reel(sortie, t.a.y);
    sortie.append(")(");
    Ajouter_reel(sortie, t.b.x);
    sortie.append(", ");
    Ajouter_reel(sortie, t.b.y);
    Ajouter_ligne(sortie, ")");
}

// A mark is a point named by its rank, drawn in the line's colour, without a label.
void Ecrire_graduations(const Tdroite& droite, const TTroncon& traversee,
                        const TCadre_image& fenetre, std::string& sortie)
{
    // A line without its own frame is graduated from point1 along its direction, which is
    // what its own frame holds.
    const Tpoint& origine = *(droite.repere ? droite.repere->origine : droite.point1);
    const Tvecteur& vecteur = *(droite.repere ? droite.repere->vecteur1 : droite.vecteur);
    Ajouter_ligne(sortie, "% Graduations ", droite.nom);
    for (const TGraduation& g :
         Graduations(Coordonnees(origine), Coordonnees(vecteur), droite.pas, traversee)) {
        Tpoint marque{
            .nom = std::to_string(g.rang), .couleur = droite.couleur, .nom_dessine = false};
        Placer(marque, g.position);
        Ecrire_point(marque, fenetre, sortie);
    }
}

} // namespace

Tcoordonnees Coin_min(Tcoordonnees a, Tcoordonnees b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y)};
}

Tcoordonnees Coin_max(Tcoordonnees a, Tcoordonnees b)
{
    return {std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool Dans_boite(Tcoordonnees a, Tcoordonnees p, Tcoordonnees b)
{
    const Tcoordonnees bas = Coin_min(a, b);
    const Tcoordonnees haut = Coin_max(a, b);
    return bas.x - p.x <= tolerance_boite && p.x - haut.x <= tolerance_boite &&
           bas.y - p.y <= tolerance_boite && p.y - haut.y <= tolerance_boite;
}

// The edges are horizontal and vertical lines through the window's bounds; a crossing at a
// corner is strictly inside neither edge and so is not counted.
std::optional<TTroncon> Traversee_fenetre(const Tligne& porteuse, const TCadre_image& f)
{
    TCompte_traversees compte;
    for (const Reel y : {f.ymin, f.ymax}) {
        const auto i = Intersection_droites(porteuse, {{0, y}, {1, 0}});
        compte.Essayer(i, i && Strictement_entre(f.xmin, i->x, f.xmax));
    }
    for (const Reel x : {f.xmin, f.xmax}) {
        const auto i = Intersection_droites(porteuse, {{x, 0}, {0, 1}});
        compte.Essayer(i, i && Strictement_entre(f.ymin, i->y, f.ymax));
    }
    if (!compte.complet())
        return std::nullopt;
    return compte.troncon();
}

// All the points tested lie on one line, so "in the box of X and Y" means "between X and Y".
std::optional<TTroncon> Troncon_demi_droite(const Tligne& porteuse, Tcoordonnees r, Tcoordonnees s,
                                            const TCadre_image& fenetre)
{
    const std::optional<TTroncon> t = Traversee_fenetre(porteuse, fenetre);
    if (!t)
        return std::nullopt;
    const Tcoordonnees i1 = t->a;
    const Tcoordonnees i2 = t->b;
    const bool debut_et_passage_dedans = Dans_boite(i1, r, i2) && Dans_boite(i1, s, i2);
    if (!debut_et_passage_dedans && !Dans_boite(r, i1, s) && !Dans_boite(r, i2, s) &&
        !Dans_boite(r, s, i1))
        return std::nullopt;
    if (debut_et_passage_dedans)
        return Dans_boite(i1, s, r) ? TTroncon{i1, r} : TTroncon{r, i2};
    if (Dans_boite(r, i1, s) && Dans_boite(r, i2, s))
        return TTroncon{i1, i2};
    if (Dans_boite(i1, r, i2))
        return Dans_boite(r, i1, s) ? TTroncon{i1, r} : TTroncon{r, i2};
    return TTroncon{i1, i2};
}

std::optional<TTroncon> Troncon_segment(Tcoordonnees p, Tcoordonnees q, const TCadre_image& fenetre)
{
    const std::optional<TTroncon> t = Traversee_fenetre({p, Vecteur_de(p, q)}, fenetre);
    if (!t)
        return std::nullopt;
    const Tcoordonnees i1 = t->a;
    const Tcoordonnees i2 = t->b;
    const bool p_visible = Dans_boite(i1, p, i2);
    if (p_visible && Dans_boite(i1, q, i2))
        return TTroncon{p, q};
    if (Dans_boite(p, i1, q) && Dans_boite(p, i2, q))
        return TTroncon{i1, i2};
    if (Dans_boite(p, i1, q))
        return p_visible ? TTroncon{i1, p} : TTroncon{i1, q};
    if (Dans_boite(p, i2, q))
        return p_visible ? TTroncon{p, i2} : TTroncon{q, i2};
    return std::nullopt;
}

std::vector<TGraduation> Graduations(Tcoordonnees origine, Tcoordonnees vecteur, Reel pas,
                                     const TTroncon& traversee)
{
    // Every mark would fall on the origin and no run would ever leave the window.
    if (pas == 0 || (vecteur.x == 0 && vecteur.y == 0))
        return {};
    std::vector<TGraduation> marques;
    for (const int sens : {1, -1})
        for (int k = 1; k <= graduations_max; ++k) {
            const int n = sens * k;
            const Tcoordonnees g = Point_plus_vecteur(origine, vecteur, n * pas);
            marques.push_back({n, g});
            if (!Dans_boite(traversee.a, g, origine) && !Dans_boite(traversee.b, g, origine))
                break;
        }
    return marques;
}

void Ecrire_droite(const Tdroite& droite, const TCadre_image& fenetre, std::string& sortie)
{
    if (!droite.dessine)
        return;
    const std::optional<TTroncon> traversee = Traversee_fenetre(Ligne_de(droite), fenetre);
    Ajouter_ligne(sortie, "% Droite ", droite.nom);
    Ecrire_troncon(traversee, droite.couleur, droite.style, sortie);
    if (traversee && droite.graduee)
        Ecrire_graduations(droite, *traversee, fenetre, sortie);
}

void Ecrire_demi_droite(const Tdroite& demi_droite, const TCadre_image& fenetre,
                        std::string& sortie)
{
    if (!demi_droite.dessine)
        return;
    const Tligne porteuse = Ligne_de(demi_droite);
    // A half-line named after its two points always has point2; without it, the direction
    // gives a point it runs through.
    const Tcoordonnees passage = demi_droite.point2
                                     ? Coordonnees(*demi_droite.point2)
                                     : Point_plus_vecteur(porteuse.point, porteuse.direction, 1);
    Ajouter_ligne(sortie, "% Droite ", demi_droite.nom);
    Ecrire_troncon(Troncon_demi_droite(porteuse, porteuse.point, passage, fenetre),
                   demi_droite.couleur, demi_droite.style, sortie);
}

void Ecrire_segment(const Tsegment& segment, const TCadre_image& fenetre, std::string& sortie)
{
    if (!segment.dessine)
        return;
    Ajouter_ligne(sortie, "% Segment ", segment.nom);
    Ecrire_troncon(Troncon_segment(Coordonnees(*segment.extremite1),
                                   Coordonnees(*segment.extremite2), fenetre),
                   segment.couleur, segment.style, sortie);
}

} // namespace trazel
