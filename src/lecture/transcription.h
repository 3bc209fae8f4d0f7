#pragma once
// The transcription of one figure file into one PSTricks picture file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion_chaines.h"
#include "latex/ecriture.h"
#include "lecture/lecteur.h"
#include "model/figure.h"

namespace trazel {

// The largest figure file read (a figure of thousands of objects takes a few hundred
// kilobytes), and the most lines it may have.
inline constexpr std::size_t taille_maximale_figure = std::size_t(64) << 20;
inline constexpr std::size_t lignes_maximales_figure = 1000000;

// Why a file's bytes cannot be a figure, told before anything else is read: too large,
// not text (control bytes that no figure holds, as in an image or a program), or without the
// "Position de Roxy" line where the reader expects it. None when they may be one; the
// figure's own lines may still hold faults.
std::optional<std::string> Pas_une_figure(std::string_view octets);

// The picture file of a figure: the path with its last three characters replaced by "crb".
std::string Chemin_sortie(std::string_view chemin_figure);

// Reads a figure text (bytes as stored: Windows-1252, or UTF-8) into an empty figure and
// returns its first step; `chemin` names the file in messages. Faults raise Erreur_figure;
// the lines skipped up to then are in `ignorees` all the same.
TEtape* Lire_texte_figure(std::string_view octets, const std::string& chemin, TFigure& figure,
                          TForm2& form2, std::vector<TLigne_ignoree>* ignorees = nullptr);

// The picture of a figure text, every line ended by CR LF, Windows-1252.
std::string Transcrire_texte(std::string_view octets, const std::string& chemin, TForm2& form2,
                             const TCadre_latex& cadre,
                             std::vector<TLigne_ignoree>* ignorees = nullptr);

// The picture formats: PSTricks (".crb"), a TikZ fragment (".tikz"), a standalone SVG image.
enum class TFormat_image { pstricks, tikz, svg };

// The picture of a figure text in a format: PSTricks as Transcrire_texte gives it (then in
// UTF-8 when `utf8`), TikZ and SVG always in UTF-8 with lines ended by LF. Faults as for
// Transcrire_texte.
std::string Transcrire_texte(std::string_view octets, const std::string& chemin, TForm2& form2,
                             const TCadre_latex& cadre, TFormat_image format, bool utf8,
                             std::vector<TLigne_ignoree>* ignorees = nullptr);

// Transcribes the figure file into `sortie` (Chemin_sortie of the figure when empty). The
// file is replaced only when the whole picture was written. Faults raise Erreur_fichier or
// Erreur_figure.
void Transcrire(const std::string& chemin_figure, TForm2& form2, const TCadre_latex& cadre,
                const std::string& sortie = {}, std::vector<TLigne_ignoree>* ignorees = nullptr);

} // namespace trazel
