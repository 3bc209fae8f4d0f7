#include "model/phrases.h"

#include <array>

#include "model/mots.h"

namespace trazel {
namespace {

constexpr std::string_view degre = "degr\xE9";

// Scans words from the first character until one of the given words; the position is then
// just after it. Returns the word found, or empty at the end of the line.
template <std::size_t N>
std::string Avancer_jusqu_a(std::string_view ligne, int& position,
                            const std::array<std::string_view, N>& mots)
{
    while (position <= static_cast<int>(ligne.size())) {
        const std::string_view mot = Vue_du_mot_suivant(ligne, position);
        for (const std::string_view attendu : mots)
            if (mot == attendu)
                return std::string(mot);
    }
    return {};
}

} // namespace

std::string Nom_apres_unite_ou_repere(std::string_view ligne)
{
    int position = 1;
    const std::array<std::string_view, 2> mots = {Mot_du_code(mc_unite), Mot_du_code(mc_repere)};
    if (Avancer_jusqu_a(ligne, position, mots).empty())
        return {};
    return Mot_suivant(ligne, position);
}

std::string Nom_apres_sur(std::string_view ligne)
{
    return Mot_apres(ligne, Mot_du_code(mc_sur));
}

std::string Mot_apres(std::string_view ligne, std::string_view mot)
{
    int position = 1;
    const std::array<std::string_view, 1> mots = {mot};
    if (Avancer_jusqu_a(ligne, position, mots).empty())
        return {};
    return Mot_suivant(ligne, position);
}

std::string Mot_avant(std::string_view ligne, std::string_view mot)
{
    int position = 1;
    std::string_view precedent;
    while (position <= static_cast<int>(ligne.size())) {
        const std::string_view courant = Vue_du_mot_suivant(ligne, position);
        if (courant == mot)
            return std::string(precedent);
        precedent = courant;
    }
    return {};
}

std::string Unite_de_longueur(std::string_view ligne)
{
    int position = 1;
    while (position <= static_cast<int>(ligne.size())) {
        const int debut = position;
        const std::string_view mot = Vue_du_mot_suivant(ligne, position);
        // "(" is a delimiter: "(unité" is recognised by the character before the word.
        if (mot != Mot_du_code(mc_unite) || debut < 2 ||
            ligne[static_cast<std::size_t>(debut - 2)] != '(')
            continue;
        std::string nom = Mot_suivant(ligne, position);
        if (nom == Mot_du_code(mc_de)) {
            if (Mot_suivant(ligne, position) != Mot_du_code(mc_longueur))
                continue;
            nom = Mot_suivant(ligne, position);
        }
        return nom.empty() ? "1" : nom;
    }
    return "1";
}

std::string Unite_d_angle(std::string_view ligne)
{
    int position = 1;
    const std::array<std::string_view, 2> mots = {degre, "radian"};
    return Avancer_jusqu_a(ligne, position, mots);
}

std::string Texte_valeur_parametre(std::string_view ligne)
{
    int position = 1;
    const std::array<std::string_view, 5> mots = {"param\xE8tre", "rayon", "/ox", "l'origine",
                                                  "graduations"};
    const std::string trouve = Avancer_jusqu_a(ligne, position, mots);
    std::string valeur = Mot_suivant(ligne, position);
    if (trouve == "/ox" && Mot_suivant(ligne, position) == degre)
        valeur = "Pi/180*" + valeur;
    return valeur;
}

Tdeux_textes Textes_parametres(std::string_view ligne)
{
    int position = 1;
    const std::array<std::string_view, 1> mots = {"param\xE8tres"};
    Avancer_jusqu_a(ligne, position, mots);
    Tdeux_textes textes;
    textes.premier = Mot_suivant(ligne, position);
    textes.second = Mot_suivant(ligne, position);
    return textes;
}

} // namespace trazel
