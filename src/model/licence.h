#pragma once
// What both programs say of their licence after their name and version (Windows-1252).

namespace trazel {

inline constexpr const char* texte_licence =
    "Copyright (C) 2026 les auteurs de Trazel.\n"
    "Licence GPLv3+ : GNU GPL version 3 ou ult\xE9rieure <https://gnu.org/licenses/gpl.html>.\n"
    "Ceci est un logiciel libre : vous pouvez le modifier et le redistribuer.\n"
    "Il n'y a AUCUNE GARANTIE, dans la mesure permise par la loi.\n";

} // namespace trazel
