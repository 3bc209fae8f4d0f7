#pragma once
// Readers of the small phrases that recur in object lines. Each scans the line from its
// first character and returns the word it looks for (empty when the line lacks it).

#include <string>
#include <string_view>

namespace trazel {

// The word after the first "unité" or "repère".
std::string Nom_apres_unite_ou_repere(std::string_view ligne);

// The word after the first "sur".
std::string Nom_apres_sur(std::string_view ligne);

// The word after the first occurrence of `mot`, and the word before it (empty when the line
// lacks it).
std::string Mot_apres(std::string_view ligne, std::string_view mot);
std::string Mot_avant(std::string_view ligne, std::string_view mot);

// The unit a length is given in: the name after "(unité de longueur" or, as the figure
// editor writes it, directly after "(unité"; "1" (the first unit) when the line has neither.
std::string Unite_de_longueur(std::string_view ligne);

// "degré", "radian", or empty: the first of the two words the line holds.
std::string Unite_d_angle(std::string_view ligne);

// The text of the value of an attribute line giving a position on a line, a circle or an
// arc: the word after "paramètre", "rayon", "/ox", "l'origine" or "graduations"; a value
// after "/ox" followed by "degré" is converted to radians ("Pi/180*" prefix).
std::string Texte_valeur_parametre(std::string_view ligne);

// The two words after "paramètres" (a free point's attribute line).
struct Tdeux_textes {
    std::string premier, second;
};
Tdeux_textes Textes_parametres(std::string_view ligne);

} // namespace trazel
