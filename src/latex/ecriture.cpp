#include "latex/ecriture.h"

#include <stdexcept>

#include "latex/courbes.h"
#include "latex/droites.h"
#include "latex/points.h"
#include "latex/polygones.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// The editor shows 1.5245902 times the width of the "Position de Roxy" range, centred on
// it. The constants are the extended reals nearest to these decimals, as the editor uses
// them (not 32/61 and 93/61).
constexpr Reel marge_editeur = 0.5245902L;
constexpr Reel largeur_editeur = 1.5245902L;

std::string Boite(const TCadre_image& f)
{
    return "(" + Reel_en_texte(f.xmin) + "," + Reel_en_texte(f.ymin) + ")(" +
           Reel_en_texte(f.xmax) + "," + Reel_en_texte(f.ymax) + ")";
}

// The supporting circle drawn between the arc's two angles, with the arc's own `dessine`
// and colour but the circle's line style.
void Ecrire_arc(const Tarc_de_cercle& arc, const TCadre_image& fenetre, Reel unite,
                std::string& sortie)
{
    const Tcercle& cercle = *arc.cercle;
    Ecrire_cercle(cercle, TTrait{arc.dessine, arc.couleur, cercle.style}, fenetre, unite,
                  arc.angle_debut, arc.angle_fin, sortie);
}

// The current window exists once the first step has been written.
const TCadre_image& Fenetre(const TCadre_image* fenetre, std::int32_t genre)
{
    if (fenetre == nullptr)
        throw std::logic_error("le genre " + std::to_string(genre) +
                               " pr\xE9"
                               "c\xE8"
                               "de la fen\xEAtre de l'image");
    return *fenetre;
}

// Lines, half-lines, segments, frames, circles, arcs, polygons and points: the object is
// the donnee of the step's last argument.
void Ecrire_objet(const TEtape& etape, TDessin dessin, const TCadre_image& fenetre, Reel unite,
                  std::string& sortie)
{
    TArgument* const objet = Dernier_argument(etape.arguments);
    switch (dessin) {
    case TDessin::point:
        Ecrire_point(*Donnee<Tpoint>(objet), fenetre, sortie);
        break;
    case TDessin::droite:
        Ecrire_droite(*Donnee<Tdroite>(objet), fenetre, sortie);
        break;
    case TDessin::demi_droite:
        Ecrire_demi_droite(*Donnee<Tdroite>(objet), fenetre, sortie);
        break;
    case TDessin::segment:
        Ecrire_segment(*Donnee<Tsegment>(objet), fenetre, sortie);
        break;
    case TDessin::repere:
        Ecrire_repere(*Donnee<Trepere>(objet), fenetre, sortie);
        break;
    case TDessin::cercle: {
        const Tcercle& cercle = *Donnee<Tcercle>(objet);
        Ecrire_cercle(cercle, Trait_de(cercle), fenetre, unite, 0, deux_pi_etendu, sortie);
        break;
    }
    case TDessin::arc:
        Ecrire_arc(*Donnee<Tarc_de_cercle>(objet), fenetre, unite, sortie);
        break;
    case TDessin::polygone:
        Ecrire_polygone(*Donnee<Tpolygone>(objet), fenetre, sortie);
        break;
    case TDessin::rien:
    case TDessin::entete:
    case TDessin::lieu:
    case TDessin::graphe:
        throw std::logic_error("aucun \xE9metteur pour le genre " + std::to_string(etape.genre));
    }
}

// Loci and graphs: their arguments are read by the curve module, which samples them through
// the calculation context.
void Ecrire_courbe_de_l_etape(const TEtape& etape, TDessin dessin, TEtape* premiere,
                              const TCadre_image& fenetre, TContexte_calcul& contexte,
                              std::string& sortie)
{
    if (dessin == TDessin::lieu)
        Ecrire_lieu(etape, premiere, fenetre, contexte, sortie);
    else
        Ecrire_graphe(etape, fenetre, contexte, sortie);
}

void Ecrire_etapes(TEtape* premiere, const TCadre_latex& cadre, TContexte_calcul& contexte,
                   std::string& sortie)
{
    TCadre_image* fenetre = nullptr;
    Reel unite = 0; // of the converted window, set with it
    for (TEtape* etape = premiere; etape != nullptr && etape->genre > Genre(TCode::fin);
         etape = etape->suivante) {
        const TDessin dessin = Dessin_du_genre(etape->genre);
        if (dessin == TDessin::rien)
            continue;
        if (dessin == TDessin::entete) {
            fenetre = Donnee<TCadre_image>(etape->arguments);
            // The frame is the caller's; a window without surface is the figure's line.
            Controler_cadre_latex(cadre);
            Pour_la_ligne(etape->ligne, [&] {
                Ecrire_entete(*Donnee<TReperexoy>(Dernier_argument(etape->arguments)), *fenetre,
                              cadre, sortie);
            });
            unite = Unite_image(*fenetre, cadre);
            continue;
        }
        Pour_la_ligne(etape->ligne, [&] {
            if (dessin == TDessin::lieu || dessin == TDessin::graphe)
                Ecrire_courbe_de_l_etape(*etape, dessin, premiere, Fenetre(fenetre, etape->genre),
                                         contexte, sortie);
            else
                Ecrire_objet(*etape, dessin, Fenetre(fenetre, etape->genre), unite, sortie);
        });
    }
}

} // namespace

void Controler_cadre_latex(const TCadre_latex& cadre)
{
    if (!(cadre.largeur > 0) || !(cadre.hauteur > 0))
        throw Erreur_trazel("la largeur et la hauteur du cadre LaTeX doivent \xEAtre positives");
}

Reel Unite_image(const TCadre_image& fenetre, const TCadre_latex& cadre)
{
    const Reel u = Diviser(cadre.largeur, fenetre.xmax - fenetre.xmin);
    const Reel v = Diviser(cadre.hauteur, fenetre.ymax - fenetre.ymin);
    return v < u ? v : u;
}

void Convertir_fenetre(const TReperexoy& roxy, TCadre_image& fenetre)
{
    const Reel l = roxy.xmax - roxy.xmin;
    const Reel m = l * marge_editeur / 2;
    const Reel gauche = roxy.xmin - m + largeur_editeur * l * fenetre.xmin;
    const Reel droite = roxy.xmin - m + largeur_editeur * l * fenetre.xmax;
    const Reel haut = roxy.ymax - l * fenetre.ymin;
    const Reel bas = roxy.ymax - l * fenetre.ymax;
    fenetre.xmin = gauche;
    fenetre.ymin = bas;
    fenetre.xmax = droite;
    fenetre.ymax = haut;
    if (!(droite > gauche) || !(haut > bas))
        throw Erreur_trazel("l'image n'a pas de surface : la plage de \xAB Position de Roxy \xBB "
                            "ou le \xAB Double cadre \xBB donne une largeur ou une hauteur "
                            "nulle ou n\xE9gative");
}

bool Axes_visibles(const TReperexoy& roxy, const TCadre_image& f)
{
    return roxy.dessine && f.xmin < 0 && 0 < f.xmax && f.ymin < 0 && 0 < f.ymax;
}

void Ecrire_entete(const TReperexoy& roxy, TCadre_image& fenetre, const TCadre_latex& cadre,
                   std::string& sortie)
{
    Controler_cadre_latex(cadre);
    Convertir_fenetre(roxy, fenetre);
    const std::string unite = Reel_en_texte(Unite_image(fenetre, cadre));
    Ajouter_ligne(sortie, "% Unit\xE9s Latex");
    Ajouter_ligne(sortie, "\\psset{xunit=" + unite + "cm}");
    Ajouter_ligne(sortie, "\\psset{yunit=" + unite + "cm}");
    Ajouter_ligne(sortie, "\\begin{pspicture}" + Boite(fenetre));
    Ajouter_ligne(sortie, "\\small");
    if (Axes_visibles(roxy, fenetre)) {
        Ajouter_ligne(sortie, "% Trac\xE9 du rep\xE8re Roxy");
        Ajouter_ligne(sortie, "\\psaxes[linewidth=1pt, Dx=1, Dy=1, linecolor=" + roxy.couleur +
                                  ", labels=none]{->}(0,0)" + Boite(fenetre));
    }
}

void Ecrire_repere(const Trepere& repere, const TCadre_image& fenetre, std::string& sortie)
{
    Ajouter_ligne(sortie, "% Trac\xE9 du rep\xE8re " + repere.nom);
    // Each axis is a graduated line through the origin, marked along its own basis vector.
    Trepere axe_repere;
    axe_repere.origine = repere.origine;
    axe_repere.vecteur1 = repere.vecteur1;
    Tdroite axe;
    axe.nom = "Axe1";
    axe.point1 = repere.origine;
    axe.vecteur = repere.vecteur1;
    axe.graduee = true;
    axe.pas = repere.pas1;
    axe.repere = &axe_repere;
    axe.dessine = repere.dessine;
    axe.couleur = repere.couleur;
    axe.style = repere.style;
    Ecrire_droite(axe, fenetre, sortie);
    axe.nom = "Axe2";
    axe.vecteur = axe_repere.vecteur1 = repere.vecteur2;
    axe.pas = repere.pas2;
    Ecrire_droite(axe, fenetre, sortie);
}

void Ecrire_figure(TEtape* premiere, const TCadre_latex& cadre, TContexte_calcul& contexte,
                   std::string& sortie)
{
    Ecrire_etapes(premiere, cadre, contexte, sortie);
}

} // namespace trazel
