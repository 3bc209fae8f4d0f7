#pragma once
// Figure text is Windows-1252. A figure saved by a modern editor in UTF-8 is converted on
// reading so that it reads the same; messages go out to terminals and windows in UTF-8.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trazel {

// The figure text as Windows-1252: a text that starts with the UTF-8 byte-order mark, or that
// is valid UTF-8 and holds non-ASCII characters, is converted (a character Windows-1252
// lacks becomes "?"); any other text is taken as Windows-1252 already.
std::string Texte_figure_en_cp1252(std::string_view octets);

// The lines of a text; a line ends at CR LF, LF or CR, and a final line end does not start
// another line.
std::vector<std::string> Decouper_lignes(std::string_view texte);
// The same lines, as views into the text.
std::vector<std::string_view> Vues_des_lignes(std::string_view texte);
// The number of line-end bytes in a text: CR and LF, each one counted.
std::size_t Nombre_de_fins_de_ligne(std::string_view texte);

// Windows-1252 bytes to UTF-8 (bytes that code page leaves undefined become U+FFFD).
std::string Cp1252_vers_utf8(std::string_view texte);

// UTF-8 to Windows-1252 ("?" for what the code page lacks, and for malformed bytes).
std::string Utf8_vers_cp1252(std::string_view texte);

} // namespace trazel
