#pragma once
// Whole-file reading and writing with French messages. A file is replaced only once its new
// content is completely written, so a failure never leaves a truncated file behind.

#include <cstddef>
#include <string>
#include <string_view>

namespace trazel {

// The bytes of a file; Erreur_fichier with the path and the reason when it cannot be read,
// or when it holds more than `taille_maximale` bytes (checked before and while reading, so a
// huge file or an endless device is refused without filling memory).
std::string Lire_fichier(const std::string& chemin, std::size_t taille_maximale = std::size_t(1)
                                                                                  << 30);

// Writes the bytes to a temporary file in the same folder, then renames it over `chemin`.
// On failure the temporary file is removed, `chemin` is untouched, and Erreur_fichier says
// why.
void Remplacer_fichier(const std::string& chemin, std::string_view contenu);

// Writes every byte to the descriptor, again after a signal; 0, or the errno of the write
// that failed.
int Ecrire_descripteur(int fd, std::string_view octets);

// The reason of a system error, in French.
std::string Raison_systeme(int numero);

} // namespace trazel
