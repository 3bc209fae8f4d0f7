// Every example in each picture format, compiled or rendered by the real programs
// (latex and dvips, pdflatex, lualatex, xelatex, rsvg-convert) and drawn by ghostscript at
// 150 dpi: each rendering must show what the PSTricks picture shows, where it shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "dossier_temporaire.h"
#include "latex/document.h"
#include "lecture/noms_exemples.h"
#include "lecture/transcription.h"
#include "model/fichiers.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

const fs::path exemples = essais::dossier_exemples;
constexpr int resolution = 150;
// The pages put the picture 1 cm from their top left corner.
constexpr double marge_px = resolution / 2.54;

std::vector<std::string> Exemples()
{
    return essais::Noms_des_exemples();
}

struct TImage {
    int largeur = 0, hauteur = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* Pixel(int x, int y) const
    {
        return &rgb[3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur) +
                         static_cast<std::size_t>(x))];
    }
};

// A binary PPM as ghostscript writes it (P6, maximum 255, comments allowed in the header).
TImage Lire_ppm(const fs::path& chemin)
{
    const std::string octets = Lire_fichier(chemin.string());
    std::size_t i = 0;
    const auto champ = [&] {
        while (i < octets.size() &&
               (std::isspace(static_cast<unsigned char>(octets[i])) || octets[i] == '#')) {
            if (octets[i] == '#')
                i = octets.find('\n', i);
            ++i;
        }
        const std::size_t debut = i;
        while (i < octets.size() && !std::isspace(static_cast<unsigned char>(octets[i])))
            ++i;
        return octets.substr(debut, i - debut);
    };
    TImage image;
    if (champ() != "P6")
        return image;
    image.largeur = std::stoi(champ());
    image.hauteur = std::stoi(champ());
    champ();
    ++i;
    image.rgb.assign(octets.begin() + static_cast<std::ptrdiff_t>(i), octets.end());
    if (image.rgb.size() != 3u * static_cast<std::size_t>(image.largeur * image.hauteur))
        image = {};
    return image;
}

// Light grey (191) is ink; the faintest fringe of anti-aliasing is not.
bool Encre(const unsigned char* p)
{
    return 255 - std::min({p[0], p[1], p[2]}) > 60;
}

// Two colours of the figure's palette differ by 128 at least on one channel (black and
// grey), most by 255; a blend of two strokes at an edge stays within 140 of either.
bool Couleur_proche(const unsigned char* p, const unsigned char* q)
{
    return std::abs(p[0] - q[0]) < 140 && std::abs(p[1] - q[1]) < 140 &&
           std::abs(p[2] - q[2]) < 140;
}

// What share of the ink of `a` has no pixel of a near colour in `b` within `rayon` pixels,
// `b` being moved by (dx, dy) first; ink of `a` beyond the edges of `b` does not count. An object
// dropped, moved or recoloured is ink without a match; anti-aliasing and a different hinting of the
// same glyphs stay within the radius.
double Encre_sans_pareil(const TImage& a, const TImage& b, int dx, int dy, int rayon)
{
    long encre = 0, seule = 0;
    for (int y = 0; y < a.hauteur; ++y)
        for (int x = 0; x < a.largeur; ++x) {
            const unsigned char* p = a.Pixel(x, y);
            if (!Encre(p) || x - dx < 0 || y - dy < 0 || x - dx >= b.largeur || y - dy >= b.hauteur)
                continue;
            ++encre;
            bool trouve = false;
            for (int v = -rayon; v <= rayon && !trouve; ++v)
                for (int u = -rayon; u <= rayon && !trouve; ++u) {
                    const int bx = x + u - dx, by = y + v - dy;
                    if (bx < 0 || by < 0 || bx >= b.largeur || by >= b.hauteur)
                        continue;
                    const unsigned char* q = b.Pixel(bx, by);
                    trouve = Encre(q) && Couleur_proche(p, q);
                }
            seule += trouve ? 0 : 1;
        }
    return encre == 0 ? 1.0 : static_cast<double>(seule) / static_cast<double>(encre);
}

// Pages whose size is the picture's box and 1 cm all round: for latex and dvips (the paper
// size special) and for pdfLaTeX and LuaLaTeX (their page size registers), XeLaTeX reading
// the special too.
std::string Page(const std::string& preambule, const std::string& fichier)
{
    return "\\documentclass{article}\n" + preambule +
           "\\begin{document}\n"
           "\\setbox0=\\hbox{\\input{" +
           fichier +
           "}\\unskip}\n"
           "\\dimen0=\\dimexpr\\wd0+2cm\\relax \\dimen2=\\dimexpr\\ht0+\\dp0+2cm\\relax\n"
           "\\ifdefined\\pdfpagewidth \\pdfpagewidth=\\dimen0 \\pdfpageheight=\\dimen2 \\fi\n"
           "\\ifdefined\\pagewidth \\pagewidth=\\dimen0 \\pageheight=\\dimen2 \\fi\n"
           "\\hoffset=-1in \\voffset=-1in\n"
           "\\shipout\\hbox{\\special{papersize=\\the\\dimen0,\\the\\dimen2}"
           "\\kern1cm\\vbox{\\kern1cm\\box0}}\n"
           "\\end{document}\n";
}

class Format : public essais::Dossier_temporaire {
  protected:
    // Runs a shell command in the test's folder; its output goes to sortie.txt.
    bool Lancer(const std::string& commande)
    {
        const std::string ligne =
            "cd '" + dossier_.string() + "' && (" + commande + ") </dev/null >>sortie.txt 2>&1";
        return std::system(ligne.c_str()) == 0;
    }
    std::string Journal(const std::string& nom)
    {
        const fs::path chemin = dossier_ / nom;
        std::string texte = fs::exists(chemin) ? Lire_fichier(chemin.string()) : "";
        const std::size_t erreur = texte.find("\n!");
        return erreur == std::string::npos ? texte.substr(0, 2000) : texte.substr(erreur, 600);
    }
    // The figure's picture in a format, written to `fichier`.
    void Transcrire(const std::string& figure, TFormat_image format, bool utf8,
                    const std::string& fichier)
    {
        TForm2 form2;
        Ecrire(fichier, Transcrire_texte(Lire_fichier(figure), figure, form2, {}, format, utf8));
    }
    // ghostscript's drawing of a PostScript or PDF file, 150 dpi, without anti-aliasing: each
    // pixel is the colour of a stroke or white, as the palette gives them.
    TImage Dessin(const std::string& fichier)
    {
        const std::string ppm = fichier + ".ppm";
        if (!Lancer("gs -q -dSAFER -dBATCH -dNOPAUSE -dALLOWPSTRANSPARENCY -r" +
                    std::to_string(resolution) + " -sDEVICE=ppmraw -sOutputFile=" + ppm + " " +
                    fichier))
            return {};
        return Lire_ppm(dossier_ / ppm);
    }
    TImage Dessin_pstricks(const std::string& figure, bool utf8 = false)
    {
        Transcrire(figure, TFormat_image::pstricks, utf8, "image.crb");
        Ecrire("page_crb.tex",
               Page(utf8 ? "\\usepackage{pstricks, pst-plot}\n"
                         : "\\usepackage[cp1252]{inputenc}\n\\usepackage{pstricks, pst-plot}\n",
                    "image.crb"));
        EXPECT_TRUE(Lancer("latex -interaction=nonstopmode -halt-on-error page_crb.tex && "
                           "dvips -q page_crb.dvi -o page_crb.ps"))
            << Journal("page_crb.log");
        return Dessin("page_crb.ps");
    }
    // The TikZ picture compiled by an engine in a UTF-8 document with only TikZ loaded.
    TImage Dessin_tikz(const std::string& figure, const std::string& moteur)
    {
        Transcrire(figure, TFormat_image::tikz, true, "image.tikz");
        const std::string page = "page_" + moteur;
        Ecrire(page + ".tex", Page("\\usepackage{tikz}\n", "image.tikz"));
        EXPECT_TRUE(Lancer(moteur + " -interaction=nonstopmode -halt-on-error " + page + ".tex"))
            << Journal(page + ".log");
        return Dessin(page + ".pdf");
    }
    TImage Dessin_svg(const std::string& figure)
    {
        Transcrire(figure, TFormat_image::svg, true, "image.svg");
        EXPECT_TRUE(Lancer("rsvg-convert -f pdf -o image_svg.pdf image.svg"))
            << Journal("sortie.txt");
        return Dessin("image_svg.pdf");
    }
};

class Format_exemple : public Format, public ::testing::WithParamInterface<std::string> {
  protected:
    std::string Figure() const { return (exemples / (GetParam() + ".fgr")).string(); }
};

// Both ways: nothing of the PSTricks picture missing from the other, nothing more in it.
void Comparer(const TImage& pstricks, const TImage& autre, int decalage, int rayon,
              double tolerance)
{
    ASSERT_GT(pstricks.largeur, 0);
    ASSERT_GT(autre.largeur, 0);
    EXPECT_LE(Encre_sans_pareil(pstricks, autre, decalage, decalage, rayon), tolerance);
    EXPECT_LE(Encre_sans_pareil(autre, pstricks, -decalage, -decalage, rayon), tolerance);
}

} // namespace

TEST_P(Format_exemple, tikz_avec_pdflatex_comme_pstricks)
{
    const TImage pstricks = Dessin_pstricks(Figure());
    const TImage tikz = Dessin_tikz(Figure(), "pdflatex");
    EXPECT_EQ(tikz.largeur, pstricks.largeur);
    EXPECT_EQ(tikz.hauteur, pstricks.hauteur);
    Comparer(pstricks, tikz, 0, 2, 0.01);
}

TEST_P(Format_exemple, tikz_avec_lualatex_comme_pstricks)
{
    Comparer(Dessin_pstricks(Figure()), Dessin_tikz(Figure(), "lualatex"), 0, 2, 0.01);
}

// The SVG image is the picture's box alone, without the pages' margin; rsvg-convert's glyphs
// are not TeX's, so they get a wider radius.
TEST_P(Format_exemple, svg_comme_pstricks)
{
    const TImage pstricks = Dessin_pstricks(Figure());
    const TImage svg = Dessin_svg(Figure());
    Comparer(pstricks, svg, static_cast<int>(std::lround(marge_px)), 3, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Exemples, Format_exemple, ::testing::ValuesIn(Exemples()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

namespace {

// Two points named `a` and `b` (Windows-1252), their names shown or not.
std::string Figure_de_deux_points(const std::string& a, const std::string& b, bool noms)
{
    std::string figure = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n"
                         "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\r\n"
                         "Objet dessinable Roxy, particularit\xE9s: rouge, dessin\xE9\r\n";
    for (const auto& [nom, parametres] : {std::pair{a, "1, 1"}, std::pair{b, "-1, 2"}}) {
        figure += nom + " point libre\r\n  Objet libre " + nom + ", param\xE8tres: " + parametres +
                  "\r\n";
        if (!noms)
            figure += "  Objet dessinable " + nom +
                      ", particularit\xE9s: dessin\xE9, nom non dessin\xE9\r\n";
    }
    return figure + "\r\nCommentaire\r\nFin de la figure\r\n";
}

long Encre_totale(const TImage& image)
{
    long encre = 0;
    for (int y = 0; y < image.hauteur; ++y)
        for (int x = 0; x < image.largeur; ++x)
            encre += Encre(image.Pixel(x, y)) ? 1 : 0;
    return encre;
}

} // namespace

// Points named \xC9 and \xC7 in UTF-8 documents: their labels must print with every engine,
// with at least the ink that E and C print (the accents add some), where math mode alone
// drops the letters (latex, pdflatex, lualatex) or XeLaTeX leaves them out silently.
TEST_F(Format, noms_accentues_sur_la_page_avec_chaque_moteur)
{
    const std::string accentues =
        Ecrire("accents.fgr", Figure_de_deux_points("\xC9", "\xC7", true));
    const std::string simples = Ecrire("simples.fgr", Figure_de_deux_points("E", "C", true));
    const std::string caches = Ecrire("caches.fgr", Figure_de_deux_points("E", "C", false));
    const auto verifier = [&](const std::string& moteur, auto dessiner) {
        const long sans_noms = Encre_totale(dessiner(caches));
        const long avec_noms = Encre_totale(dessiner(simples));
        const long accents = Encre_totale(dessiner(accentues));
        ASSERT_GT(avec_noms - sans_noms, 50) << moteur;
        EXPECT_GE(accents - sans_noms, avec_noms - sans_noms) << moteur;
    };
    verifier("latex", [&](const std::string& f) { return Dessin_pstricks(f, true); });
    verifier("latex, Windows-1252", [&](const std::string& f) { return Dessin_pstricks(f); });
    for (const std::string moteur : {"pdflatex", "lualatex", "xelatex"})
        verifier(moteur, [&](const std::string& f) { return Dessin_tikz(f, moteur); });
    verifier("svg", [&](const std::string& f) { return Dessin_svg(f); });
}

// The comparison itself: the TikZ picture with one object's lines taken out no longer
// matches, nor one whose labels sit on the other side of their points.
TEST_F(Format, un_objet_retire_ou_deplace_se_voit)
{
    const std::string figure = (exemples / "points.fgr").string();
    const TImage pstricks = Dessin_pstricks(figure);
    Transcrire(figure, TFormat_image::tikz, true, "image.tikz");
    const std::string tikz = Lire_fichier((dossier_ / "image.tikz").string());
    const auto dessiner = [&](const std::string& texte) {
        Ecrire("image.tikz", texte);
        Ecrire("page_pdflatex.tex", Page("\\usepackage{tikz}\n", "image.tikz"));
        EXPECT_TRUE(Lancer("pdflatex -interaction=nonstopmode -halt-on-error page_pdflatex.tex"));
        return Dessin("page_pdflatex.pdf");
    };
    const TImage entiere = dessiner(tikz);
    EXPECT_LE(Encre_sans_pareil(pstricks, entiere, 0, 0, 2), 0.01);

    // The grey circle c: its comment and the lines after it, up to the next comment.
    const std::size_t debut = tikz.find("% Cercle c\n");
    ASSERT_NE(debut, std::string::npos);
    const std::size_t fin = tikz.find("\n%", debut + 1);
    const TImage sans_cercle = dessiner(tikz.substr(0, debut) + tikz.substr(fin + 1));
    EXPECT_GT(Encre_sans_pareil(pstricks, sans_cercle, 0, 0, 2), 0.05);

    std::string deplace = tikz;
    for (std::size_t i = 0; (i = deplace.find("anchor=north east", i)) != std::string::npos;)
        deplace.replace(i, 17, "anchor=south west");
    ASSERT_NE(deplace, tikz);
    EXPECT_GT(Encre_sans_pareil(dessiner(deplace), pstricks, 0, 0, 2), 0.01);
}
