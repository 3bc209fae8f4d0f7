#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "model/encodage.h"

using namespace trazel;

TEST(Texte_figure_en_cp1252, convertit_l_utf8_et_garde_le_cp1252)
{
    struct Cas {
        const char* nom;
        std::string_view octets;
        std::string_view attendu;
    };
    const Cas cas[] = {
        {"cp1252_inchange", "Num\xE9ro de version: 2", "Num\xE9ro de version: 2"},
        {"utf8_converti", "Num\xC3\xA9ro de version: 2", "Num\xE9ro de version: 2"},
        {"bom_retire",
         "\xEF\xBB\xBF"
         "Figure",
         "Figure"},
        {"bom_et_utf8",
         "\xEF\xBB\xBF"
         "rep\xC3\xA8re",
         "rep\xE8re"},
        {"ascii_inchange", "Figure Figuro", "Figure Figuro"},
        {"euro_et_guillemets", "\xE2\x82\xAC \xC2\xAB", "\x80 \xAB"},
        {"hors_cp1252_devient_point_d_interrogation", "\xE2\x86\x92 \xC3\xA0", "? \xE0"},
        {"utf8_invalide_reste_cp1252", "\xE9t\xE9 \xC3\xA9", "\xE9t\xE9 \xC3\xA9"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(Texte_figure_en_cp1252(c.octets), c.attendu);
    }
}

TEST(Decouper_lignes, trois_fins_de_ligne)
{
    using L = std::vector<std::string>;
    EXPECT_EQ(Decouper_lignes("a\r\nb\nc\rd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(Decouper_lignes("a\r\n\r\nb\r\n"), (L{"a", "", "b"}));
    EXPECT_EQ(Decouper_lignes("a\r\rb"), (L{"a", "", "b"}));
    EXPECT_EQ(Decouper_lignes("a\n\r"), (L{"a", ""}));
    EXPECT_EQ(Decouper_lignes(""), L{});
    EXPECT_EQ(Decouper_lignes("\r\n"), L{""});
}

// Long texts go eight bytes at a time: the lines and the count of line ends must be those a
// byte-by-byte reading gives, whatever bytes neighbour the line ends (0x0A and 0x0D with the
// high bit set, 0x09, 0x0B, 0x0C, 0x0E, 0x00, 0xFF) and wherever they fall in a word.
TEST(Decouper_lignes, textes_longs_comme_octet_par_octet)
{
    const std::string octets = std::string("\r\n\x8A\x8D\t\x0B\x0C\x0E\xFF", 9) + '\0' + "aZ";
    std::mt19937 tirage(20261208);
    for (int essai = 0; essai < 300; ++essai) {
        std::string texte;
        const std::size_t longueur = tirage() % 200;
        for (std::size_t k = 0; k < longueur; ++k)
            texte += tirage() % 4 == 0 ? octets[tirage() % octets.size()] : 'x';
        // Expected, another way: every CR LF, then every CR, made an LF; a line before each LF,
        // and the rest, if any, as the last line.
        std::string unifie = texte;
        for (std::size_t crlf = unifie.find("\r\n"); crlf != std::string::npos;
             crlf = unifie.find("\r\n", crlf))
            unifie.erase(crlf, 1);
        std::replace(unifie.begin(), unifie.end(), '\r', '\n');
        std::vector<std::string> attendues;
        std::istringstream lignes(unifie);
        for (std::string ligne; std::getline(lignes, ligne);)
            attendues.push_back(ligne);
        const auto fins = static_cast<std::size_t>(std::count(texte.begin(), texte.end(), '\r') +
                                                   std::count(texte.begin(), texte.end(), '\n'));
        SCOPED_TRACE(testing::PrintToString(texte));
        EXPECT_EQ(Decouper_lignes(texte), attendues);
        EXPECT_EQ(Nombre_de_fins_de_ligne(texte), fins);
    }
}

TEST(Cp1252_vers_utf8, aller_retour)
{
    std::string tous;
    for (int c = 1; c < 256; ++c)
        tous += static_cast<char>(c);
    const std::string utf8 = Cp1252_vers_utf8(tous);
    EXPECT_EQ(Cp1252_vers_utf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Cp1252_vers_utf8("\x81"), "\xEF\xBF\xBD"); // undefined in the code page
    // Every defined byte comes back; the five undefined ones become "?".
    std::string attendu = tous;
    for (char& c : attendu)
        if (c == '\x81' || c == '\x8D' || c == '\x8F' || c == '\x90' || c == '\x9D')
            c = '?';
    EXPECT_EQ(Utf8_vers_cp1252(utf8), attendu);
}
