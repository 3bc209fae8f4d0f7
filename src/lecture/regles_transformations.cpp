// Named transformations, and images of points, lines and circles. A transformation described
// in place in an image line ("image de A par la rotation de centre O …") is read by the same
// code as a named one; its record, named "01", stays out of the lists and belongs to the step.

#include <functional>

#include "calc/geometrie.h"
#include "calc/noms.h"
#include "lecture/regles.h"
#include "model/erreurs.h"
#include "model/mots.h"
#include "model/phrases.h"

namespace trazel {
namespace {

// What a transformation phrase gives: the code of the named rule, its arguments before the
// transformation record, the record's argument, and how to put the record in its list.
struct TDescription {
    TCode genre = TCode::fin;
    std::vector<TArgument*> arguments;
    TArgument* transformation = nullptr;
    std::function<void()> inscrire;
};

// The record, and the way to append it to its list.
template <class T> TDescription Description(TLecteur& l, T* transformation, std::vector<T*>& liste)
{
    TDescription d;
    d.transformation = l.Arg(transformation);
    d.inscrire = [&liste, transformation] { liste.push_back(transformation); };
    return d;
}

// The vector from one point to another that follows them (refreshed before each use).
Tvecteur* Vecteur_lie(TLecteur& l, Tpoint& origine, Tpoint& extremite)
{
    Tvecteur* u = l.figure().Nouveau(Vecteur_de(origine, extremite));
    u->origine = &origine;
    u->extremite = &extremite;
    return u;
}

// "… transformant A en B" for a centre O: the points and the vectors OA and OB.
std::vector<TArgument*> Deux_paires(TLecteur& l, Tpoint& centre)
{
    const std::string& ligne = l.ligne();
    Tpoint& a = Point(l, Mot_apres(ligne, Mot_du_code(mc_transformant)));
    Tpoint& b = Point(l, Mot_apres(ligne, "en"));
    return {l.Arg(&a), l.Arg(&b), l.Arg(Vecteur_lie(l, centre, a)),
            l.Arg(Vecteur_lie(l, centre, b))};
}

// The text after a word, up to the next blank; the phrase fails without the word.
std::string Texte_apres(TLecteur& l, std::string_view mot)
{
    if (!l.Aller_apres(mot))
        throw TPhrase_non_reconnue{};
    return l.Texte(' ');
}

TDescription Symetrie(TLecteur& l, const std::string& nom)
{
    TListe_transformations& t = l.figure().transformations;
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_de)) {
        l.Attendre(Mot_du_code(mc_centre));
        auto* h = l.figure().Nouveau<Thomothetie>(
            {.nom = nom, .centre = &Point(l, l.Mot()), .rapport = -1});
        TDescription d = Description(l, h, t.homotheties);
        d.genre = TCode::symetrie_centrale;
        return d;
    }
    if (mot != Mot_du_code(mc_d_axe))
        throw TPhrase_non_reconnue{};
    auto* s = l.figure().Nouveau<Tsymetrie_axiale>(
        {.nom = nom, .axe = Droite_du_nom(l.figure(), l.Mot())});
    TDescription d = Description(l, s, t.symetries_axiales);
    d.genre = TCode::symetrie_axiale;
    return d;
}

TDescription Translation(TLecteur& l, const std::string& nom)
{
    auto* t = l.figure().Nouveau<Ttranslation>({.nom = nom});
    TDescription d = Description(l, t, l.figure().transformations.translations);
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_de)) {
        l.Attendre(Mot_du_code(mc_vecteur));
        const std::string expression = l.Texte(' ');
        t->vecteur = l.Vecteur_isole();
        d.genre = TCode::translation_vecteur;
        d.arguments = {l.Arg_texte(expression), l.Arg(Unite_de_la_ligne(l))};
    } else if (mot == Mot_du_code(mc_transformant)) {
        Tpoint& a = Point(l, l.Mot());
        l.Attendre("en");
        Tpoint& b = Point(l, l.Mot());
        t->vecteur = Vecteur_lie(l, a, b);
        d.genre = TCode::translation_points;
        d.arguments = {l.Arg(&a), l.Arg(&b)};
    } else {
        throw TPhrase_non_reconnue{};
    }
    return d;
}

// "rotation de centre O et d'angle EXPR degré|radian", or "… d'angle ABC" (three points).
TDescription Rotation(TLecteur& l, const std::string& nom)
{
    const std::string& ligne = l.ligne();
    auto* r = l.figure().Nouveau<Trotation>(
        {.nom = nom, .centre = &Point(l, Mot_apres(ligne, Mot_du_code(mc_centre)))});
    TDescription d = Description(l, r, l.figure().transformations.rotations);
    const std::string unite_d_angle = Unite_d_angle(ligne);
    if (unite_d_angle.empty()) {
        d.genre = TCode::rotation_points;
        d.arguments = {l.Arg(l.Triangle(Mot_apres(ligne, "d'angle"), false))};
    } else {
        d.genre = TCode::rotation_angle;
        d.arguments = {l.Arg_texte(Mot_avant(ligne, unite_d_angle)), l.Arg(Unite_de_la_ligne(l)),
                       l.Arg_texte(unite_d_angle)};
    }
    return d;
}

// "homothétie de centre O transformant A en B", "homothétie de centre O et de rapport EXPR".
TDescription Homothetie(TLecteur& l, const std::string& nom)
{
    const std::string& ligne = l.ligne();
    Tpoint& centre = Point(l, Mot_apres(ligne, Mot_du_code(mc_centre)));
    auto* h = l.figure().Nouveau<Thomothetie>({.nom = nom, .centre = &centre});
    TDescription d = Description(l, h, l.figure().transformations.homotheties);
    if (!Mot_apres(ligne, Mot_du_code(mc_transformant)).empty()) {
        d.genre = TCode::homothetie_points;
        d.arguments = Deux_paires(l, centre);
    } else {
        const std::string rapport = Texte_apres(l, "rapport");
        d.genre = TCode::homothetie_rapport;
        d.arguments = {l.Arg_texte(rapport), l.Arg(Unite_de_la_ligne(l))};
    }
    return d;
}

// "similitude de centre O transformant A en B", "similitude de centre O d'angle EXPR degré
// et de rapport EXPR".
TDescription Similitude(TLecteur& l, const std::string& nom)
{
    l.Attendre(Mot_du_code(mc_de));
    l.Attendre(Mot_du_code(mc_centre));
    Tpoint& centre = Point(l, l.Mot());
    auto* s = l.figure().Nouveau<Tsimilitude_directe>({.nom = nom, .centre = &centre});
    TDescription d = Description(l, s, l.figure().transformations.similitudes_directes);
    const std::string& ligne = l.ligne();
    if (!Mot_apres(ligne, Mot_du_code(mc_transformant)).empty()) {
        d.genre = TCode::similitude_points;
        d.arguments = Deux_paires(l, centre);
        return d;
    }
    const std::string unite_d_angle = Unite_d_angle(ligne);
    if (unite_d_angle.empty())
        throw TPhrase_non_reconnue{};
    const std::string rapport = Texte_apres(l, "rapport");
    d.genre = TCode::similitude_angle;
    d.arguments = {l.Arg_texte(Mot_avant(ligne, unite_d_angle)), l.Arg_texte(unite_d_angle),
                   l.Arg_texte(rapport), l.Arg(Unite_de_la_ligne(l))};
    return d;
}

// The transformation whose kind is the keyword `code`, named `nom`.
TDescription Lire_description(TLecteur& l, const std::string& nom, int code)
{
    switch (code) {
    case mc_symetrie:
        return Symetrie(l, nom);
    case mc_translation:
        return Translation(l, nom);
    case mc_rotation:
        return Rotation(l, nom);
    case mc_homothetie:
    case mc_l_homothetie:
        return Homothetie(l, nom);
    case mc_similitude:
        return Similitude(l, nom);
    default:
        throw TPhrase_non_reconnue{};
    }
}

// "composée des transformations T1 et T2".
void Composee(TLecteur& l, const std::string& nom)
{
    const std::string& ligne = l.ligne();
    const std::string et = std::string(Mot_du_code(mc_et));
    auto* c = l.figure().Nouveau<Tcomposee_transformations>({.nom = nom});
    c->composantes = {Mot_avant(ligne, et), Mot_apres(ligne, et)};
    if (c->composantes[0].empty() || c->composantes[1].empty())
        throw TPhrase_non_reconnue{};
    l.figure().transformations.composees.push_back(c);
    l.Enregistrer(TCode::composee, {l.Arg(c)});
    l.Passer_lignes_suivantes();
}

// The last word of the line.
std::string Dernier_mot(const std::string& ligne)
{
    int position = 1;
    std::string dernier;
    while (position <= static_cast<int>(ligne.size()))
        if (std::string mot = Mot_suivant(ligne, position); !mot.empty())
            dernier = std::move(mot);
    return dernier;
}

// "image de la droite D par la transformation T" (T four words after D).
void Image_de_droite(TLecteur& l, const std::string& nom)
{
    l.Attendre(Mot_du_code(mc_droite));
    Tdroite* source = Droite_du_nom(l.figure(), l.Mot());
    for (int k = 0; k < 3; ++k)
        l.Mot();
    const std::string transformation = l.Mot();
    Tdroite& d = *l.Droite_isolee(nom, l.Point_isole(), l.Vecteur_isole());
    l.figure().liste_droites.push_back(&d);
    l.Enregistrer(TCode::image_droite, {l.Arg(source), l.Arg_texte(transformation), l.Arg(&d)});
    l.Lire_particularites_suivantes(d);
}

// "image du cercle C par … T" (T the last word).
void Image_de_cercle(TLecteur& l, const std::string& nom)
{
    l.Attendre(Mot_du_code(mc_cercle));
    Tcercle* source = Cercle_du_nom(l.figure(), l.Mot());
    l.Attendre("par");
    auto* c = l.figure().Nouveau<Tcercle>(
        {.nom = nom, .centre = l.Point_isole(), .unite = source->unite});
    l.figure().liste_cercles.push_back(c);
    l.Enregistrer(TCode::image_cercle,
                  {l.Arg(source), l.Arg_texte(Dernier_mot(l.ligne())), l.Arg(c)});
    l.Lire_particularites_suivantes(*c);
}

// "image de P par la|l'homothétie …": the transformation is described in place, or named
// after "la transformation".
void Image_de_point(TLecteur& l, const std::string& nom, const std::string& source)
{
    Tpoint& p = Point(l, source);
    l.Attendre("par");
    const std::string article = l.Mot();
    TCode genre = TCode::fin;
    std::vector<TArgument*> arguments{l.Arg(&p)};
    if (article == Mot_du_code(mc_l_homothetie)) {
        TDescription d = Homothetie(l, "01");
        genre = Construction(d.genre).image;
        arguments.insert(arguments.end(), d.arguments.begin(), d.arguments.end());
        arguments.push_back(d.transformation);
    } else if (article == Mot_du_code(mc_la)) {
        const std::string mot = l.Mot();
        const std::optional<int> code = Code_mot(mot);
        if (code == mc_transformation) {
            genre = TCode::image_par_nom;
            arguments.push_back(l.Arg_texte(l.Mot()));
        } else {
            TDescription d = Lire_description(l, "01", code.value_or(0));
            genre = Construction(d.genre).image;
            arguments.insert(arguments.end(), d.arguments.begin(), d.arguments.end());
            arguments.push_back(d.transformation);
        }
    } else {
        throw TPhrase_non_reconnue{};
    }
    Tpoint& image = *l.Nouveau_point(nom);
    arguments.push_back(l.Arg(&image));
    l.Enregistrer(genre, arguments);
    l.Lire_particularites_suivantes(image);
}

void Image(TLecteur& l, const std::string& nom)
{
    const std::string mot = l.Mot();
    if (mot == Mot_du_code(mc_du)) {
        Image_de_cercle(l, nom);
        return;
    }
    if (mot != Mot_du_code(mc_de))
        throw TPhrase_non_reconnue{};
    const int position = l.position();
    const std::string suite = l.Mot();
    if (suite == Mot_du_code(mc_la)) {
        Image_de_droite(l, nom);
        return;
    }
    l.position() = position;
    Image_de_point(l, nom, l.Mot());
}

} // namespace

void Regle_transformation(TLecteur& l, const std::string& nom, int code)
{
    if (code == mc_image) {
        Image(l, nom);
        return;
    }
    if (code == mc_composee) {
        Composee(l, nom);
        return;
    }
    TDescription d = Lire_description(l, nom, code);
    d.inscrire();
    d.arguments.push_back(d.transformation);
    l.Enregistrer(d.genre, d.arguments);
    l.Passer_lignes_suivantes();
}

} // namespace trazel
