#include "lecture/figure_gardee.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <set>

#include "calc/geometrie.h"
#include "calc/resolveur.h"
#include "lecture/transcription.h"
#include "model/constructions.h"
#include "model/encodage.h"
#include "model/phrases.h"

namespace trazel {
namespace {

// The reader gives a parameter text to the evaluator, which would look a name up among
// the variables of the moment; a plain number means the same at any point of the reading.
bool Nombre_simple(std::string_view texte)
{
    if (texte.starts_with('-') || texte.starts_with('+'))
        texte.remove_prefix(1);
    int separateurs = 0, chiffres = 0;
    for (const char c : texte) {
        if (c >= '0' && c <= '9')
            ++chiffres;
        else if ((c == '.' || c == ',') && ++separateurs == 1)
            continue;
        else
            return false;
    }
    return chiffres > 0;
}

// The parameter texts a step's reading takes from the line after its object line: two for
// a free point (of the plane, a frame or a cadre), one for a point on a line, a circle or
// an arc. None for another step.
std::optional<std::vector<std::string>> Textes_du_pas(const TEtape& etape, std::string_view ligne)
{
    switch (etape.code()) {
    case TCode::point_libre:
    case TCode::point_libre_cadre:
    case TCode::point_libre_repere: {
        Tdeux_textes t = Textes_parametres(ligne);
        return std::vector<std::string>{std::move(t.premier), std::move(t.second)};
    }
    case TCode::point_sur_segment:
    case TCode::point_sur_droite:
    case TCode::point_sur_demi_droite:
    case TCode::point_sur_cercle:
    case TCode::point_sur_arc:
    case TCode::point_abscisse_droite:
        return std::vector<std::string>{Texte_valeur_parametre(ligne)};
    default:
        return std::nullopt;
    }
}

// Puts the values where the reading put them: a free point of the plane holds its
// coordinates, the others hold their parameters as the step's second (and third) argument.
void Poser_valeurs(TEtape& etape, const std::vector<Reel>& valeurs)
{
    if (etape.code() == TCode::point_libre) {
        Placer(*Donnee<Tpoint>(Dernier_argument(etape.arguments)), {valeurs[0], valeurs[1]});
        return;
    }
    for (std::size_t k = 0; k < valeurs.size(); ++k)
        *Donnee<Reel>(Argument(&etape, static_cast<int>(k) + 2)) = valeurs[k];
}

struct TChangement {
    TEtape* etape;
    std::vector<Reel> valeurs;
};

} // namespace

TFigure_gardee::TFigure_gardee(std::string_view octets, const std::string& chemin, TForm2& form2,
                               std::vector<TLigne_ignoree>* ignorees)
    : texte_(Texte_figure_en_cp1252(octets))
{
    form2.Reinitialiser();
    premiere_ = Lire_texte_figure(octets, chemin, figure_, form2, ignorees);
    if (ignorees != nullptr)
        ignorees_ = *ignorees;
    fenetre_lue_ = *figure_.cadre_image;
    // A replay gives a value to the last variable of a name, where the reading gave it to
    // the one just appended, and finds the last point of a name among all the figure's
    // points, where the reading found the last one so far: names given twice are only read.
    std::set<std::string_view> noms;
    for (const Tvariable& v : form2.Liste_variables)
        if (!noms.insert(v.nom).second)
            rejouable_ = false;
    std::set<std::string_view> points;
    for (const Tpoint* p : figure_.liste_points)
        if (!points.insert(p->nom).second)
            rejouable_ = false;
}

bool TFigure_gardee::Rejouer(TForm2& form2)
{
    std::vector<const TEtape*> manquees;
    TContexte_calcul contexte{figure_, form2, &manquees};
    try {
        Recalculer_etapes(premiere_, nullptr, contexte);
    } catch (const std::exception&) {
        return false;
    }
    // A frame named after two points that no step uses still shows where they now are.
    for (Trepere* r : figure_.liste_reperes)
        Actualiser_repere(*r);
    // A construction without solution stays where the reading made it only if it has
    // found none since. A measure without value is not even a variable after a reading.
    for (const TEtape* e : manquees)
        if (Construction(e->genre).famille == TFamille::mesure ||
            (verifiee_ && !sans_solution_depuis_la_lecture_.contains(e)))
            return false;
    sans_solution_depuis_la_lecture_ = {manquees.begin(), manquees.end()};
    return true;
}

bool TFigure_gardee::Prendre(std::string_view octets, TForm2& form2)
{
    if (!rejouable_)
        return false;
    std::string texte = Texte_figure_en_cp1252(octets);
    const std::vector<std::string_view> avant = Vues_des_lignes(texte_);
    const std::vector<std::string_view> apres = Vues_des_lignes(texte);
    if (avant.size() != apres.size())
        return false;

    // Every changed line must be the parameter line read right after an object line.
    std::vector<TChangement> changements;
    for (std::size_t i = 0; i < apres.size(); ++i) {
        if (avant[i] == apres[i])
            continue;
        if (i == 0 || !TLecteur::Est_ligne_d_attributs(apres[i]))
            return false;
        const int ligne_objet = static_cast<int>(i); // the line before, numbered from 1
        TEtape* etape = premiere_;
        std::optional<std::vector<std::string>> textes;
        for (; etape != nullptr && etape->code() != TCode::fin; etape = etape->suivante)
            if (etape->ligne == ligne_objet && (textes = Textes_du_pas(*etape, apres[i])))
                break;
        if (!textes)
            return false;
        TChangement changement{etape, {}};
        for (const std::string& t : *textes) {
            if (!Nombre_simple(t))
                return false;
            try {
                changement.valeurs.push_back(form2.Evaluer_expression(t, figure_.liste_points, 1));
            } catch (const std::exception&) {
                return false;
            }
        }
        changements.push_back(std::move(changement));
    }

    // Replayed once as read, the figure tells which constructions have no solution there.
    if (!verifiee_) {
        if (!Rejouer(form2)) {
            rejouable_ = false;
            return false;
        }
        verifiee_ = true;
    }
    for (TChangement& c : changements)
        Poser_valeurs(*c.etape, c.valeurs);
    // Half replayed, the figure stands for no text: it refuses every other one.
    if (!Rejouer(form2)) {
        rejouable_ = false;
        return false;
    }
    texte_ = std::move(texte);
    return true;
}

TScene TFigure_gardee::Scene(TForm2& form2, const TCadre_latex& cadre, long echantillons_max)
{
    *figure_.cadre_image = fenetre_lue_;
    return Scene_de_la_figure(premiere_, figure_, form2, cadre, echantillons_max);
}

} // namespace trazel
