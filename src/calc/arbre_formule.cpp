// The trees of the evaluator: nodes measured against the bounds as they are made, and user
// function calls expanded in place.

#include <algorithm>
#include <utility>

#include "calc/arbre_formule.h"

namespace trazel {

namespace {

// The height and size of a node from its operands; a tree past the bounds is refused before
// it can grow further.
void Mesurer(TCalc_noeud& noeud)
{
    for (const auto* operande : {noeud.gauche.get(), noeud.droite.get()})
        if (operande != nullptr) {
            noeud.hauteur = std::max(noeud.hauteur, operande->hauteur + 1);
            noeud.taille += operande->taille;
        }
    if (noeud.hauteur > hauteur_maximale || noeud.taille > taille_maximale)
        throw Trop_grand{};
}

bool Contient(const std::vector<const TCalc_noeud*>& noeuds, const TCalc_noeud* noeud)
{
    return std::find(noeuds.begin(), noeuds.end(), noeud) != noeuds.end();
}

// The argument of a call: moved into the first parameter leaf, copied into the others.
struct Argument {
    std::unique_ptr<TCalc_noeud> arbre;
    const TCalc_noeud* modele;
};

// A deep copy in which the leaves listed in `parametres` become pass-through nodes over the
// argument. Copies of nodes listed in `suivis` are appended to it, so that the parameter
// leaves of a body being compiled are still known inside copies of an argument.
std::unique_ptr<TCalc_noeud> Copier(const TCalc_noeud& noeud,
                                    const std::vector<const TCalc_noeud*>& parametres,
                                    Argument& argument, std::vector<const TCalc_noeud*>* suivis)
{
    if (Contient(parametres, &noeud)) {
        auto passage = Nouveau_noeud(appel, noeud.texte);
        passage->gauche = argument.arbre ? std::move(argument.arbre)
                                         : Copier(*argument.modele, {}, argument, suivis);
        Mesurer(*passage);
        return passage;
    }
    auto copie = Nouveau_noeud(noeud.genre, noeud.texte);
    copie->valeur = noeud.valeur;
    copie->indice = noeud.indice;
    if (suivis != nullptr && Contient(*suivis, &noeud))
        suivis->push_back(copie.get());
    if (noeud.gauche)
        copie->gauche = Copier(*noeud.gauche, parametres, argument, suivis);
    if (noeud.droite)
        copie->droite = Copier(*noeud.droite, parametres, argument, suivis);
    Mesurer(*copie);
    return copie;
}

// Drops the nodes of a tree about to be freed from `suivis`, so that no stale address can
// later match a new node allocated at the same place.
void Oublier(const TCalc_noeud& noeud, std::vector<const TCalc_noeud*>& suivis)
{
    std::erase(suivis, &noeud);
    if (noeud.gauche)
        Oublier(*noeud.gauche, suivis);
    if (noeud.droite)
        Oublier(*noeud.droite, suivis);
}

} // namespace

std::unique_ptr<TCalc_noeud> Nouveau_noeud(std::int32_t genre, std::string texte)
{
    auto noeud = std::make_unique<TCalc_noeud>();
    noeud->genre = genre;
    noeud->texte = std::move(texte);
    return noeud;
}

std::unique_ptr<TCalc_noeud> Lier(std::int32_t genre, std::unique_ptr<TCalc_noeud> gauche,
                                  std::unique_ptr<TCalc_noeud> droite)
{
    auto noeud = Nouveau_noeud(genre);
    noeud->gauche = std::move(gauche);
    noeud->droite = std::move(droite);
    Mesurer(*noeud);
    return noeud;
}

// A function without a compiled body (rejected, itself or a later one) cannot be called.
std::unique_ptr<TCalc_noeud> Developper(const TCalc_fonction& f,
                                        std::unique_ptr<TCalc_noeud> argument,
                                        std::vector<const TCalc_noeud*>* feuilles)
{
    if (!f.arbre && f.trop_grand)
        throw Trop_grand{};
    if (!f.arbre)
        throw Rejet{f.cause};
    // A chain of functions that each use their argument twice doubles at every level: the
    // size is known before anything is copied.
    const auto copies = static_cast<std::int64_t>(f.feuilles.size());
    if (f.arbre->taille + copies * argument->taille > taille_maximale)
        throw Trop_grand{};
    const TCalc_noeud* modele = argument.get();
    Argument a{std::move(argument), modele};
    auto copie = Copier(*f.arbre, f.feuilles, a, feuilles);
    if (a.arbre && feuilles != nullptr)
        Oublier(*a.arbre, *feuilles); // unused argument: its leaves are freed now
    return copie;
}

} // namespace trazel
