#include "model/encodage.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

namespace trazel {
namespace {

// Unicode code points of the bytes 0x80 to 0x9F; 0 marks the five undefined ones.
constexpr std::array<char32_t, 32> plage_80_9f = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Code_cp1252(unsigned char octet)
{
    if (octet >= 0x80 && octet <= 0x9F) {
        const char32_t code = plage_80_9f[octet - 0x80u];
        return code == 0 ? char32_t{0xFFFD} : code;
    }
    return octet;
}

std::optional<unsigned char> Octet_cp1252(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<unsigned char>(code);
    for (std::size_t i = 0; i < plage_80_9f.size(); ++i)
        if (plage_80_9f[i] == code && code != 0)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void Ajouter_utf8(std::string& sortie, char32_t code)
{
    auto octet = [&](std::uint32_t v) { sortie += static_cast<char>(v); };
    const auto c = static_cast<std::uint32_t>(code);
    if (c < 0x80) {
        octet(c);
    } else if (c < 0x800) {
        octet(0xC0 | (c >> 6));
        octet(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        octet(0xE0 | (c >> 12));
        octet(0x80 | ((c >> 6) & 0x3F));
        octet(0x80 | (c & 0x3F));
    } else {
        octet(0xF0 | (c >> 18));
        octet(0x80 | ((c >> 12) & 0x3F));
        octet(0x80 | ((c >> 6) & 0x3F));
        octet(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; no value for a malformed one (overlong forms,
// surrogates and values beyond U+10FFFF included).
std::optional<char32_t> Lire_utf8(std::string_view texte, std::size_t& i)
{
    const auto premier = static_cast<unsigned char>(texte[i]);
    int suite = 0;
    char32_t code = 0;
    if (premier < 0x80) {
        ++i;
        return premier;
    }
    if (premier >= 0xC2 && premier <= 0xDF) {
        suite = 1;
        code = premier & 0x1Fu;
    } else if (premier >= 0xE0 && premier <= 0xEF) {
        suite = 2;
        code = premier & 0x0Fu;
    } else if (premier >= 0xF0 && premier <= 0xF4) {
        suite = 3;
        code = premier & 0x07u;
    } else {
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(suite) >= texte.size())
        return std::nullopt;
    for (int k = 1; k <= suite; ++k) {
        const auto octet = static_cast<unsigned char>(texte[i + static_cast<std::size_t>(k)]);
        if ((octet & 0xC0u) != 0x80u)
            return std::nullopt;
        code = (code << 6) | (octet & 0x3Fu);
    }
    const char32_t minimum = suite == 1 ? 0x80 : suite == 2 ? 0x800 : 0x10000;
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    i += static_cast<std::size_t>(suite) + 1;
    return code;
}

bool Est_utf8_non_ascii(std::string_view texte)
{
    bool non_ascii = false;
    for (std::size_t i = 0; i < texte.size();) {
        if (static_cast<unsigned char>(texte[i]) >= 0x80)
            non_ascii = true;
        if (!Lire_utf8(texte, i))
            return false;
    }
    return non_ascii;
}

// Eight bytes of a text at once; the high bit of each byte of the mask says whether that
// byte is a CR or an LF. Exact for every byte, so the lowest bit set is the first line end
// and the bits count them. A figure is read whole before anything else happens, and most of
// its bytes are not line ends.
constexpr std::size_t mot = sizeof(std::uint64_t);
constexpr std::uint64_t uns = 0x0101010101010101U; // one in each byte

std::uint64_t Fins_de_ligne_du_mot(const char* octets)
{
    constexpr std::uint64_t bas = 0x7F7F7F7F7F7F7F7FU;
    const auto nuls = [](std::uint64_t v) { return ~(((v & bas) + bas) | v | bas); };
    std::uint64_t v = 0;
    std::memcpy(&v, octets, mot);
    return nuls(v ^ (uns * '\n')) | nuls(v ^ (uns * '\r'));
}

// The number of bytes of a mask whose bytes are 0x80 or 0: their sum lands in the top byte,
// with no carry as it is at most 8. Without a popcount instruction in the target, this is
// three instructions rather than a library call.
std::size_t Nombre_d_octets_marques(std::uint64_t masque)
{
    return static_cast<std::size_t>(((masque >> 7) * uns) >> 56);
}

// The first CR or LF at or after i (at most the text's size), or the text's size.
std::size_t Fin_de_ligne_suivante(std::string_view texte, std::size_t i)
{
    for (; i + mot <= texte.size(); i += mot)
        if (const std::uint64_t fins = Fins_de_ligne_du_mot(texte.data() + i); fins != 0)
            return i + static_cast<std::size_t>(std::countr_zero(fins)) / 8;
    while (i < texte.size() && texte[i] != '\r' && texte[i] != '\n')
        ++i;
    return i;
}

} // namespace

std::string Utf8_vers_cp1252(std::string_view texte)
{
    std::string sortie;
    sortie.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size();) {
        const std::optional<char32_t> code = Lire_utf8(texte, i);
        if (!code) {
            sortie += '?';
            ++i;
            continue;
        }
        const std::optional<unsigned char> octet = Octet_cp1252(*code);
        sortie += octet ? static_cast<char>(*octet) : '?';
    }
    return sortie;
}

std::string Texte_figure_en_cp1252(std::string_view octets)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (octets.substr(0, bom.size()) == bom)
        return Utf8_vers_cp1252(octets.substr(bom.size()));
    if (Est_utf8_non_ascii(octets))
        return Utf8_vers_cp1252(octets);
    return std::string(octets);
}

std::vector<std::string> Decouper_lignes(std::string_view texte)
{
    const std::vector<std::string_view> vues = Vues_des_lignes(texte);
    return {vues.begin(), vues.end()};
}

std::vector<std::string_view> Vues_des_lignes(std::string_view texte)
{
    std::vector<std::string_view> lignes;
    std::size_t debut = 0;
    for (std::size_t i = Fin_de_ligne_suivante(texte, 0); i < texte.size();
         i = Fin_de_ligne_suivante(texte, i + 1)) {
        lignes.emplace_back(texte.substr(debut, i - debut));
        if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n')
            ++i;
        debut = i + 1;
    }
    if (debut < texte.size())
        lignes.emplace_back(texte.substr(debut));
    return lignes;
}

std::size_t Nombre_de_fins_de_ligne(std::string_view texte)
{
    std::size_t fins = 0;
    std::size_t i = 0;
    for (; i + mot <= texte.size(); i += mot)
        fins += Nombre_d_octets_marques(Fins_de_ligne_du_mot(texte.data() + i));
    for (; i < texte.size(); ++i)
        fins += static_cast<std::size_t>(texte[i] == '\r' || texte[i] == '\n');
    return fins;
}

std::string Cp1252_vers_utf8(std::string_view texte)
{
    std::string sortie;
    sortie.reserve(texte.size());
    for (const char c : texte)
        Ajouter_utf8(sortie, Code_cp1252(static_cast<unsigned char>(c)));
    return sortie;
}

} // namespace trazel
