#include "model/figure.h"

#include <algorithm>

#include <stdexcept>

namespace trazel {

TListe_points::TListe_points(std::initializer_list<Tpoint*> points)
{
    for (Tpoint* p : points)
        push_back(p);
}

void TListe_points::push_back(Tpoint* p)
{
    points_.push_back(p);
    const auto [entree, nouveau] = index_.try_emplace(p->nom, TPremier_dernier{p, p});
    if (!nouveau)
        entree->second.dernier = p;
    longueur_maximale_ = std::max(longueur_maximale_, p->nom.size());
}

void TListe_points::clear()
{
    points_.clear();
    index_.clear();
    longueur_maximale_ = 0;
}

Tpoint* TListe_points::Premier_du_nom(std::string_view nom) const
{
    const auto trouve = index_.find(nom);
    return trouve == index_.end() ? nullptr : trouve->second.premier;
}

Tpoint* TListe_points::Dernier_du_nom(std::string_view nom) const
{
    const auto trouve = index_.find(nom);
    return trouve == index_.end() ? nullptr : trouve->second.dernier;
}

void Nature_inattendue(const TArgument* argument, std::uint8_t attendue)
{
    const std::string trouvee =
        argument == nullptr ? "aucun argument" : "nature " + std::to_string(argument->nature);
    throw std::logic_error("argument de nature " + std::to_string(attendue) + " attendu, " +
                           trouvee);
}

void Ajouter_argument(TEtape& etape, TArgument* argument)
{
    if (etape.arguments == nullptr)
        etape.arguments = argument;
    else
        Dernier_argument(etape.arguments)->suivant = argument;
}

TEtape* TFigure::Nouvelle_etape()
{
    return &etapes_.emplace_back();
}

TArgument* TFigure::Argument_brut(std::uint8_t nature, void* donnee)
{
    return &arguments_.emplace_back(TArgument{nullptr, nature, donnee});
}

TArgument* TFigure::Argument_texte(std::string texte)
{
    return Nouvel_argument(Nouveau<std::string>(std::move(texte)));
}

TArgument* TFigure::Argument_entier(std::int32_t valeur)
{
    return Nouvel_argument(Nouveau<std::int32_t>(valeur));
}

TArgument* TFigure::Argument_reel(Reel valeur)
{
    return Nouvel_argument(Nouveau<Reel>(valeur));
}

TArgument* TFigure::Argument_booleen(bool valeur)
{
    return Nouvel_argument(Nouveau<bool>(valeur));
}

void TFigure::Liberer()
{
    liste_reperes.clear();
    cadre_image = nullptr;
    liste_cercles.clear();
    liste_unites.clear();
    liste_points.clear();
    liste_vecteurs.clear();
    liste_droites.clear();
    liste_segments.clear();
    liste_polygones.clear();
    liste_arcs.clear();
    liste_courbes.clear();
    transformations = TListe_transformations{};
    premiere_etape = nullptr;
    index_reperes.Vider();
    index_vecteurs.Vider();
    index_droites.Vider();
    index_segments.Vider();
    std::apply([](auto&... stock) { (stock.clear(), ...); }, stock_);
    etapes_.clear();
    arguments_.clear();
}

void TEnregistreur_etapes::Ajouter(TArgument* argument)
{
    if (dernier_ == nullptr)
        courante_->arguments = argument;
    else
        dernier_->suivant = argument;
    dernier_ = argument;
}

void TEnregistreur_etapes::Fermer()
{
    TEtape* suivante = figure_.Nouvelle_etape();
    courante_->suivante = suivante;
    courante_ = suivante;
    dernier_ = nullptr;
}

} // namespace trazel
