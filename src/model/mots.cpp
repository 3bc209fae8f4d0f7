#include "model/mots.h"

#include <array>
#include <cstddef>

namespace trazel {
namespace {

// The table in code order; entry 5 is the empty word.
constexpr std::array<std::string_view, nombre_mots_cles> table_mots = {
    "Position", "rouge", "dessin\xE9", "non", "", "point", "libre", "le", "la", "segment",
    "droite", "demi-droite", "cercle", "l'arc", "de", "unit\xE9", "longueur",
    "coordonn\xE9" "es", "d'abscisse", "sur", "\xE0", "abscisse", "d'intersection", "des",
    "droites", "parall\xE8le", "perpendiculaire", "milieu", "du", "circonscrit", "au",
    "triangle", "inscrit", "centre", "diam\xE8tre", "1", "2", "m\xE9" "diatrice",
    "bissectrice", "l'angle", "gravit\xE9", "orthocentre", "polygone", "r\xE9gulier",
    "rectangle", "diagonale", "arc", "un", "sym\xE9trie", "d'axe", "translation",
    "transformant", "vecteur", "rotation", "homoth\xE9tie", "et", "similitude",
    "compos\xE9" "e", "image", "transformation", "munie", "nom", "gauche", "au-dessus",
    "au-dessous", "marque", "\xE9paisse", "fine", "dessin\xE9" "e", "l'homoth\xE9tie",
    "projet\xE9", "orthogonal", "bleu", "vert", "jaune", "gris", "fonc\xE9", "rose", "ciel",
    "passant", "rep\xE8re", "=", "fonction", "coefficient", "directeur", "entier",
    "r\xE9" "el", "rayon", "aire", "produit", "scalaire", "mesure", "g\xE9om\xE9trique",
    "distance", "ordonn\xE9" "e", "cadre", "barycentre", "cercles", "lieu", "points",
    "li\xE9s", "trait", "\xE9pais", "d'\xE9quation", "avec", "tiret\xE9", "graphe"};

constexpr auto delimiteurs = [] {
    std::array<bool, 256> d{};
    for (const char c : std::string_view(" (),:[]"))
        d[static_cast<unsigned char>(c)] = true;
    return d;
}();

// Index of a 1-based position into the line.
std::size_t Indice(int position)
{
    return static_cast<std::size_t>(position - 1);
}

int Longueur(std::string_view ligne)
{
    return static_cast<int>(ligne.size());
}

} // namespace

bool Est_delimiteur(char c)
{
    return delimiteurs[static_cast<unsigned char>(c)];
}

std::string_view Vue_du_mot_suivant(std::string_view ligne, int& position)
{
    if (position < 1)
        position = 1;
    // Every word of every figure line goes through here: indices, not 1-based positions.
    std::size_t i = Indice(position);
    const std::size_t debut = i;
    while (i < ligne.size() && !Est_delimiteur(ligne[i]))
        ++i;
    // Past the end (i == debut) the word is empty and the position stays.
    const std::string_view mot = i > debut ? ligne.substr(debut, i - debut) : std::string_view();
    while (i < ligne.size() && Est_delimiteur(ligne[i]))
        ++i;
    position = static_cast<int>(i) + 1;
    return mot;
}

std::string Mot_suivant(std::string_view ligne, int& position)
{
    return std::string(Vue_du_mot_suivant(ligne, position));
}

std::string_view Mot_du_code(int code)
{
    return table_mots.at(static_cast<std::size_t>(code - 1));
}

std::optional<int> Code_mot(std::string_view mot)
{
    for (std::size_t i = 0; i < table_mots.size(); ++i)
        if (table_mots[i] == mot)
            return static_cast<int>(i + 1);
    return std::nullopt;
}

std::string_view Sans_espaces_autour(std::string_view texte)
{
    const std::size_t debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

std::string Texte_equilibre(std::string_view ligne, int& position, char terminateur)
{
    std::string texte;
    int profondeur = terminateur == ')' ? 1 : 0;
    if (position < 1)
        position = 1;
    while (position <= Longueur(ligne)) {
        const char c = ligne[Indice(position)];
        ++position;
        if (c == '(')
            ++profondeur;
        else if (c == ')')
            --profondeur;
        if (c == terminateur && profondeur == 0)
            break;
        texte += c;
    }
    return texte;
}

} // namespace trazel
