// The user documentation against the program: every file it links to exists, every example
// is shown with its picture (the examples themselves are checked and compiled with the
// other example tests), every figure excerpt comes from an example, and the help, the manual page
// and the guide name every option the command line accepts. Also the desktop files as installed.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "cli/ligne_de_commande.h"
#include "model/encodage.h"
#include "model/fichiers.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

const fs::path racine = fs::path(TRAZEL_SOURCE_DIR);
const fs::path docs = racine / "docs";
const fs::path exemples = racine / "exemples";
const fs::path installation = racine / "installation";

std::vector<fs::path> Pages()
{
    std::vector<fs::path> pages;
    for (const fs::directory_entry& f : fs::directory_iterator(docs))
        if (f.path().extension() == ".md")
            pages.push_back(f.path());
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::string Texte(const fs::path& chemin)
{
    return Lire_fichier(chemin.string());
}

struct TLien {
    fs::path page;
    std::string cible; // as written, without its "#anchor"
    fs::path chemin;   // the file it designates
};

// The relative links and pictures of a page, "[texte](cible)" and "![texte](cible)". Pages
// are scanned by hand: std::regex recurses per character and a long page overflows the stack.
std::vector<TLien> Liens(const fs::path& page)
{
    const std::string texte = Texte(page);
    std::vector<TLien> liens;
    for (std::size_t debut = texte.find("]("); debut != std::string::npos;
         debut = texte.find("](", debut + 2)) {
        const std::size_t fin = texte.find_first_of(") \t\r\n", debut + 2);
        if (fin == std::string::npos || texte[fin] != ')')
            continue;
        std::string cible = texte.substr(debut + 2, fin - debut - 2);
        if (cible.empty() || cible.starts_with("http:") || cible.starts_with("https:") ||
            cible.starts_with("#") || cible.starts_with("mailto:"))
            continue;
        cible = cible.substr(0, cible.find('#'));
        liens.push_back({page, cible, (page.parent_path() / cible).lexically_normal()});
    }
    return liens;
}

std::vector<TLien> Tous_les_liens()
{
    std::vector<TLien> liens;
    for (const fs::path& page : Pages())
        for (TLien& l : Liens(page))
            liens.push_back(std::move(l));
    return liens;
}

// The lines of the figure-language blocks of a page ("```figure" ... "```").
std::vector<std::string> Lignes_d_extraits(const fs::path& page)
{
    std::vector<std::string> lignes;
    bool dedans = false;
    for (const std::string& ligne : Decouper_lignes(Texte(page))) {
        if (ligne.starts_with("```")) {
            dedans = !dedans && ligne == "```figure";
            continue;
        }
        if (dedans && !ligne.empty())
            lignes.push_back(ligne);
    }
    return lignes;
}

struct TResultat_commande {
    int code = -1;
    std::string sortie; // standard output and error together
};

TResultat_commande Lancer_commande(const std::string& commande)
{
    TResultat_commande r;
    FILE* flux = ::popen((commande + " 2>&1").c_str(), "r");
    if (flux == nullptr)
        return r;
    std::array<char, 4096> tampon{};
    while (const std::size_t n = std::fread(tampon.data(), 1, tampon.size(), flux))
        r.sortie.append(tampon.data(), n);
    const int etat = ::pclose(flux);
    r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return r;
}

bool Commande_presente(const std::string& nom)
{
    return Lancer_commande("command -v " + nom + " >/dev/null").code == 0;
}

// An option as a word of a text, plain or in Markdown code: not a piece of a longer option
// ("-h" in "--hauteur").
bool Nomme_option(const std::string& texte, const std::string& option)
{
    constexpr std::string_view avant = " \t\r\n[(,`";
    constexpr std::string_view apres = " \t\r\n]),=`";
    for (std::size_t i = texte.find(option); i != std::string::npos;
         i = texte.find(option, i + 1)) {
        const std::size_t fin = i + option.size();
        if ((i == 0 || avant.find(texte[i - 1]) != std::string_view::npos) &&
            (fin == texte.size() || apres.find(texte[fin]) != std::string_view::npos))
            return true;
    }
    return false;
}

std::string Aide()
{
    TFlux_texte sortie, erreurs;
    EXPECT_EQ(Executer({"--aide"}, sortie, erreurs), code_succes) << erreurs.texte();
    return sortie.texte();
}

// The manual page as its reader sees the option names: roff writes a hyphen "\-".
std::string Page_de_manuel()
{
    std::string page = Texte(installation / "trazel.1");
    for (std::size_t i = page.find("\\-"); i != std::string::npos; i = page.find("\\-", i))
        page.erase(i, 1);
    return page;
}

} // namespace

TEST(Documentation, chaque_lien_mene_a_un_fichier)
{
    const std::vector<TLien> liens = Tous_les_liens();
    ASSERT_GE(Pages().size(), 2u);
    ASSERT_GE(liens.size(), 10u);
    for (const TLien& l : liens) {
        SCOPED_TRACE(l.page.filename().string() + " : " + l.cible);
        EXPECT_TRUE(fs::is_regular_file(l.chemin)) << l.chemin;
    }
}

// Each example is shown in the documentation, with the picture the program made of it and
// that picture in the three formats side by side.
TEST(Documentation, chaque_exemple_est_montre_avec_son_image)
{
    std::set<fs::path> cibles;
    for (const TLien& l : Tous_les_liens())
        cibles.insert(l.chemin);
    for (const fs::directory_entry& f : fs::directory_iterator(exemples)) {
        if (f.path().extension() != ".fgr")
            continue;
        const std::string nom = f.path().stem().string();
        SCOPED_TRACE(nom);
        EXPECT_TRUE(cibles.contains((exemples / (nom + ".fgr")).lexically_normal()));
        EXPECT_TRUE(cibles.contains((docs / "images" / (nom + ".png")).lexically_normal()));
        EXPECT_TRUE(
            cibles.contains((docs / "images" / "formats" / (nom + ".png")).lexically_normal()));
    }
}

// An excerpt that was mistyped, or that an example no longer holds, would teach a line that
// no test reads.
TEST(Documentation, chaque_extrait_vient_d_un_exemple)
{
    std::set<std::string> lignes_des_exemples;
    for (const fs::directory_entry& f : fs::directory_iterator(exemples))
        if (f.path().extension() == ".fgr")
            for (const std::string& ligne : Decouper_lignes(Cp1252_vers_utf8(Texte(f.path()))))
                lignes_des_exemples.insert(ligne);
    std::size_t extraits = 0;
    for (const fs::path& page : Pages())
        for (const std::string& ligne : Lignes_d_extraits(page)) {
            SCOPED_TRACE(page.filename().string());
            EXPECT_TRUE(lignes_des_exemples.contains(ligne)) << ligne;
            ++extraits;
        }
    EXPECT_GE(extraits, 50u);
}

TEST(Options_acceptees, chacune_est_nommee_par_l_aide_le_manuel_et_le_guide)
{
    const std::vector<std::string> options = Options_acceptees();
    ASSERT_GE(options.size(), 10u);
    const std::pair<const char*, std::string> textes[] = {
        {"aide", Aide()},
        {"trazel.1", Page_de_manuel()},
        {"guide.md", Texte(docs / "guide.md")},
        {"trazel.bash-completion",
         Texte(fs::path(TRAZEL_SOURCE_DIR) / "installation" / "trazel.bash-completion")},
    };
    for (const auto& [nom, texte] : textes)
        for (const std::string& option : options) {
            SCOPED_TRACE(std::string(nom) + " : " + option);
            EXPECT_TRUE(Nomme_option(texte, option));
        }
}

// The check itself: an option that the help only names inside a longer one does not count.
TEST(Options_acceptees, un_nom_dans_un_autre_ne_compte_pas)
{
    EXPECT_FALSE(Nomme_option("  --hauteur H\n", "-h"));
    EXPECT_FALSE(Nomme_option("  --documents\n", "--document"));
    EXPECT_TRUE(Nomme_option("  --aide, --help, -h   affiche", "-h"));
    EXPECT_TRUE(Nomme_option("[--largeur L]", "--largeur"));
    EXPECT_TRUE(Nomme_option("--sortie=SORTIE", "--sortie"));
    EXPECT_TRUE(Nomme_option("l'option `--`", "--"));
}

TEST(Installation, l_entree_de_bureau_est_valide)
{
    ASSERT_TRUE(Commande_presente("desktop-file-validate"))
        << "desktop-file-validate manque (paquet desktop-file-utils)";
    const TResultat_commande r = Lancer_commande("desktop-file-validate '" +
                                                 (installation / "trazel.desktop").string() + "'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "");
}

// Double-clicking a figure opens it: the entry runs the desktop program on the file, for the
// type that the MIME declaration gives to "*.fgr".
TEST(Installation, l_entree_de_bureau_ouvre_le_type_des_figures)
{
    const std::string entree = Texte(installation / "trazel.desktop");
    const std::string mime = Texte(installation / "trazel-mime.xml");
    std::smatch type;
    ASSERT_TRUE(std::regex_search(mime, type, std::regex(R"(<mime-type type="([^"]+)\")")));
    EXPECT_NE(mime.find("<glob pattern=\"*.fgr\"/>"), std::string::npos);
    EXPECT_NE(entree.find("\nMimeType=" + type[1].str() + ";\n"), std::string::npos) << entree;
    EXPECT_NE(entree.find("\nExec=trazel-gui %f\n"), std::string::npos) << entree;
    EXPECT_NE(entree.find("\nIcon=trazel\n"), std::string::npos) << entree;
    EXPECT_TRUE(fs::is_regular_file(installation / "trazel.svg"));
}

TEST(Installation, les_pages_de_manuel_se_lisent_sans_avertissement)
{
    ASSERT_TRUE(Commande_presente("man")) << "man manque (paquet man-db)";
    for (const char* page : {"trazel.1", "trazel-gui.1"}) {
        SCOPED_TRACE(page);
        const std::string chemin = (installation / page).string();
        const TResultat_commande avertissements =
            Lancer_commande("MANWIDTH=80 man --warnings -E UTF-8 -l '" + chemin + "' >/dev/null");
        EXPECT_EQ(avertissements.code, 0);
        EXPECT_EQ(avertissements.sortie, "");
        const TResultat_commande rendu =
            Lancer_commande("MANWIDTH=80 man -E UTF-8 -l '" + chemin + "' 2>/dev/null");
        EXPECT_NE(rendu.sortie.find("SYNOPSIS"), std::string::npos) << rendu.sortie;
    }
}
