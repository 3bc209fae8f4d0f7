#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/ligne_de_commande.h"
#include "dossier_temporaire.h"
#include "model/encodage.h"
#include "model/fichiers.h"
#include "model/texte_figure.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

struct Resultat {
    int code;
    std::string sortie, erreurs;
};

Resultat Lancer(const std::vector<std::string>& arguments)
{
    TFlux_texte sortie, erreurs;
    const int code = Executer(arguments, sortie, erreurs);
    return {code, sortie.texte(), erreurs.texte()};
}

// The exit status of a shell command, as a shell sees it; -1 when it did not exit.
int Statut(const std::string& commande)
{
    const int brut = std::system(commande.c_str());
    return WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
}

class Commande : public essais::Dossier_temporaire {
  protected:
    std::string Figure(const std::string& nom, const std::string& texte)
    {
        return Ecrire(nom, texte);
    }
};

} // namespace

TEST(Executer, erreurs_d_utilisation)
{
    struct Cas {
        const char* nom;
        std::vector<std::string> arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"aucune_figure", {}, "aucune figure"},
        {"option_inconnue", {"--couleur", "f.fgr"}, "option inconnue : --couleur"},
        {"valeur_manquante", {"f.fgr", "--largeur"}, "l'option --largeur attend une valeur"},
        {"sortie_et_deux_figures", {"-o", "x.crb", "a.fgr", "b.fgr"}, "une seule figure"},
        {"largeur_fausse",
         {"--largeur", "2*-3", "f.fgr"},
         "--largeur \xC2\xAB 2*-3 \xC2\xBB : Error in formula."},
        {"hauteur_nulle", {"--hauteur=0", "f.fgr"}, "--hauteur doit \xC3\xAAtre positive"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Resultat r = Lancer(c.arguments);
        EXPECT_EQ(r.code, code_usage);
        EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << r.erreurs;
        EXPECT_TRUE(r.sortie.empty());
    }
}

TEST(Executer, aide_et_version)
{
    const Resultat aide = Lancer({"--aide"});
    EXPECT_EQ(aide.code, code_succes);
    for (const char* option : {"--largeur", "--hauteur", "-o", "--sortie", "--document",
                               "--avertissements", "--aide", "--help", "--version"})
        EXPECT_NE(aide.sortie.find(option), std::string::npos) << option;
    EXPECT_EQ(Lancer({"--help"}).sortie, aide.sortie);
    const Resultat version = Lancer({"--version"});
    EXPECT_EQ(version.code, code_succes);
    EXPECT_TRUE(version.sortie.starts_with("trazel ")) << version.sortie;
    EXPECT_NE(version.sortie.find("\nLicence GPLv3+ : GNU GPL version 3 ou ult\xC3\xA9rieure"),
              std::string::npos)
        << version.sortie;
}

TEST_F(Commande, transcrit_a_cote_de_la_figure)
{
    const std::string figure = Figure("vide.fgr", essais::Texte_figure({}));
    const Resultat r = Lancer({"--largeur", "20", "--hauteur", "2*5", figure});
    EXPECT_EQ(r.code, code_succes) << r.erreurs;
    EXPECT_TRUE(r.erreurs.empty());
    const std::string image = Lire_fichier((dossier_ / "vide.crb").string());
    EXPECT_TRUE(image.starts_with("% Unit\xE9s Latex\r\n\\psset{xunit=1cm}\r\n"));
    EXPECT_TRUE(image.ends_with("\\end{pspicture}\r\n"));
}

TEST_F(Commande, sortie_standard_et_fichier_choisi)
{
    const std::string figure = Figure("vide.fgr", essais::Texte_figure({}));
    const Resultat standard = Lancer({"-o", "-", figure});
    EXPECT_EQ(standard.code, code_succes);
    EXPECT_FALSE(fs::exists(dossier_ / "vide.crb"));
    const std::string choisi = (dossier_ / "autre.tex").string();
    EXPECT_EQ(Lancer({figure, "--sortie=" + choisi}).code, code_succes);
    EXPECT_EQ(Lire_fichier(choisi), standard.sortie);
}

TEST_F(Commande, document_complet)
{
    const std::string figure = Figure("vide.fgr", essais::Texte_figure({}));
    const Resultat image = Lancer({"-o", "-", figure});
    const Resultat document = Lancer({"--document", "-o", "-", figure});
    EXPECT_EQ(document.code, code_succes);
    EXPECT_TRUE(document.sortie.starts_with("%Format: WML-LaTeX2e\r\n%Option: bigtex\r\n"));
    EXPECT_NE(document.sortie.find("\\part*{Figure \\LaTeX}\r\n" + image.sortie),
              std::string::npos);
    EXPECT_TRUE(document.sortie.ends_with("\\end{pspicture}\r\n\\end{document}\r\n"));
    // Without -o, the document goes beside the figure with the extension "tex".
    EXPECT_EQ(Lancer({"--document", figure}).code, code_succes);
    EXPECT_EQ(Lire_fichier((dossier_ / "vide.tex").string()), document.sortie);
    EXPECT_FALSE(fs::exists(dossier_ / "vide.crb"));
}

TEST_F(Commande, echecs_nomment_fichier_et_ligne)
{
    const std::string bonne = Figure("bonne.fgr", essais::Texte_figure({}));
    const std::string fausse = Figure(
        "fausse.fgr", essais::Texte_figure({}, "Position de Roxy: Xmin: 2+, Xmax: 5, Ymax: 5"));
    const std::string absente = (dossier_ / "absente.fgr").string();
    const Resultat r = Lancer({fausse, absente, bonne});
    EXPECT_EQ(r.code, code_echec);
    EXPECT_NE(r.erreurs.find("trazel: " + fausse + ", ligne 4 : Error in formula."),
              std::string::npos)
        << r.erreurs;
    EXPECT_NE(r.erreurs.find("trazel: " + absente + " : impossible de lire le fichier"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dossier_ / "fausse.crb"));
    EXPECT_TRUE(fs::exists(dossier_ / "bonne.crb")); // the others are still transcribed
}

// Each kind of bad input: exit status 1, a message naming the file (and the line where one
// applies), and no picture file.
TEST_F(Commande, mauvaises_entrees)
{
    struct Cas {
        const char* nom;
        std::string texte;
        const char* lieu;
        const char* message;
    };
    const Cas cas[] = {
        {"pas_une_figure", "Cher coll\xE8gue,\r\nvoici la figure.\r\n\r\nBien \xE0 vous\r\n",
         ", ligne 4 : ", "ce fichier n'est pas une figure"},
        {"fichier_vide", "", " : ", "ce fichier n'est pas une figure"},
        {"plage_vide", essais::Texte_figure({}, "Position de Roxy: Xmin: 3, Xmax: 3, Ymax: 5"),
         ", ligne 4 : ", "l'image n'a pas de surface"},
        {"formule_fausse",
         essais::Texte_figure({}, "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5*/2"),
         ", ligne 4 : ", "Error in formula. (formule \xC2\xAB 5*/2 \xC2\xBB)"},
        {"division_par_zero",
         essais::Texte_figure({}, "Position de Roxy: Xmin: -5, Xmax: 5/0, Ymax: 5"),
         ", ligne 4 : ", "Division par z\xC3\xA9ro"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::string figure = Figure(std::string(c.nom) + ".fgr", c.texte);
        const Resultat r = Lancer({figure});
        EXPECT_EQ(r.code, code_echec);
        EXPECT_NE(r.erreurs.find("trazel: " + figure + c.lieu + c.message), std::string::npos)
            << r.erreurs;
        EXPECT_FALSE(fs::exists(dossier_ / (std::string(c.nom) + ".crb")));
    }
    const Resultat dossier =
        Lancer({(dossier_ / "f.fgr").string(), "-o", (dossier_ / "absent" / "f.crb").string()});
    EXPECT_EQ(dossier.code, code_echec);
}

TEST_F(Commande, avertissements_listent_les_lignes_ignorees)
{
    const std::string figure = Figure("f.fgr", essais::Texte_figure({"A truc", "n entier"}));
    const Resultat muet = Lancer({figure});
    EXPECT_TRUE(muet.erreurs.empty());
    const Resultat r = Lancer({"--avertissements", figure});
    EXPECT_EQ(r.code, code_succes);
    EXPECT_NE(r.erreurs.find(figure + ", ligne 6 : ligne ignor\xC3\xA9"
                                      "e (mot \xC2\xAB truc \xC2\xBB inconnu) : A truc"),
              std::string::npos)
        << r.erreurs;
    EXPECT_NE(r.erreurs.find(figure + ", ligne 7 : "), std::string::npos);
}

// The installed program: exit statuses as a shell sees them.
TEST_F(Commande, programme_et_codes_de_retour)
{
    const std::string figure = Figure("vide.fgr", essais::Texte_figure({}));
    auto statut = [](const std::string& commande) { return Statut(commande + " >/dev/null 2>&1"); };
    const std::string exe = TRAZEL_EXE;
    EXPECT_EQ(statut(exe + " '" + figure + "'"), 0);
    EXPECT_EQ(statut(exe + " '" + (dossier_ / "absente.fgr").string() + "'"), 1);
    EXPECT_EQ(statut(exe + " --inconnue"), 2);
    EXPECT_EQ(Lire_fichier((dossier_ / "vide.crb").string()).size() > 0, true);
}

// The program's standard output: a picture larger than the stream's buffer arrives whole
// through a pipe, byte for byte the picture written to its file.
TEST_F(Commande, programme_et_sortie_standard)
{
    std::string points;
    for (int k = 0; k < 3000; ++k)
        points += "P" + std::to_string(k) + " point libre\r\n  Objet libre P" + std::to_string(k) +
                  ", param\xE8tres: " + std::to_string(k % 19 - 9) + ", " +
                  std::to_string(k % 17 - 8) + "\r\n";
    std::string texte = essais::Texte_figure({});
    texte.insert(texte.find("Commentaire"), points);
    const std::string figure = Figure("grande.fgr", texte);
    const std::string exe = TRAZEL_EXE;
    const std::string tube = (dossier_ / "tube.crb").string();

    ASSERT_EQ(Statut(exe + " -o - '" + figure + "' | cat > '" + tube + "'"), 0);
    ASSERT_EQ(Statut(exe + " '" + figure + "'"), 0);
    const std::string image = Lire_fichier((dossier_ / "grande.crb").string());
    EXPECT_GT(image.size(), std::size_t{1} << 17);
    EXPECT_EQ(Lire_fichier(tube), image);
}

TEST(Executer, formats_et_encodages_refuses)
{
    struct Cas {
        const char* nom;
        std::vector<std::string> arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"format_inconnu", {"--format", "png", "f.fgr"}, "format inconnu : png"},
        {"encodage_inconnu", {"--encodage=latin9", "f.fgr"}, "encodage inconnu : latin9"},
        {"document_svg", {"--format", "svg", "--document", "f.fgr"}, "--document ne s'emploie"},
        {"document_pdf", {"--document", "--format=pdf", "f.fgr"}, "--document ne s'emploie"},
        {"tikz_cp1252", {"--format", "tikz", "--encodage", "cp1252", "f.fgr"}, "UTF-8"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Resultat r = Lancer(c.arguments);
        EXPECT_EQ(r.code, code_usage);
        EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << r.erreurs;
    }
}

// Each format beside the figure under its own extension; the new ones in UTF-8 with LF, the
// PSTricks picture in UTF-8 only when asked, otherwise byte for byte the default one.
TEST_F(Commande, formats_a_cote_de_la_figure)
{
    const std::string figure = Figure(
        "\xE9t\xE9.fgr",
        essais::Texte_figure({"\xC9 point libre", "  Objet libre \xC9, param\xE8tres: 1, 2"}));
    ASSERT_EQ(Lancer({figure}).code, code_succes);
    const std::string crb = Lire_fichier((dossier_ / "\xE9t\xE9.crb").string());
    EXPECT_NE(crb.find("% Point \xC9\r\n"), std::string::npos);
    EXPECT_NE(crb.find("{\\black $\\mbox{\\itshape \\'E}$}\r\n"), std::string::npos);

    ASSERT_EQ(Lancer({"--encodage", "utf8", "-o", "-", figure}).sortie, Cp1252_vers_utf8(crb));
    ASSERT_EQ(Lancer({"--encodage=cp1252", "-o", "-", figure}).sortie, crb);

    ASSERT_EQ(Lancer({"--format", "tikz", figure}).code, code_succes);
    const std::string tikz = Lire_fichier((dossier_ / "\xE9t\xE9.tikz").string());
    EXPECT_TRUE(tikz.starts_with("\\begin{tikzpicture}[x=0.655913962978379cm, "
                                 "y=0.655913962978379cm, line width=1pt, font=\\small]\n"))
        << tikz;
    EXPECT_NE(tikz.find("% Point \xC3\x89\n\\fill[black] (1, 2) circle[radius=1pt];\n"),
              std::string::npos)
        << tikz;
    EXPECT_EQ(tikz.find('\r'), std::string::npos);
    EXPECT_TRUE(tikz.ends_with("\\end{tikzpicture}\n"));

    ASSERT_EQ(Lancer({"--format=svg", figure}).code, code_succes);
    const std::string svg = Lire_fichier((dossier_ / "\xE9t\xE9.svg").string());
    EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_NE(svg.find("<!-- Point \xC3\x89 -->"), std::string::npos) << svg;
    EXPECT_NE(svg.find(">\xC3\x89</text>"), std::string::npos) << svg;

    const Resultat document = Lancer({"--format", "tikz", "--document", "-o", "-", figure});
    EXPECT_TRUE(document.sortie.starts_with("\\documentclass{article}\n\\usepackage{tikz}\n"));
    EXPECT_NE(document.sortie.find(tikz), std::string::npos);
}

// The PDF is pdflatex's; its failures say why, and leave no file behind.
TEST_F(Commande, pdf_compile_par_pdflatex)
{
    const std::string figure = Figure(
        "p.fgr", essais::Texte_figure({"A point libre", "  Objet libre A, param\xE8tres: 1, 2"}));
    const Resultat r = Lancer({"--format", "pdf", figure});
    ASSERT_EQ(r.code, code_succes) << r.erreurs;
    const std::string pdf = Lire_fichier((dossier_ / "p.pdf").string());
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    // One page of the picture's box, 10 cm by 6.56: 1000 by 656 pixels at 254 dpi.
    EXPECT_EQ(Statut("gs -q -dSAFER -dBATCH -dNOPAUSE -r254 -sDEVICE=pgmraw -sOutputFile='" +
                     (dossier_ / "p.pgm").string() + "' '" + (dossier_ / "p.pdf").string() + "'"),
              0);
    const std::string pgm = Lire_fichier((dossier_ / "p.pgm").string());
    EXPECT_NE(pgm.find("\n1000 656\n"), std::string::npos) << pgm.substr(0, 80);

    // No engine on the PATH.
    const char* chemin = std::getenv("PATH");
    const std::string ancien = chemin != nullptr ? chemin : "";
    ::setenv("PATH", dossier_.c_str(), 1);
    const Resultat sans = Lancer({"--format", "pdf", "-o", (dossier_ / "x.pdf").string(), figure});
    ::setenv("PATH", ancien.c_str(), 1);
    EXPECT_EQ(sans.code, code_echec);
    EXPECT_NE(sans.erreurs.find("pdflatex introuvable"), std::string::npos) << sans.erreurs;
    EXPECT_FALSE(fs::exists(dossier_ / "x.pdf"));
}

// "-" reads the figure from the standard input: its picture goes to the standard output, or
// to -o; its messages name the standard input.
TEST_F(Commande, figure_lue_sur_l_entree_standard)
{
    const std::string texte =
        essais::Texte_figure({"A point libre", "  Objet libre A, param\xE8tres: 1, 2"});
    const std::string figure = Figure("a.fgr", texte);
    const Resultat fichier = Lancer({"-o", "-", figure});
    {
        TFlux_texte sortie, erreurs;
        TEntree_texte entree(texte);
        EXPECT_EQ(Executer({"-"}, sortie, erreurs, entree), code_succes) << erreurs.texte();
        EXPECT_EQ(sortie.texte(), fichier.sortie);
    }
    {
        TFlux_texte sortie, erreurs;
        TEntree_texte entree(texte);
        const std::string choisi = (dossier_ / "choisi.tikz").string();
        EXPECT_EQ(Executer({"--format", "tikz", "-", "-o", choisi}, sortie, erreurs, entree),
                  code_succes);
        EXPECT_TRUE(sortie.texte().empty());
        EXPECT_TRUE(Lire_fichier(choisi).starts_with("\\begin{tikzpicture}"));
    }
    {
        TFlux_texte sortie, erreurs;
        TEntree_texte entree(essais::Texte_figure({"P point de coordonn\xE9"
                                                   "es (1/0, 2) dans le rep\xE8re Roxy"}));
        EXPECT_EQ(Executer({"-"}, sortie, erreurs, entree), code_echec);
        EXPECT_TRUE(erreurs.texte().starts_with("trazel: entr\xC3\xA9"
                                                "e standard, ligne 6 : "))
            << erreurs.texte();
        EXPECT_TRUE(sortie.texte().empty());
    }
    // Through the real program, in a pipe.
    const std::string exe = TRAZEL_EXE;
    const std::string tube = (dossier_ / "tube.crb").string();
    ASSERT_EQ(Statut(exe + " - < '" + figure + "' | cat > '" + tube + "'"), 0);
    EXPECT_EQ(Lire_fichier(tube), fichier.sortie);
    EXPECT_EQ(Lancer({"-", "-"}).code, code_usage);
}

// A French decimal comma in a lone number is a point; elsewhere it is refused, and the
// message says how to write it. Every line the command writes on its error output, hints and
// warnings included, starts with "trazel:".
TEST_F(Commande, virgule_decimale_et_messages_prefixes)
{
    const std::string figure = Figure("vide.fgr", essais::Texte_figure({"ligne inconnue"}));
    EXPECT_EQ(Lancer({"--largeur", "7,5", "-o", "-", figure}).sortie,
              Lancer({"--largeur", "7.5", "-o", "-", figure}).sortie);
    EXPECT_EQ(Lancer({"--hauteur=12,25", "-o", "-", figure}).sortie,
              Lancer({"--hauteur=12.25", "-o", "-", figure}).sortie);
    for (const char* faux : {"7,5,2", "2*3,5", ",5", "7,"}) {
        SCOPED_TRACE(faux);
        const Resultat r = Lancer({"--largeur", faux, figure});
        EXPECT_EQ(r.code, code_usage);
        EXPECT_NE(r.erreurs.find("avec un point (7.5)"), std::string::npos) << r.erreurs;
    }
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--avertissements", "-o", "-", figure},
          std::vector<std::string>{"--inconnue"},
          std::vector<std::string>{(dossier_ / "absente.fgr").string()}}) {
        const Resultat r = Lancer(arguments);
        ASSERT_FALSE(r.erreurs.empty());
        for (const std::string& ligne : Decouper_lignes(r.erreurs))
            EXPECT_TRUE(ligne.starts_with("trazel: ")) << ligne;
    }
}

namespace {

// Waits up to ten seconds for `condition`.
template <class F> bool Attendre(F condition)
{
    for (int essai = 0; essai < 200; ++essai) {
        if (condition())
            return true;
        ::usleep(50000);
    }
    return condition();
}

std::string Lire_si_present(const fs::path& chemin)
{
    return fs::exists(chemin) ? Lire_fichier(chemin.string()) : std::string();
}

} // namespace

// --suivre: the figure is rewritten in place, then with a fault, then replaced by a rename
// as editors save; each good save remakes the picture, the faulty one says why and leaves
// the last good picture.
TEST_F(Commande, suivre_refait_l_image_a_chaque_enregistrement)
{
    const auto texte = [](const std::string& parametres, const char* autre = nullptr) {
        std::initializer_list<std::string_view> sans = {"A point libre",
                                                        "  Objet libre A, param\xE8tres: "};
        std::string t = essais::Texte_figure(sans);
        t.insert(t.find("\r\n\r\nCommentaire"), parametres);
        if (autre != nullptr)
            t.insert(t.find("\r\nCommentaire"), std::string(autre) + "\r\n");
        return t;
    };
    const std::string figure = Figure("suivie.fgr", texte("1, 2"));
    const fs::path image = dossier_ / "suivie.crb";
    const fs::path journal = dossier_ / "journal.txt";
    const std::string exe = TRAZEL_EXE;
    ASSERT_EQ(Statut(exe + " --suivre '" + figure + "' 2>'" + journal.string() + "' & echo $! >'" +
                     (dossier_ / "pid").string() + "'"),
              0);
    const std::string pid = Lire_fichier((dossier_ / "pid").string());
    const auto arret = [&] { Statut("kill " + pid + " 2>/dev/null"); };
    struct TArret {
        std::function<void()> f;
        ~TArret() { f(); }
    } garde{arret};

    ASSERT_TRUE(Attendre([&] {
        return Lire_si_present(journal).find("suivi de 1 figure") != std::string::npos;
    })) << Lire_si_present(journal);
    EXPECT_NE(Lire_si_present(image).find("(1, 2)"), std::string::npos);

    std::ofstream(figure, std::ios::binary | std::ios::trunc) << texte("3, 4");
    EXPECT_TRUE(
        Attendre([&] { return Lire_si_present(image).find("(3, 4)") != std::string::npos; }));

    std::ofstream(figure, std::ios::binary | std::ios::trunc)
        << texte("5, 6", "P point de coordonn\xE9"
                         "es (1/0, 2) dans le rep\xE8re Roxy");
    EXPECT_TRUE(Attendre([&] {
        return Lire_si_present(journal).find("suivie.fgr, ligne 8 : ") != std::string::npos;
    })) << Lire_si_present(journal);
    EXPECT_NE(Lire_si_present(image).find("(3, 4)"), std::string::npos);

    const std::string copie = Ecrire("suivie.fgr~", texte("2, 3"));
    fs::rename(copie, figure);
    EXPECT_TRUE(Attendre([&] {
        return Lire_si_present(image).find("(2, 3)") != std::string::npos;
    })) << Lire_si_present(journal);
    EXPECT_EQ(Lancer({"--suivre", "-"}).code, code_usage);
}

// The bash completion, run by bash as the shell runs it: options, the values of the options
// that take a list, and only figures and folders for the arguments.
TEST_F(Commande, completion_bash)
{
    for (const char* nom : {"a.fgr", "B.FGR", "notes.txt", "image.crb"})
        Ecrire(nom, "");
    fs::create_directory(dossier_ / "sous");
    const std::string script =
        std::string(TRAZEL_SOURCE_DIR) + "/installation/trazel.bash-completion";
    const auto completer = [&](const std::string& fonction, const std::string& mots, int mot) {
        const fs::path sortie = dossier_ / "completion.txt";
        const std::string commande =
            "cd '" + dossier_.string() + "' && bash -c 'source \"" + script + "\"; COMP_WORDS=(" +
            mots + "); COMP_CWORD=" + std::to_string(mot) + "; " + fonction +
            "; printf \"%s\\n\" \"${COMPREPLY[@]}\" | LC_ALL=C sort' > '" + sortie.string() + "'";
        EXPECT_EQ(Statut(commande), 0) << commande;
        return Lire_fichier(sortie.string());
    };
    EXPECT_EQ(completer("_trazel", "trazel --for", 1), "--format\n");
    EXPECT_EQ(completer("_trazel", "trazel --format \"\"", 2), "pdf\npstricks\nsvg\ntikz\n");
    EXPECT_EQ(completer("_trazel", "trazel --encodage u", 2), "utf8\n");
    EXPECT_EQ(completer("_trazel", "trazel --suivre \"\"", 2), "B.FGR\na.fgr\nsous\n");
    EXPECT_EQ(completer("_trazel_gui", "trazel-gui --v", 1), "--version\n");
}
