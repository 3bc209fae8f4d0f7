#include "latex/points.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "calc/conversion_chaines.h"
#include "latex/texte_image.h"

namespace trazel {

std::string Couple(Tcoordonnees p)
{
    std::string couple = "(";
    Ajouter_reel(couple, p.x);
    couple += ", ";
    Ajouter_reel(couple, p.y);
    couple += ')';
    return couple;
}

namespace {

// The letters of Windows-1252 beyond ASCII as LaTeX accent commands: they print in any
// input encoding and with any engine, where the byte itself needs the right encoding and a
// font that has the letter.
std::string_view Lettre_en_LaTeX(unsigned char octet)
{
    static constexpr std::pair<unsigned char, std::string_view> lettres[] = {
        {0x8A, "\\v{S}"},    // latin capital letter s with caron
        {0x8C, "\\OE{}"},    // latin capital ligature oe
        {0x8E, "\\v{Z}"},    // latin capital letter z with caron
        {0x9A, "\\v{s}"},    // latin small letter s with caron
        {0x9C, "\\oe{}"},    // latin small ligature oe
        {0x9E, "\\v{z}"},    // latin small letter z with caron
        {0x9F, "\\\"Y"},     // latin capital letter y with diaeresis
        {0xC0, "\\`A"},      // latin capital letter a with grave
        {0xC1, "\\'A"},      // latin capital letter a with acute
        {0xC2, "\\^A"},      // latin capital letter a with circumflex
        {0xC3, "\\~A"},      // latin capital letter a with tilde
        {0xC4, "\\\"A"},     // latin capital letter a with diaeresis
        {0xC5, "\\r{A}"},    // latin capital letter a with ring above
        {0xC6, "\\AE{}"},    // latin capital letter ae
        {0xC7, "\\c{C}"},    // latin capital letter c with cedilla
        {0xC8, "\\`E"},      // latin capital letter e with grave
        {0xC9, "\\'E"},      // latin capital letter e with acute
        {0xCA, "\\^E"},      // latin capital letter e with circumflex
        {0xCB, "\\\"E"},     // latin capital letter e with diaeresis
        {0xCC, "\\`I"},      // latin capital letter i with grave
        {0xCD, "\\'I"},      // latin capital letter i with acute
        {0xCE, "\\^I"},      // latin capital letter i with circumflex
        {0xCF, "\\\"I"},     // latin capital letter i with diaeresis
        {0xD1, "\\~N"},      // latin capital letter n with tilde
        {0xD2, "\\`O"},      // latin capital letter o with grave
        {0xD3, "\\'O"},      // latin capital letter o with acute
        {0xD4, "\\^O"},      // latin capital letter o with circumflex
        {0xD5, "\\~O"},      // latin capital letter o with tilde
        {0xD6, "\\\"O"},     // latin capital letter o with diaeresis
        {0xD8, "\\O{}"},     // latin capital letter o with stroke
        {0xD9, "\\`U"},      // latin capital letter u with grave
        {0xDA, "\\'U"},      // latin capital letter u with acute
        {0xDB, "\\^U"},      // latin capital letter u with circumflex
        {0xDC, "\\\"U"},     // latin capital letter u with diaeresis
        {0xDD, "\\'Y"},      // latin capital letter y with acute
        {0xDF, "\\ss{}"},    // latin small letter sharp s
        {0xE0, "\\`a"},      // latin small letter a with grave
        {0xE1, "\\'a"},      // latin small letter a with acute
        {0xE2, "\\^a"},      // latin small letter a with circumflex
        {0xE3, "\\~a"},      // latin small letter a with tilde
        {0xE4, "\\\"a"},     // latin small letter a with diaeresis
        {0xE5, "\\r{a}"},    // latin small letter a with ring above
        {0xE6, "\\ae{}"},    // latin small letter ae
        {0xE7, "\\c{c}"},    // latin small letter c with cedilla
        {0xE8, "\\`e"},      // latin small letter e with grave
        {0xE9, "\\'e"},      // latin small letter e with acute
        {0xEA, "\\^e"},      // latin small letter e with circumflex
        {0xEB, "\\\"e"},     // latin small letter e with diaeresis
        {0xEC, "\\`{\\i}"},  // latin small letter i with grave
        {0xED, "\\'{\\i}"},  // latin small letter i with acute
        {0xEE, "\\^{\\i}"},  // latin small letter i with circumflex
        {0xEF, "\\\"{\\i}"}, // latin small letter i with diaeresis
        {0xF1, "\\~n"},      // latin small letter n with tilde
        {0xF2, "\\`o"},      // latin small letter o with grave
        {0xF3, "\\'o"},      // latin small letter o with acute
        {0xF4, "\\^o"},      // latin small letter o with circumflex
        {0xF5, "\\~o"},      // latin small letter o with tilde
        {0xF6, "\\\"o"},     // latin small letter o with diaeresis
        {0xF8, "\\o{}"},     // latin small letter o with stroke
        {0xF9, "\\`u"},      // latin small letter u with grave
        {0xFA, "\\'u"},      // latin small letter u with acute
        {0xFB, "\\^u"},      // latin small letter u with circumflex
        {0xFC, "\\\"u"},     // latin small letter u with diaeresis
        {0xFD, "\\'y"},      // latin small letter y with acute
        {0xFF, "\\\"y"},     // latin small letter y with diaeresis
    };
    for (const auto& [code, latex] : lettres)
        if (code == octet)
            return latex;
    return {};
}

bool Est_chiffre(char c)
{
    return c >= '0' && c <= '9';
}

// The window's edges as lines through two corners, in the order AB, BC, CD, DA with
// A = (xmin, ymin), B = (xmin, ymax), C = (xmax, ymax), D = (xmax, ymin).
std::array<Tligne, 4> Bords(const TCadre_image& f)
{
    const std::array<Tcoordonnees, 4> coins{
        Tcoordonnees{f.xmin, f.ymin}, {f.xmin, f.ymax}, {f.xmax, f.ymax}, {f.xmax, f.ymin}};
    std::array<Tligne, 4> bords;
    for (std::size_t i = 0; i < 4; ++i)
        bords[i] = {coins[i], Vecteur_de(coins[i], coins[(i + 1) % 4])};
    return bords;
}

// The centre is inside and every edge stays strictly farther than the radius: a circle
// that touches an edge goes through the cutting instead.
bool Tient_dans(const Trond& rond, const TCadre_image& fenetre)
{
    if (!Dans_le_cadre(rond.centre, fenetre))
        return false;
    for (const Tligne& bord : Bords(fenetre))
        if (!(Distance_point_droite(rond.centre, bord) > rond.rayon))
            return false;
    return true;
}

// Counter-clockwise from debut to fin; an arc whose start exceeds its end runs through 0.
bool Sur_l_arc(Reel m, Reel debut, Reel fin)
{
    if (fin >= debut)
        return debut <= m && m <= fin;
    return m <= fin || m >= debut;
}

// The angles that cut the circle into pieces: its crossings with the edges, 0 and 2pi, and
// the arc's own ends. Empty when no edge meets the circle.
TListe_arcs Coupures(const Trond& rond, const TCadre_image& fenetre, Reel debut, Reel fin)
{
    // Two spare entries stay at the end; each meeting edge fills them and adds two more.
    TListe_arcs liste(2);
    for (const Tligne& bord : Bords(fenetre)) {
        const std::optional<Tdeux_points> m = Intersection_droite_cercle(bord, rond);
        if (!m)
            continue;
        const std::size_t n = liste.size();
        liste[n - 2] = {m->m1, Angle_polaire(rond.centre, m->m1)};
        liste[n - 1] = {m->m2, Angle_polaire(rond.centre, m->m2)};
        liste.resize(n + 2);
    }
    if (liste.size() == 2)
        return {};
    liste[liste.size() - 2].angle = deux_pi_etendu;
    liste[liste.size() - 1].angle = 0;
    if (debut != 0 && debut != deux_pi_etendu)
        liste.push_back({{}, debut});
    if (fin != 0 && fin != deux_pi_etendu)
        liste.push_back({{}, fin});
    Trier_angles(liste);
    return liste;
}

} // namespace

TTrait Trait_de(const Tcercle& cercle)
{
    return {cercle.dessine, cercle.couleur, cercle.style};
}

std::string Direction_nom(const Tpoint& p, const TCadre_image& fenetre)
{
    if (p.position_nom != position_non_definie)
        return p.position_nom;
    if (p.x <= fenetre.centre_x)
        return p.y <= fenetre.centre_y ? "-135" : "135";
    return p.y <= fenetre.centre_y ? "-45" : "45";
}

std::string Degres(Reel angle)
{
    return std::string(Tronquer_decimales(Reel_en_texte(angle * 180 / pi_etendu), 8));
}

TPlacement_etiquette Placement_etiquette(Reel direction)
{
    // The nearest multiple of 45 degrees, then the signs of its cosine and sine.
    const long huitieme = std::lround(direction / 45) % 8;
    constexpr std::array<TPlacement_etiquette, 8> placements{
        {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}}};
    return placements[static_cast<std::size_t>((huitieme + 8) % 8)];
}

std::string Nom_en_LaTeX(std::string_view nom)
{
    std::string latex;
    for (std::size_t i = 0; i < nom.size();) {
        if (static_cast<unsigned char>(nom[i]) >= 0x80) {
            // Each byte as its accent command when it is a letter, as itself otherwise.
            latex.append("\\mbox{\\itshape ");
            for (; i < nom.size() && static_cast<unsigned char>(nom[i]) >= 0x80; ++i) {
                const std::string_view lettre = Lettre_en_LaTeX(static_cast<unsigned char>(nom[i]));
                if (lettre.empty())
                    latex.push_back(nom[i]);
                else
                    latex.append(lettre);
            }
            latex.append("}");
            continue;
        }
        if (Est_chiffre(nom[i])) {
            std::size_t fin = i;
            while (fin < nom.size() && Est_chiffre(nom[fin]))
                ++fin;
            latex.append("_{").append(nom.substr(i, fin - i)).append("}");
            i = fin;
            continue;
        }
        if (nom[i] == '"')
            latex.append("''");
        else
            latex.push_back(nom[i]);
        ++i;
    }
    return latex;
}

void Ecrire_point(const Tpoint& p, const TCadre_image& fenetre, std::string& sortie)
{
    const Tcoordonnees position = Coordonnees(p);
    const bool dedans = Dans_le_cadre(position, fenetre);
    const std::string couple = dedans ? Couple(position) : std::string();
    if (p.dessine && dedans) {
        Ajouter_ligne(sortie, "% Point ", p.nom);
        Ajouter_ligne(sortie, "\\pscircle*[fillcolor=", p.couleur, ", linecolor=", p.couleur, "]",
                      couple, "{", p.marque, "pt}");
    } else {
        Ajouter_ligne(sortie, "% Point", p.nom,
                      " Marque Non affich\xE9"
                      "e");
    }
    if (p.nom_dessine && dedans)
        Ajouter_ligne(sortie, "\\uput{1mm}[", Direction_nom(p, fenetre), "]", couple, "{\\",
                      p.couleur, " $", Nom_en_LaTeX(p.nom), "$}");
}

// Shell sort: the gap starts at half the length and is halved down to 1.
void Trier_angles(TListe_arcs& liste)
{
    for (std::size_t ecart = liste.size() / 2; ecart > 0; ecart /= 2)
        for (std::size_t i = ecart; i < liste.size(); ++i) {
            const Reel angle = liste[i].angle;
            std::size_t j = i;
            for (; j >= ecart && liste[j - ecart].angle > angle; j -= ecart)
                liste[j].angle = liste[j - ecart].angle;
            liste[j].angle = angle;
        }
}

TCercle_visible Cercle_visible(const Trond& rond, const TCadre_image& fenetre, Reel debut, Reel fin)
{
    const bool tour = debut == 0 && fin == deux_pi_etendu;
    if (Tient_dans(rond, fenetre)) {
        if (tour)
            return {true, {}};
        if (fin >= debut)
            return {false, {{debut, fin}}};
        return {false, {{debut, deux_pi_etendu}, {0, fin}}};
    }
    // Each piece between neighbouring cuts lies wholly inside or wholly outside the window
    // and the arc, so its middle decides.
    const TListe_arcs coupures = Coupures(rond, fenetre, debut, fin);
    TCercle_visible visible;
    for (std::size_t i = 0; i + 1 < coupures.size(); ++i) {
        const Reel a = coupures[i].angle;
        const Reel b = coupures[i + 1].angle;
        const Reel milieu = (a + b) / 2;
        if (Dans_le_cadre(Point_du_cercle(rond, milieu), fenetre) && Sur_l_arc(milieu, debut, fin))
            visible.portions.push_back({a, b});
    }
    return visible;
}

void Ecrire_cercle(const Tcercle& cercle, const TTrait& trait, const TCadre_image& fenetre,
                   Reel unite, Reel debut, Reel fin, std::string& sortie)
{
    if (!trait.dessine)
        return;
    const bool tour = debut == 0 && fin == deux_pi_etendu;
    Ajouter_ligne(sortie, tour ? "% Cercle " : "% Arc de cercle ", cercle.nom);
    const Trond rond = Rond_de(cercle);
    const TCercle_visible visible = Cercle_visible(rond, fenetre, debut, fin);
    std::string trace = "[linewidth=1pt, linecolor=";
    trace.append(trait.couleur).append(", linestyle=").append(trait.style).append("]");
    trace.append(Couple(rond.centre)).append("{");
    Ajouter_reel(trace, rond.rayon * unite);
    trace.append("cm}");
    if (visible.tour_complet)
        Ajouter_ligne(sortie, "\\pscircle", trace);
    for (const TPortion& p : visible.portions)
        Ajouter_ligne(sortie, "\\psarc", trace, "{", Degres(p.debut), "}{", Degres(p.fin), "}");
}

} // namespace trazel
