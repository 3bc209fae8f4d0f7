// The scene walks the construction steps as the writer does and keeps, for each object, the
// pieces the writer would print, computed by the same routines.

#include "latex/scene.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "latex/courbes.h"
#include "latex/droites.h"
#include "latex/points.h"
#include "model/erreurs.h"

namespace trazel {
namespace {

// A number the figure model holds as text ("1.5", "-135"), read without the C locale: the
// desktop program runs under the user's, where "1.5" would read as 1.
Reel Nombre(const std::string& texte)
{
    Reel valeur = 0;
    std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return valeur;
}

TTrait_scene Trait(const std::string& couleur, const std::string& style)
{
    return {couleur, style};
}

// A point shows its mark when drawn and inside, its label when shown and inside.
void Ajouter_point(TScene& s, const Tpoint& p)
{
    const Tcoordonnees position = Coordonnees(p);
    if (!Dans_le_cadre(position, s.fenetre))
        return;
    TPoint_scene point{position, p.couleur, 0, {}, 0};
    if (p.dessine)
        point.marque = Nombre(p.marque);
    if (p.nom_dessine) {
        point.etiquette = p.nom;
        point.direction = Nombre(Direction_nom(p, s.fenetre));
    }
    if (point.marque > 0 || !point.etiquette.empty())
        s.points.push_back(std::move(point));
}

void Ajouter_troncon(TScene& s, const std::optional<TTroncon>& troncon, const TTrait_scene& trait)
{
    if (troncon)
        s.segments.push_back({troncon->a, troncon->b, trait});
}

// A line, with its graduation marks drawn as the writer draws them: unnamed points.
void Ajouter_droite(TScene& s, const Tdroite& d)
{
    if (!d.dessine)
        return;
    const std::optional<TTroncon> traversee = Traversee_fenetre(Ligne_de(d), s.fenetre);
    Ajouter_troncon(s, traversee, Trait(d.couleur, d.style));
    if (!traversee || !d.graduee)
        return;
    const Tpoint& origine = *(d.repere ? d.repere->origine : d.point1);
    const Tvecteur& vecteur = *(d.repere ? d.repere->vecteur1 : d.vecteur);
    for (const TGraduation& g :
         Graduations(Coordonnees(origine), Coordonnees(vecteur), d.pas, *traversee)) {
        Tpoint marque{.couleur = d.couleur, .nom_dessine = false};
        Placer(marque, g.position);
        Ajouter_point(s, marque);
    }
}

void Ajouter_demi_droite(TScene& s, const Tdroite& d)
{
    if (!d.dessine)
        return;
    const Tligne porteuse = Ligne_de(d);
    const Tcoordonnees passage = d.point2
                                     ? Coordonnees(*d.point2)
                                     : Point_plus_vecteur(porteuse.point, porteuse.direction, 1);
    Ajouter_troncon(s, Troncon_demi_droite(porteuse, porteuse.point, passage, s.fenetre),
                    Trait(d.couleur, d.style));
}

void Ajouter_segment(TScene& s, const Tpoint& p, const Tpoint& q, const TTrait_scene& trait)
{
    Ajouter_troncon(s, Troncon_segment(Coordonnees(p), Coordonnees(q), s.fenetre), trait);
}

void Ajouter_cercle(TScene& s, const Tcercle& c, bool dessine, const std::string& couleur,
                    Reel debut, Reel fin)
{
    if (!dessine)
        return;
    const Trond rond = Rond_de(c);
    const TCercle_visible visible = Cercle_visible(rond, s.fenetre, debut, fin);
    const TTrait_scene trait = Trait(couleur, c.style);
    if (visible.tour_complet) {
        s.arcs.push_back({rond.centre, rond.rayon, debut, fin, trait});
        return;
    }
    for (const TPortion& portion : visible.portions)
        s.arcs.push_back({rond.centre, rond.rayon, portion.debut, portion.fin, trait});
}

// A frame's two axes, graduated like lines.
void Ajouter_repere(TScene& s, const Trepere& r)
{
    Trepere propre{.origine = r.origine, .vecteur1 = r.vecteur1};
    Tdroite axe{.point1 = r.origine,
                .vecteur = r.vecteur1,
                .graduee = true,
                .pas = r.pas1,
                .repere = &propre,
                .dessine = r.dessine,
                .couleur = r.couleur,
                .style = r.style};
    Ajouter_droite(s, axe);
    axe.vecteur = propre.vecteur1 = r.vecteur2;
    axe.pas = r.pas2;
    Ajouter_droite(s, axe);
}

// The runs of a curve between its undefined samples; the view clips them to the window.
void Ajouter_courbe_vue(TScene& s, TCourbe_scene run, const TEchantillons& echantillons)
{
    for (const TEchantillon& e : echantillons) {
        if (e.defini) {
            run.points.push_back({e.x, e.y});
            continue;
        }
        if (!run.points.empty())
            s.courbes.push_back(run);
        run.points.clear();
    }
    if (!run.points.empty())
        s.courbes.push_back(std::move(run));
}

// The data sets of the PSTricks writer (Ecrire_echantillons): the state starts inside; a run
// opens at the first sample or when the curve comes back in, with the sample before when it
// has a value, and closes at the first sample outside after it, taken when it has a value.
void Ajouter_courbe_image(TScene& s, TCourbe_scene run, TEchantillons echantillons)
{
    Marquer_bascules(echantillons, s.fenetre);
    bool dehors = false;
    bool en_attente = true;
    const TEchantillon* precedent = nullptr;
    for (const TEchantillon& e : echantillons) {
        if (e.bascule) {
            if (dehors) {
                if (precedent != nullptr && precedent->defini)
                    run.points.push_back({precedent->x, precedent->y});
                dehors = false;
            } else {
                dehors = true;
                en_attente = precedent == nullptr;
            }
        }
        if (!dehors) {
            run.points.push_back({e.x, e.y});
        } else if (!en_attente) {
            en_attente = true;
            if (e.defini)
                run.points.push_back({e.x, e.y});
            s.courbes.push_back(run);
            run.points.clear();
        }
        precedent = &e;
    }
    if (!dehors && !run.points.empty())
        s.courbes.push_back(std::move(run));
}

void Ajouter_courbe(TScene& s, const TCourbe& courbe, const TEchantillons& echantillons,
                    TCoupe_courbes coupe)
{
    if (!courbe.dessinee)
        return;
    TCourbe_scene run{{}, Trait(courbe.couleur, courbe.style), courbe.points_lies};
    if (coupe == TCoupe_courbes::image)
        Ajouter_courbe_image(s, std::move(run), echantillons);
    else
        Ajouter_courbe_vue(s, std::move(run), echantillons);
}

// The pieces added since the sizes `avant` belong to the object of that line.
void Marquer_ligne(TScene& s, const std::array<std::size_t, 4>& avant, int ligne)
{
    const auto marquer = [ligne](auto& pieces, std::size_t depuis) {
        for (std::size_t k = depuis; k < pieces.size(); ++k)
            pieces[k].ligne = ligne;
    };
    marquer(s.segments, avant[0]);
    marquer(s.arcs, avant[1]);
    marquer(s.points, avant[2]);
    marquer(s.courbes, avant[3]);
}

// The comment the PSTricks writer puts before the object, by the kind drawn.
std::string Commentaire(TDessin dessin, TArgument* objet)
{
    switch (dessin) {
    case TDessin::point:
        return "Point " + Donnee<Tpoint>(objet)->nom;
    case TDessin::droite:
    case TDessin::demi_droite:
        return "Droite " + Donnee<Tdroite>(objet)->nom;
    case TDessin::segment:
        return "Segment " + Donnee<Tsegment>(objet)->nom;
    case TDessin::repere:
        return "Trac\xE9 du rep\xE8re " + Donnee<Trepere>(objet)->nom;
    case TDessin::cercle:
        return "Cercle " + Donnee<Tcercle>(objet)->nom;
    case TDessin::arc:
        return "Arc de cercle " + Donnee<Tarc_de_cercle>(objet)->cercle->nom;
    case TDessin::polygone:
        return "Polygone " + Donnee<Tpolygone>(objet)->nom;
    case TDessin::lieu:
    case TDessin::graphe:
        return "Courbe " + Donnee<TCourbe>(objet)->nom;
    case TDessin::rien:
    case TDessin::entete:
        break;
    }
    return {};
}

void Ajouter_objet(TScene& s, const TEtape& etape, TEtape* premiere, TContexte_calcul& contexte,
                   long echantillons_max, TCoupe_courbes coupe)
{
    TArgument* const objet = Dernier_argument(etape.arguments);
    switch (Dessin_du_genre(etape.genre)) {
    case TDessin::point:
        Ajouter_point(s, *Donnee<Tpoint>(objet));
        break;
    case TDessin::droite:
        Ajouter_droite(s, *Donnee<Tdroite>(objet));
        break;
    case TDessin::demi_droite:
        Ajouter_demi_droite(s, *Donnee<Tdroite>(objet));
        break;
    case TDessin::segment: {
        const Tsegment& g = *Donnee<Tsegment>(objet);
        if (g.dessine)
            Ajouter_segment(s, *g.extremite1, *g.extremite2, Trait(g.couleur, g.style));
        break;
    }
    case TDessin::repere:
        Ajouter_repere(s, *Donnee<Trepere>(objet));
        break;
    case TDessin::cercle: {
        const Tcercle& c = *Donnee<Tcercle>(objet);
        Ajouter_cercle(s, c, c.dessine, c.couleur, 0, deux_pi_etendu);
        break;
    }
    case TDessin::arc: {
        const Tarc_de_cercle& a = *Donnee<Tarc_de_cercle>(objet);
        Ajouter_cercle(s, *a.cercle, a.dessine, a.couleur, a.angle_debut, a.angle_fin);
        break;
    }
    case TDessin::polygone: {
        const Tpolygone& p = *Donnee<Tpolygone>(objet);
        for (std::size_t k = 0; p.dessine && k < p.sommets.size(); ++k)
            Ajouter_segment(s, *p.sommets[k], *p.sommets[(k + 1) % p.sommets.size()],
                            Trait(p.couleur, p.style));
        break;
    }
    case TDessin::lieu:
    case TDessin::graphe:
        Ajouter_courbe(s, *Donnee<TCourbe>(objet),
                       Echantillons_de_l_etape(etape, premiere, contexte, echantillons_max), coupe);
        break;
    case TDessin::rien:
    case TDessin::entete:
        break;
    }
}

} // namespace

TObjet_scene Fin_de_l_objet(const TScene& s, std::size_t k)
{
    if (k + 1 < s.objets.size())
        return s.objets[k + 1];
    return {{}, 0, s.segments.size(), s.arcs.size(), s.points.size(), s.courbes.size()};
}

std::vector<Reel> Graduations_axe(Reel debut, Reel fin, Reel unite)
{
    const Reel points_par_unite = unite * 72.27L / 2.54L;
    const Reel derniere = fin - pstricks::sans_graduation / points_par_unite;
    // So many ticks would be a solid band that no picture needs: a window of a billion
    // units would otherwise take as many steps.
    if (!(derniere - debut <= graduations_maximales))
        return {};
    std::vector<Reel> valeurs;
    for (Reel k = std::ceil(debut); k <= derniere; ++k)
        if (k != 0)
            valeurs.push_back(k);
    return valeurs;
}

TScene Scene_de_la_figure(TEtape* premiere, TFigure& figure, TForm2& form2,
                          const TCadre_latex& cadre, long echantillons_max, TCoupe_courbes coupe)
{
    TScene s;
    TContexte_calcul contexte{figure, form2};
    bool fenetre_lue = false;
    for (TEtape* etape = premiere; etape != nullptr && etape->genre > Genre(TCode::fin);
         etape = etape->suivante) {
        if (etape->code() == TCode::premiere) {
            TCadre_image& fenetre = *Donnee<TCadre_image>(etape->arguments);
            const TReperexoy& roxy = *Donnee<TReperexoy>(Dernier_argument(etape->arguments));
            Pour_la_ligne(etape->ligne, [&] { Convertir_fenetre(roxy, fenetre); });
            s.fenetre = fenetre;
            s.unite = Unite_image(fenetre, cadre);
            s.axes = Axes_visibles(roxy, fenetre);
            s.couleur_axes = roxy.couleur;
            fenetre_lue = true;
        } else if (etape->genre <= code_maximal) {
            if (!fenetre_lue)
                throw std::logic_error("une \xE9tape pr\xE9"
                                       "c\xE8"
                                       "de la fen\xEAtre de l'image");
            const std::array<std::size_t, 4> avant{s.segments.size(), s.arcs.size(),
                                                   s.points.size(), s.courbes.size()};
            Pour_la_ligne(etape->ligne, [&] {
                Ajouter_objet(s, *etape, premiere, contexte, echantillons_max, coupe);
            });
            Marquer_ligne(s, avant, etape->ligne);
            const TDessin dessin = Dessin_du_genre(etape->genre);
            if (dessin != TDessin::rien && dessin != TDessin::entete)
                s.objets.push_back({Commentaire(dessin, Dernier_argument(etape->arguments)),
                                    etape->ligne, avant[0], avant[1], avant[2], avant[3]});
        }
    }
    return s;
}

} // namespace trazel
