#include "lecture/lecteur.h"

#include <array>

#include "calc/geometrie.h"
#include "calc/noms.h"
#include "lecture/particularites.h"
#include "lecture/regles.h"
#include "model/encodage.h"
#include "model/erreurs.h"
#include "model/mots.h"
#include "model/phrases.h"

namespace trazel {
namespace {

constexpr std::string_view prefixe_double_cadre =
    "Double cadre limitant l'image (impression ou copie) : ";

// Keywords that begin a construction as the second word of an object line.
bool A_une_regle(int code)
{
    static constexpr std::array regles = {
        mc_point,     mc_milieu,      mc_centre,      mc_orthocentre, mc_projete,  mc_barycentre,
        mc_sur,       mc_droite,      mc_demi_droite, mc_cercle,      mc_arc,      mc_polygone,
        mc_rectangle, mc_cadre,       mc_mediatrice,  mc_bissectrice, mc_symetrie, mc_translation,
        mc_rotation,  mc_homothetie,  mc_similitude,  mc_composee,    mc_image,    mc_egal,
        mc_fonction,  mc_coefficient, mc_entier,      mc_reel,        mc_rayon,    mc_aire,
        mc_produit,   mc_mesure,      mc_distance,    mc_abscisse,    mc_ordonnee, mc_longueur,
        mc_unite,     mc_repere,      mc_lieu,        mc_graphe};
    for (const int regle : regles)
        if (regle == code)
            return true;
    return false;
}

// Lines that start with a fixed word instead of the object's name.
bool Est_mot_fixe(std::string_view mot)
{
    return mot == "vec" || mot == "Droite" || mot == "Demi-droite" || mot == "Segment";
}

} // namespace

TLecteur::TLecteur(TFigure& figure, TForm2& form2, std::string texte, std::string chemin)
    : figure_(figure), form2_(form2), contexte_{figure, form2}, texte_(std::move(texte)),
      lignes_(Vues_des_lignes(texte_)), chemin_(std::move(chemin)),
      etapes_(figure, figure.Nouvelle_etape())
{
}

const char* const message_pas_une_figure =
    "ce fichier n'est pas une figure : la ligne \xAB Position de Roxy: Xmin: \x85, "
    "Xmax: \x85, Ymax: \x85 \xBB manque";

// The same walk as TLecteur::Lire's over the header.
std::optional<std::size_t> Ligne_position_roxy(const std::vector<std::string_view>& lignes)
{
    std::size_t i = 3;
    while (i < lignes.size() && lignes[i].empty())
        ++i;
    int position = 1;
    if (i >= lignes.size() || Mot_suivant(lignes[i], position) != Mot_du_code(mc_position))
        return std::nullopt;
    return i;
}

bool TLecteur::Ligne_suivante()
{
    position_ = 1;
    if (suivante_ >= lignes_.size()) {
        ligne_.clear();
        numero_ = 0;
        return false;
    }
    ligne_ = lignes_[suivante_++];
    numero_ = static_cast<int>(suivante_);
    return true;
}

// Plain numerals, most free points' parameters, are read by Evaluer_expression directly.
Reel TLecteur::Evaluer(const std::string& texte, Reel echelle)
{
    return form2_.Evaluer_expression(texte, figure_.liste_points, echelle);
}

Tcoordonnees TLecteur::Lire_parametres_point_libre()
{
    Ligne_suivante();
    const Tdeux_textes xy = Textes_parametres(ligne_);
    if (xy.premier.empty() || xy.second.empty())
        Echec("la ligne \xAB  Objet libre \x85, param\xE8tres: x, y \xBB du point libre "
              "manque ici");
    const Reel x = Evaluer(xy.premier);
    return {x, Evaluer(xy.second)};
}

Reel TLecteur::Lire_valeur_parametre()
{
    Ligne_suivante();
    const std::string valeur = Texte_valeur_parametre(ligne_);
    if (valeur.empty())
        Echec("la ligne \xAB  Objet libre \x85, param\xE8tre: t \xBB du point manque ici");
    return Evaluer(valeur);
}

void TLecteur::Ignorer_ligne(std::string raison)
{
    ignorees_.push_back({numero_, ligne_, std::move(raison)});
    Passer_lignes_suivantes();
}

void TLecteur::Passer_lignes_suivantes()
{
    while (Ligne_suivante() && Est_ligne_d_attributs(ligne_)) {
    }
}

bool TLecteur::Est_ligne_d_attributs(std::string_view ligne)
{
    return ligne.starts_with("  ");
}

std::string TLecteur::Mot()
{
    return Mot_suivant(ligne_, position_);
}

void TLecteur::Attendre(std::string_view attendu)
{
    if (Mot() != attendu)
        throw TPhrase_non_reconnue{};
}

bool TLecteur::Suivi_de(std::string_view texte)
{
    const auto debut = static_cast<std::size_t>(position_ - 1);
    if (position_ < 1 ||
        std::string_view(ligne_).substr(std::min(debut, ligne_.size())).substr(0, texte.size()) !=
            texte)
        return false;
    position_ += static_cast<int>(texte.size());
    while (position_ <= static_cast<int>(ligne_.size()) &&
           Est_delimiteur(ligne_[static_cast<std::size_t>(position_ - 1)]))
        ++position_;
    return true;
}

// The blanks around the text go: before a "(" the notation converter would read a blank as
// an implicit product.
std::string TLecteur::Texte(char terminateur)
{
    return std::string(Sans_espaces_autour(Texte_equilibre(ligne_, position_, terminateur)));
}

bool TLecteur::Aller_apres(std::string_view mot)
{
    int position = 1;
    while (position <= static_cast<int>(ligne_.size()))
        if (Mot_suivant(ligne_, position) == mot) {
            position_ = position;
            return true;
        }
    return false;
}

Tpoint* TLecteur::Nouveau_point(const std::string& nom)
{
    Tpoint* p = Point_isole(nom);
    figure_.liste_points.push_back(p);
    return p;
}

Tpoint* TLecteur::Point_isole(const std::string& nom)
{
    return figure_.Nouveau<Tpoint>({.nom = nom});
}

Tvecteur* TLecteur::Vecteur_isole()
{
    return figure_.Nouveau<Tvecteur>();
}

Tdroite* TLecteur::Droite_isolee(const std::string& nom, Tpoint* point1, Tvecteur* vecteur)
{
    Trepere* propre = figure_.Nouveau<Trepere>(
        {.nom = nom, .origine = point1, .vecteur1 = vecteur, .vecteur2 = Vecteur_isole()});
    return figure_.Nouveau<Tdroite>(
        {.nom = nom, .point1 = point1, .vecteur = vecteur, .repere = propre});
}

Tpolygone* TLecteur::Triangle(std::string_view nom, bool dans_la_liste)
{
    TListe_points sommets = Points_du_nom(figure_.liste_points, nom);
    if (sommets.size() != 3)
        throw Erreur_trazel("\xAB " + std::string(nom) +
                            " \xBB ne d\xE9signe pas trois points de la figure");
    Tpolygone* triangle = figure_.Nouveau<Tpolygone>({.nom = std::string(nom)});
    triangle->sommets = std::move(sommets);
    if (dans_la_liste)
        figure_.liste_polygones.push_back(triangle);
    return triangle;
}

Tunite* TLecteur::Unite(const std::string& nom)
{
    return Unite_du_nom(figure_, nom.empty() ? "1" : nom);
}

TEtape& TLecteur::Enregistrer(TCode genre, const std::vector<TArgument*>& arguments, bool calculer)
{
    TEtape& etape = *etapes_.courante();
    etape.genre = Genre(genre);
    etape.ligne = ligne_objet_;
    for (TArgument* argument : arguments)
        etapes_.Ajouter(argument);
    if (calculer)
        Recalculer_etape(etape, contexte_);
    etapes_.Fermer();
    return etape;
}

void TLecteur::Echec(const std::string& message) const
{
    throw Erreur_figure(chemin_, numero_, message);
}

TEtape* TLecteur::Lire()
{
    TEtape* premiere = etapes_.courante();
    premiere->genre = Genre(TCode::premiere);
    figure_.premiere_etape = premiere;
    figure_.cadre_image = figure_.Nouveau<TCadre_image>();
    const int ligne_double_cadre = Lire_cadre_image();
    etapes_.Ajouter(figure_.Nouvel_argument(figure_.cadre_image));

    // Title, version and the empty line after it, whatever they hold.
    for (int i = 0; i < 3; ++i)
        Ligne_suivante();
    bool lue = Ligne_suivante();
    while (lue && ligne_.empty())
        lue = Ligne_suivante();
    if (Mot_suivant(ligne_, position_) != Mot_du_code(mc_position))
        Echec(message_pas_une_figure);

    Creer_objets_par_defaut();
    TReperexoy* roxy = figure_.Nouveau<TReperexoy>();
    try {
        Lire_position_roxy(*roxy);
    } catch (const Erreur_trazel& erreur) {
        Echec(Message_erreur(erreur));
    }
    // A window without surface is found when the picture is written; the fault names the
    // line that makes it flat: a flat "Double cadre", otherwise the range just read.
    const TCadre_image& cadre = *figure_.cadre_image;
    const bool cadre_plat =
        cadre.double_cadre && !(cadre.xmax > cadre.xmin && cadre.ymax > cadre.ymin);
    premiere->ligne = cadre_plat ? ligne_double_cadre : numero_;
    // The default frame's attribute line. A figure written by hand may lack it: then the
    // line is an object line and is left for the main loop.
    lue = Ligne_suivante();
    int position = 1;
    if (lue && (ligne_.empty() || Mot_suivant(ligne_, position) == "Objet")) {
        Lire_particularites_roxy(ligne_, *roxy);
        lue = Ligne_suivante();
    }
    etapes_.Ajouter(figure_.Nouvel_argument(roxy));
    etapes_.Fermer();

    while (true) {
        while (lue && ligne_.empty())
            lue = Ligne_suivante();
        if (!lue)
            break;
        position_ = 1;
        const std::string premier = Mot_suivant(ligne_, position_);
        if (premier == "Commentaire")
            break; // the rest of the file is the figure's comment
        try {
            Lire_ligne_objet(premier);
        } catch (const Erreur_figure&) {
            throw;
        } catch (const Erreur_trazel& erreur) {
            const TLieu_faute lieu = Lieu_de_la_faute(erreur, numero_);
            throw Erreur_figure(chemin_, lieu.ligne, lieu.message, lieu.utilisation);
        }
        lue = numero_ != 0;
    }
    return premiere;
}

// The picture window, from a "Double cadre" line anywhere in the file.
int TLecteur::Lire_cadre_image()
{
    TCadre_image& cadre = *figure_.cadre_image;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        const std::string_view ligne = lignes_[i];
        if (ligne.size() < 56 ||
            ligne.compare(0, prefixe_double_cadre.size(), prefixe_double_cadre) != 0)
            continue;
        cadre.double_cadre = true;
        const int numero = static_cast<int>(i + 1);
        const TListe_points aucun_point;
        auto nombre = [&](int& position) {
            return form2_.Evaluer_expression(Mot_suivant(ligne, position), aucun_point, 1);
        };
        try {
            int position = 56;
            cadre.xmin = nombre(position);
            cadre.ymin = nombre(position);
            position += 4; // "et ("
            cadre.xmax = nombre(position);
            cadre.ymax = nombre(position);
        } catch (const Erreur_trazel& erreur) {
            throw Erreur_figure(chemin_, numero, Message_erreur(erreur));
        }
        return numero;
    }
    return 0;
}

// The default frame Roxy with its origin, unit points, basis vectors, axes and unit.
void TLecteur::Creer_objets_par_defaut()
{
    auto point = [&](const char* nom, Reel x, Reel y) {
        Tpoint* p = figure_.Nouveau<Tpoint>({.nom = nom, .x = x, .y = y, .dessine = false});
        figure_.liste_points.push_back(p);
        etapes_.Ajouter(figure_.Nouvel_argument(p));
        return p;
    };
    Tpoint* o = point("o", 0, 0);
    Tpoint* xinf = point("xinf", 1, 0);
    Tpoint* yinf = point("yinf", 0, 1);

    auto vecteur = [&](const char* nom, Tpoint* extremite) {
        Tvecteur* u = figure_.Nouveau(Vecteur_de(*o, *extremite));
        u->nom = nom;
        figure_.liste_vecteurs.push_back(u);
        etapes_.Ajouter(figure_.Nouvel_argument(u));
        return u;
    };
    Tvecteur* i = vecteur("i", xinf);
    Tvecteur* j = vecteur("j", yinf);

    Trepere* roxy =
        figure_.Nouveau<Trepere>({.nom = "Roxy", .origine = o, .vecteur1 = i, .vecteur2 = j});
    figure_.liste_reperes.push_back(roxy);
    etapes_.Ajouter(figure_.Nouvel_argument(roxy));

    auto axe = [&](const char* nom, Tpoint* point2, Tvecteur* u, Tvecteur* v) {
        Trepere* propre =
            figure_.Nouveau<Trepere>({.nom = nom, .origine = o, .vecteur1 = u, .vecteur2 = v});
        Tdroite* d = figure_.Nouveau<Tdroite>({.nom = nom,
                                               .point1 = o,
                                               .point2 = point2,
                                               .vecteur = u,
                                               .graduee = true,
                                               .pas = 1,
                                               .repere = propre});
        figure_.liste_droites.push_back(d);
        etapes_.Ajouter(figure_.Nouvel_argument(d));
    };
    axe("ox", xinf, i, j);
    Tvecteur* moins_i = figure_.Nouveau<Tvecteur>();
    moins_i->x = -1;
    axe("oy", yinf, j, moins_i);

    Tunite* uoxy = figure_.Nouveau<Tunite>({.nom = "Uoxy", .vecteur = i});
    figure_.liste_unites.push_back(uoxy);
    etapes_.Ajouter(figure_.Nouvel_argument(uoxy));
}

// "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5": the numbers start at character 25, and
// "Xmax: " and "Ymax: " are passed over by position.
void TLecteur::Lire_position_roxy(TReperexoy& roxy)
{
    position_ = 25;
    roxy.xmin = Evaluer(Mot_suivant(ligne_, position_));
    position_ += 6;
    roxy.xmax = Evaluer(Mot_suivant(ligne_, position_));
    position_ += 6;
    roxy.ymax = Evaluer(Mot_suivant(ligne_, position_));
    TCadre_image& cadre = *figure_.cadre_image;
    cadre.centre_x = (roxy.xmin + roxy.xmax) / 2;
    cadre.centre_y = (2 * roxy.ymax - roxy.xmax + roxy.xmin) / 2;
}

// One object line. Lines that start with a fixed word follow one another; an empty line
// after them hands back to the main loop, so a "Commentaire" after it ends the figure.
void TLecteur::Lire_ligne_objet(std::string premier_mot)
{
    while (Est_mot_fixe(premier_mot)) {
        ligne_objet_ = numero_;
        try {
            Lire_forme_fixe(*this, premier_mot);
        } catch (const TPhrase_non_reconnue&) {
            Ignorer_ligne("phrase non reconnue");
        }
        if (numero_ == 0 || ligne_.empty())
            return;
        position_ = 1;
        premier_mot = Mot();
    }
    ligne_objet_ = numero_;
    const std::string second = Mot();
    const std::optional<int> code = Code_mot(second);
    if (code == mc_cadre && premier_mot == "Double") {
        Passer_lignes_suivantes(); // the picture window, read before the header
        return;
    }
    if (!code || !A_une_regle(*code)) {
        Ignorer_ligne(second.empty() ? "nom seul, sans construction"
                      : code ? "aucune construction ne commence par \xAB " + second + " \xBB"
                             : "mot \xAB " + second + " \xBB inconnu");
        return;
    }
    try {
        Appliquer_regle(*code, premier_mot);
    } catch (const TPhrase_non_reconnue&) {
        Ignorer_ligne("phrase non reconnue");
    }
}

// The rule of the keyword that is the line's second word.
void TLecteur::Appliquer_regle(int code, const std::string& nom)
{
    switch (code) {
    case mc_point:
    case mc_milieu:
    case mc_centre:
    case mc_orthocentre:
    case mc_projete:
    case mc_barycentre:
    case mc_sur:
        Regle_point(*this, nom, code);
        break;
    case mc_droite:
    case mc_cercle:
    case mc_arc:
    case mc_polygone:
    case mc_rectangle:
    case mc_cadre:
    case mc_mediatrice:
    case mc_bissectrice:
        Regle_ligne(*this, nom, code);
        break;
    case mc_symetrie:
    case mc_translation:
    case mc_rotation:
    case mc_homothetie:
    case mc_similitude:
    case mc_composee:
    case mc_image:
        Regle_transformation(*this, nom, code);
        break;
    default:
        Regle_nombre(*this, nom, code);
        break;
    }
}

} // namespace trazel
