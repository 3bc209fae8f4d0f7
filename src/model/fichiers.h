#pragma once
// Whole-file reading and writing with French messages. A file is replaced only once its new
// content is completely written, so a failure never leaves a truncated file behind.

#include <string>
#include <string_view>

namespace trazel {

// The bytes of a file; Erreur_fichier with the path and the reason when it cannot be read.
std::string Lire_fichier(const std::string& chemin);

// Writes the bytes to a temporary file in the same folder, then renames it over `chemin`.
// On failure the temporary file is removed, `chemin` is untouched, and Erreur_fichier says
// why.
void Remplacer_fichier(const std::string& chemin, std::string_view contenu);

// The reason of a system error, in French.
std::string Raison_systeme(int numero);

} // namespace trazel
