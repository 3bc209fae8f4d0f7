// One test per row of docs/entrees_incorrectes.md: for each class of bad input, what the
// command line answers (exit status, exact message naming the file and the line) and that no
// picture is left behind; or, for the inputs that are not errors, the picture written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "cli/ligne_de_commande.h"
#include "dossier_temporaire.h"
#include "lecture/transcription.h"
#include "model/encodage.h"
#include "model/fichiers.h"
#include "model/texte_figure.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

// The figure of two free points, A (-3, -2) and B (3, -1) on lines 6 to 9, then the lines
// given from line 10 on.
std::string Figure_avec(const std::vector<std::string>& lignes)
{
    std::string texte =
        essais::Texte_figure({"A point libre", "  Objet libre A, param\xE8tres: -3, -2",
                              "B point libre", "  Objet libre B, param\xE8tres: 3, -1"});
    std::string suite;
    for (const std::string& ligne : lignes)
        suite += ligne + "\r\n";
    return texte.insert(texte.find("\r\nCommentaire"), suite);
}

std::string Repete(std::string_view motif, int n)
{
    std::string texte;
    for (int k = 0; k < n; ++k)
        texte += motif;
    return texte;
}

struct Resultat {
    int code;
    std::string sortie, erreurs;
};

// A failing figure: its text, where the message points (", ligne N" or nothing) and the
// message (Windows-1252); `debut` when only the start of the message is fixed.
struct Cas {
    const char* nom;
    std::string texte;
    std::string lieu;
    std::string message;
    bool debut = false;
};

class Entrees_incorrectes : public essais::Dossier_temporaire {
  protected:
    static Resultat Lancer(const std::vector<std::string>& arguments)
    {
        TFlux_texte sortie, erreurs;
        const int code = Executer(arguments, sortie, erreurs);
        return {code, sortie.texte(), erreurs.texte()};
    }

    // The command fails on the file with exactly "trazel: FICHIER[, ligne N] : MESSAGE" and
    // writes no picture.
    void Attendre_echec(const std::string& chemin, const std::string& lieu,
                        const std::string& message, bool debut = false,
                        std::vector<std::string> options = {})
    {
        options.push_back(chemin);
        const Resultat r = Lancer(options);
        EXPECT_EQ(r.code, code_echec);
        const std::string attendu = "trazel: " + chemin + lieu + " : " + Cp1252_vers_utf8(message);
        if (debut)
            EXPECT_TRUE(r.erreurs.starts_with(attendu)) << r.erreurs;
        else
            EXPECT_EQ(r.erreurs, attendu + "\n");
        EXPECT_TRUE(r.sortie.empty());
        EXPECT_FALSE(fs::exists(Chemin_sortie(chemin)));
    }

    void Attendre_echecs(const std::vector<Cas>& cas)
    {
        for (const Cas& c : cas) {
            SCOPED_TRACE(c.nom);
            Attendre_echec(Ecrire(std::string(c.nom) + ".fgr", c.texte), c.lieu, c.message,
                           c.debut);
        }
    }

    // The picture of a figure that is no error.
    std::string Image(const std::string& nom, const std::string& texte)
    {
        const Resultat r = Lancer({"-o", "-", Ecrire(nom, texte)});
        EXPECT_EQ(r.code, code_succes) << r.erreurs;
        EXPECT_TRUE(r.erreurs.empty()) << r.erreurs;
        return r.sortie;
    }
};

const std::string pas_une_figure = "ce fichier n'est pas une figure : la ligne \xAB Position de "
                                   "Roxy: Xmin: \x85, Xmax: \x85, Ymax: \x85 \xBB manque";
const std::string sans_surface =
    "l'image n'a pas de surface : la plage de \xAB Position de Roxy \xBB ou le \xAB Double "
    "cadre \xBB donne une largeur ou une hauteur nulle ou n\xE9gative";

} // namespace

TEST_F(Entrees_incorrectes, fichier_absent_ou_illisible)
{
    Attendre_echec((dossier_ / "absente.fgr").string(), "",
                   "impossible de lire le fichier : fichier ou dossier introuvable");
    const std::string fichier = Ecrire("f.fgr", essais::Texte_figure({}));
    Attendre_echec(fichier + "/g.fgr", "",
                   "impossible de lire le fichier : un \xE9l\xE9ment du chemin n'est pas un "
                   "dossier");
}

TEST_F(Entrees_incorrectes, fichier_absent_ou_illisible_sans_droit_de_lecture)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads a file without read permission";
    const std::string fichier = Ecrire("f.fgr", essais::Texte_figure({}));
    fs::permissions(fichier, fs::perms::none);
    Attendre_echec(fichier, "",
                   "impossible de lire le fichier : permission refus\xE9"
                   "e");
}

TEST_F(Entrees_incorrectes, dossier_donne_comme_figure)
{
    fs::create_directory(dossier_ / "figure.fgr");
    Attendre_echec((dossier_ / "figure.fgr").string(), "",
                   "impossible de lire le fichier : c'est un dossier");
}

TEST_F(Entrees_incorrectes, pas_une_figure)
{
    Attendre_echecs({
        {"lettre", "Cher coll\xE8gue,\r\nvoici la figure.\r\n\r\nBien \xE0 vous\r\n", ", ligne 4",
         pas_une_figure},
        {"image_png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ", ligne 4",
         pas_une_figure},
        {"titre_seul", "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n", "", pas_une_figure},
    });
}

TEST_F(Entrees_incorrectes, fichier_vide)
{
    Attendre_echecs(
        {{"vide", "", "", pas_une_figure}, {"lignes_vides", "\r\n\r\n\n\r", "", pas_une_figure}});
}

TEST_F(Entrees_incorrectes, noms_inconnus)
{
    Attendre_echecs({
        {"point", Figure_avec({"I milieu du segment [AZ]"}), ", ligne 10",
         "\xAB AZ \xBB ne d\xE9signe pas deux points de la figure"},
        {"cercle",
         Figure_avec({"M point libre sur le cercle c", "  Objet libre M, param\xE8tre: 1"}),
         ", ligne 10",
         "Le cercle \xAB c \xBB n'est pas d\xE9"
         "fini"},
        {"arc", Figure_avec({"M point libre sur l'arc a", "  Objet libre M, param\xE8tre: 0.5"}),
         ", ligne 10",
         "L'arc \xAB a \xBB n'est pas d\xE9"
         "fini"},
        {"unite", Figure_avec({"c cercle de centre A et de rayon 2 (unit\xE9 U7)"}), ", ligne 10",
         "L'unit\xE9 \xAB U7 \xBB n'est pas d\xE9"
         "finie"},
        {"transformation", Figure_avec({"C image de A par la transformation s"}), ", ligne 10",
         "La transformation \xAB s \xBB n'est pas d\xE9"
         "finie"},
    });
}

TEST_F(Entrees_incorrectes, erreurs_de_formule)
{
    Attendre_echecs({
        {"syntaxe", essais::Texte_figure({}, "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5*/2"),
         ", ligne 4", "Error in formula. (formule \xAB 5*/2 \xBB)"},
        {"nom_inconnu", Figure_avec({"a = 2*zz"}), ", ligne 10",
         "\xAB zz \xBB ne d\xE9signe ni une variable, ni une fonction, ni deux points de la "
         "figure (formule \xAB 2*zz \xBB)"},
        {"expression_vide", essais::Texte_figure({}, "Position de Roxy: Xmin: , Xmax: 5, Ymax: 5"),
         ", ligne 4", "Expression vide"},
        // The body's line, not the line that calls the function.
        {"corps_de_fonction", Figure_avec({"f fonction x|->2*-3x", "a = f(2)"}), ", ligne 10",
         "Error in formula. (formule \xAB 2*-3x \xBB de la fonction \xAB f \xBB, utilis\xE9"
         "e "
         "ligne 11 dans \xAB f(2) \xBB)"},
    });
}

TEST_F(Entrees_incorrectes, fautes_de_calcul)
{
    Attendre_echecs({
        {"division_par_zero",
         essais::Texte_figure({}, "Position de Roxy: Xmin: -5, Xmax: 5/0, Ymax: 5"), ", ligne 4",
         "Division par z\xE9ro"},
        {"racine_d_un_negatif", Figure_avec({"a = sqrt(-1)"}), ", ligne 10",
         "Op\xE9ration en virgule flottante invalide (racine carr\xE9"
         "e d'un nombre n\xE9gatif)"},
        {"logarithme_de_zero", Figure_avec({"a = ln(0)"}), ", ligne 10",
         "Division par z\xE9ro (logarithme de z\xE9ro)"},
        // The object being computed, and what is wrong with it.
        {"arc_depuis_le_centre",
         Figure_avec({"a arc d'origine A et d'extr\xE9mit\xE9 B sur un cercle de centre A"}),
         ", ligne 10",
         "Op\xE9ration en virgule flottante invalide (l'origine \xAB A \xBB est au centre du "
         "cercle : elle n'y a pas de direction) en calculant \xAB a \xBB (arc d'un nouveau "
         "cercle)"},
        {"point_d_une_racine_negative",
         Figure_avec({"P point de coordonn\xE9"
                      "es (sqrt(-4), 1) dans le rep\xE8re Roxy"}),
         ", ligne 10",
         "Op\xE9ration en virgule flottante invalide (racine carr\xE9"
         "e d'un nombre n\xE9gatif) en calculant \xAB P \xBB (point de coordonn\xE9"
         "es donn\xE9"
         "es)"},
    });
}

TEST_F(Entrees_incorrectes, geometrie_degeneree)
{
    // A line through two coincident points has no direction: it is not drawn, not an error.
    const std::string image = Image(
        "confondus.fgr",
        Figure_avec({"C point libre", "  Objet libre C, param\xE8tres: -3, -2", "Droite (AC)"}));
    EXPECT_NE(image.find("% Droite AC\r\n% Hors fen\xEAtre d'affichage\r\n"), std::string::npos)
        << image;
    Attendre_echecs({
        // The line at fault: the range, or the flat "Double cadre" over a sound range.
        {"plage_vide", essais::Texte_figure({}, "Position de Roxy: Xmin: 3, Xmax: 3, Ymax: 5"),
         ", ligne 4", sans_surface},
        {"plage_inversee", essais::Texte_figure({}, "Position de Roxy: Xmin: 5, Xmax: -5, Ymax: 5"),
         ", ligne 4", sans_surface},
        {"double_cadre_plat",
         Figure_avec({"Double cadre limitant l'image (impression ou copie) : (0.5, 0.2) et "
                      "(0.5, 0.9)"}),
         ", ligne 10", sans_surface},
    });
}

TEST_F(Entrees_incorrectes, parties_de_courbe_non_definies)
{
    // 1/x sampled at -10, -5, 0, 5, 10: the sample at 0 has no value and cuts the curve in
    // two runs; nothing of it reaches the picture.
    const std::string image = Image(
        "inverse.fgr",
        essais::Texte_figure({"g fonction x|->1/x",
                              "Cg graphe de g sur [-5, 5] dans le rep\xE8re Roxy (3 points)"}));
    EXPECT_NE(image.find("% Courbe Cg\r\n\\savedata{\\macourbe}[\r\n{{-7.5, -0.133333333}, "
                         "\r\n{-5, -0.2}, {-2.5, -0.4}}]\r\n"),
              std::string::npos)
        << image;
    EXPECT_NE(image.find("\\savedata{\\macourbe}[\r\n{{2.5, 0.4}, {5, 0.2}, \r\n"
                         "{7.5, 0.133333333}}]\r\n"),
              std::string::npos)
        << image;
    EXPECT_EQ(image.find("ND"), std::string::npos);
}

TEST_F(Entrees_incorrectes, lieux_et_graphes_refuses)
{
    const std::string segment_mobile = "M point libre sur le segment [AB]";
    Attendre_echecs({
        {"moins_de_deux_points",
         Figure_avec({"Segment [AB]", segment_mobile, "  Objet libre M, param\xE8tre: 0.3",
                      "I milieu du segment [MB]", "L lieu du point I selon M (1 points)"}),
         ", ligne 14",
         "lieu du point \xAB I \xBB selon \xAB M \xBB : il faut au moins 2 points, pas 1"},
        {"pilote_d_un_autre_genre",
         Figure_avec({"I milieu du segment [AB]", "L lieu du point I selon A (10 points)"}),
         ", ligne 11",
         "lieu du point \xAB I \xBB selon \xAB A \xBB : seuls une variable r\xE9"
         "elle ou "
         "enti\xE8re libre entre deux valeurs, ou un point libre sur un segment, un cercle ou "
         "un arc, peuvent faire varier un lieu"},
        // The line of an object read right after a fixed-word line is its own.
        {"fonction_inconnue_apres_un_segment",
         Figure_avec(
             {"Segment [AB]", "Cg graphe de g sur [-5, 5] dans le rep\xE8re Roxy (10 points)"}),
         ", ligne 11",
         "graphe de la fonction \xAB g \xBB impossible : \xAB g* \xBB ne d\xE9signe ni une "
         "variable, ni une fonction, ni deux points de la figure (formule \xAB g(t) \xBB)"},
        {"fonction_inconnue",
         essais::Texte_figure({"Cg graphe de g sur [-5, 5] dans le rep\xE8re Roxy (10 points)"}),
         ", ligne 6",
         "graphe de la fonction \xAB g \xBB impossible : \xAB g* \xBB ne d\xE9signe ni une "
         "variable, ni une fonction, ni deux points de la figure (formule \xAB g(t) \xBB)"},
    });
}

TEST_F(Entrees_incorrectes, bornes_de_ressources)
{
    // c0 = s then s, ck = c(k-1) twice: c19 would expand a million compositions.
    std::vector<std::string> composees = {"s sym\xE9trie de centre A",
                                          "c0 compos\xE9"
                                          "e des transformations s et s"};
    for (int k = 1; k < 20; ++k)
        composees.push_back("c" + std::to_string(k) +
                            " compos\xE9"
                            "e des transformations c" +
                            std::to_string(k - 1) + " et c" + std::to_string(k - 1));
    composees.push_back("C image de B par la transformation c19");
    const std::string normes =
        "a = " + Repete("norm(", 150) + "vec(AB)" + Repete(")", 150) + " (unit\xE9 Uoxy)";
    const std::string parentheses = "a = " + Repete("(", 600) + "1" + Repete(")", 600);
    Attendre_echecs({
        {"formule_imbriquee", Figure_avec({parentheses}), ", ligne 10",
         "Formule trop complexe : plus de 500 parenth\xE8ses imbriqu\xE9"
         "es, ou plus de 200000 "
         "termes une fois les fonctions d\xE9velopp\xE9"
         "es (formule \xAB (((",
         true},
        {"vecteurs_imbriques", Figure_avec({normes}), ", ligne 10",
         "expression vectorielle trop imbriqu\xE9"
         "e : plus de 100 niveaux de \xAB norm( \xBB "
         "ou de \xAB & \xBB"},
        {"composees_developpees", Figure_avec(composees), ", ligne 31",
         "La composition \xAB c19 \xBB se d\xE9veloppe en plus de 10000 compositions"},
        {"trop_d_echantillons",
         essais::Texte_figure(
             {"f fonction x|->x", "C graphe de f sur [0, 1] dans le rep\xE8re Roxy (10^9 points)"}),
         ", ligne 7",
         "le nombre de points \xAB 10^9 \xBB vaut 1000000000 : une courbe en a au plus 1000000"},
    });
    // A file beyond 64 MiB is refused before it is read.
    const std::string gros = (dossier_ / "gros.fgr").string();
    {
        std::ofstream flux(gros, std::ios::binary);
        const std::string mega(1 << 20, 'x');
        for (int k = 0; k < 65; ++k)
            flux << mega;
    }
    Attendre_echec(gros, "", "fichier trop volumineux : plus de 64 Mo");
}

TEST_F(Entrees_incorrectes, dossier_de_sortie_non_inscriptible)
{
    const std::string figure = Ecrire("f.fgr", essais::Texte_figure({}));
    const struct {
        const char* nom;
        std::string sortie;
        const char* raison;
    } cas[] = {
        {"dossier_absent", (dossier_ / "absent" / "f.crb").string(),
         "fichier ou dossier introuvable"},
        {"chemin_par_un_fichier", figure + "/f.crb",
         "un \xE9l\xE9ment du chemin n'est pas un dossier"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Resultat r = Lancer({"-o", c.sortie, figure});
        EXPECT_EQ(r.code, code_echec);
        EXPECT_EQ(r.erreurs, "trazel: " + c.sortie + " : " +
                                 Cp1252_vers_utf8(std::string("impossible de cr\xE9"
                                                              "er le "
                                                              "fichier : ") +
                                                  c.raison) +
                                 "\n");
    }
}

// The picture beside the figure, in a folder without write permission: the old picture stays.
TEST_F(Entrees_incorrectes, dossier_de_sortie_non_inscriptible_en_lecture_seule)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes in a read-only folder";
    const std::string figure = Ecrire("f.fgr", essais::Texte_figure({}));
    const std::string ancienne = Ecrire("f.crb", "ancienne image\r\n");
    fs::permissions(dossier_, fs::perms::owner_read | fs::perms::owner_exec);
    const Resultat r = Lancer({figure});
    EXPECT_EQ(r.code, code_echec);
    EXPECT_TRUE(r.erreurs.starts_with("trazel: " + ancienne + " : ")) << r.erreurs;
    EXPECT_NE(r.erreurs.find(Cp1252_vers_utf8("permission refus\xE9"
                                              "e")),
              std::string::npos);
    EXPECT_EQ(Lire_fichier(ancienne), "ancienne image\r\n");
}

// The program's standard output on a full device or closed: the picture, like the help, is a
// failure with its reason, not a success with nothing written.
TEST_F(Entrees_incorrectes, sortie_standard_impossible_a_ecrire)
{
    const std::string figure = Ecrire("f.fgr", essais::Texte_figure({}));
    const std::string erreurs = (dossier_ / "erreurs.txt").string();
    struct TSortie {
        const char* redirection;
        const char* raison;
    };
    std::vector<TSortie> sorties = {{">&-", "descripteur ferm\xC3\xA9"}};
    if (fs::exists("/dev/full"))
        sorties.push_back({"> /dev/full", "plus de place sur le disque"});
    for (const TSortie& s : sorties) {
        for (const std::string& options : {"-o - '" + figure + "'", std::string("--aide")}) {
            SCOPED_TRACE(options + " " + s.redirection);
            const int brut = std::system((std::string(TRAZEL_EXE) + " " + options + " " +
                                          s.redirection + " 2> '" + erreurs + "'")
                                             .c_str());
            ASSERT_TRUE(WIFEXITED(brut));
            EXPECT_EQ(WEXITSTATUS(brut), code_echec);
            EXPECT_EQ(Lire_fichier(erreurs), std::string("trazel: sortie standard : impossible "
                                                         "d'\xC3\xA9"
                                                         "crire : ") +
                                                 s.raison + "\n");
        }
    }
}

TEST_F(Entrees_incorrectes, fichier_utf8_accepte)
{
    const std::string cp1252 = Figure_avec(
        {"  Objet dessinable B, particularit\xE9s: rouge, nom \xE0 gauche",
         "c cercle de centre A passant par B", "  Objet dessinable c, particularit\xE9s: vert"});
    const std::string attendue = Image("cp1252.fgr", cp1252);
    EXPECT_NE(attendue.find("\\uput{1mm}[180](3, -1){\\red $B$}"), std::string::npos) << attendue;
    EXPECT_EQ(Image("utf8.fgr", Cp1252_vers_utf8(cp1252)), attendue);
    EXPECT_EQ(Image("bom.fgr", "\xEF\xBB\xBF" + Cp1252_vers_utf8(cp1252)), attendue);
}
