#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "dossier_temporaire.h"
#include "lecture/transcription.h"
#include "model/erreurs.h"
#include "model/fichiers.h"
#include "model/texte_figure.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

// The picture of the default figure in a 10 cm by 10 cm frame: the editor's window is
// 1.5245902 times the range -5..5 wide, so the box is (-7.622951,-5)(7.622951,5) and the unit
// 10 / 15.245902 cm.
const std::string image_par_defaut =
    "% Unit\xE9s Latex\r\n"
    "\\psset{xunit=0.655913962978379cm}\r\n"
    "\\psset{yunit=0.655913962978379cm}\r\n"
    "\\begin{pspicture}(-7.622951,-5)(7.622951,5)\r\n"
    "\\small\r\n"
    "% Trac\xE9 du rep\xE8re Roxy\r\n"
    "\\psaxes[linewidth=1pt, Dx=1, Dy=1, linecolor=red, labels=none]{->}(0,0)"
    "(-7.622951,-5)(7.622951,5)\r\n"
    "\\end{pspicture}\r\n";

using Dossier = essais::Dossier_temporaire;

} // namespace

TEST(Chemin_sortie, remplace_les_trois_derniers_caracteres)
{
    EXPECT_EQ(Chemin_sortie("/tmp/figure.fgr"), "/tmp/figure.crb");
    EXPECT_EQ(Chemin_sortie("a.b/figure.FGR"), "a.b/figure.crb");
    EXPECT_EQ(Chemin_sortie("figure.figu"), "figure.fcrb"); // four-letter extension
    EXPECT_EQ(Chemin_sortie("ab"), "crb");
}

TEST(Transcrire_texte, figure_par_defaut)
{
    TForm2 form2;
    const std::string image = Transcrire_texte(essais::Texte_figure({}), "d.fgr", form2, {});
    EXPECT_EQ(image, image_par_defaut);
}

// Guards against the user's decimal separator leaking into the picture or the reading.
TEST(Transcrire_texte, meme_image_avec_la_virgule_decimale)
{
    TForm2 form2;
    form2.separateur_decimal(',');
    const std::string texte =
        essais::Texte_figure({}, "Position de Roxy: Xmin: -5.0, Xmax: 5.0, Ymax: 2.5*2");
    EXPECT_EQ(Transcrire_texte(texte, "d.fgr", form2, {}), image_par_defaut);
}

TEST(Transcrire_texte, la_hauteur_limite_l_unite)
{
    TForm2 form2;
    const std::string image = Transcrire_texte(essais::Texte_figure({}), "d.fgr", form2, {20, 10});
    EXPECT_NE(image.find("\\psset{xunit=1cm}\r\n\\psset{yunit=1cm}\r\n"), std::string::npos);
}

TEST(Transcrire_texte, variables_remises_a_zero)
{
    TForm2 form2;
    form2.Ajouter_variable("a", 3);
    Transcrire_texte(essais::Texte_figure({}), "d.fgr", form2, {});
    EXPECT_EQ(form2.Liste_variables.size(), 4u); // the four spellings of pi only
}

// A transformation given in place in an image line is its own: a figure transformation that
// happens to bear the name the reader gives it inside ("01") does not stand in for it.
TEST(Transcrire_texte, transformation_en_place_independante_des_noms)
{
    TForm2 form2;
    auto point_b = [&](const std::string& texte) {
        const std::string image = Transcrire_texte(texte, "t.fgr", form2, {});
        const std::size_t debut = image.find("% Point B\r\n");
        return debut == std::string::npos ? std::string() : image.substr(debut);
    };
    const char* o = "O point libre";
    const char* place_o = "  Objet libre O, param\xE8tres: 0, 0";
    const char* a = "A point libre";
    const char* place_a = "  Objet libre A, param\xE8tres: 2, 0";
    const char* b = "B image de A par la rotation de centre O et d'angle 30 degr\xE9";
    const std::string seule = point_b(essais::Texte_figure({o, place_o, a, place_a, b}));
    EXPECT_NE(seule.find("(1.73205080756888, 1)"), std::string::npos) << seule;
    EXPECT_EQ(point_b(essais::Texte_figure(
                  {o, place_o, a, place_a, "01 rotation de centre O et d'angle 90 degr\xE9", b})),
              seule);
    EXPECT_EQ(point_b(essais::Texte_figure(
                  {o, place_o, a, place_a, "01 homoth\xE9tie de centre O et de rapport 3", b})),
              seule);
}

TEST(Transcrire_texte, fenetre_sans_surface_refusee)
{
    TForm2 form2;
    // The fault of a transcription that must fail.
    auto faute = [&](const std::string& texte, const TCadre_latex& cadre) {
        try {
            Transcrire_texte(texte, "d.fgr", form2, cadre);
        } catch (const Erreur_figure& e) {
            EXPECT_EQ(e.chemin(), "d.fgr");
            return std::pair<int, std::string>(e.ligne(), e.what());
        }
        ADD_FAILURE() << "no error";
        return std::pair<int, std::string>();
    };
    const std::string sans_surface = "l'image n'a pas de surface";
    for (const char* position : {"Position de Roxy: Xmin: 5, Xmax: 5, Ymax: 5",
                                 "Position de Roxy: Xmin: 5, Xmax: -5, Ymax: 5"}) {
        SCOPED_TRACE(position);
        const auto [ligne, message] = faute(essais::Texte_figure({}, position), {});
        EXPECT_EQ(ligne, 4); // the range's line
        EXPECT_TRUE(message.starts_with(sans_surface)) << message;
    }
    // A flat "Double cadre" is named by its own line, the sound range is not.
    const auto [ligne_cadre, message_cadre] = faute(
        essais::Texte_figure({"A point libre", "  Objet libre A, param\xE8tres: 1, 2",
                              "Double cadre limitant l'image (impression ou copie) : (0.5, 0.2) "
                              "et (0.5, 0.9)"}),
        {});
    EXPECT_EQ(ligne_cadre, 8);
    EXPECT_TRUE(message_cadre.starts_with(sans_surface)) << message_cadre;
    // A LaTeX frame of no size is the caller's fault, not a line's.
    const auto [ligne_latex, message_latex] = faute(essais::Texte_figure({}), {0, 10});
    EXPECT_EQ(ligne_latex, 0);
    EXPECT_TRUE(message_latex.starts_with("la largeur et la hauteur du cadre")) << message_latex;
}

// A formula that fails only because it calls a function whose body is faulty: the fault is
// the body's line, and the message names the line that called it. It guards against the
// call's line being marked instead (the body's line then looked sound).
TEST(Transcrire_texte, fonction_fautive_nommee_a_sa_ligne)
{
    struct Cas {
        const char* nom;
        std::initializer_list<std::string_view> objets;
        int ligne, utilisation;
        std::string message;
    };
    const std::string fautive =
        "Error in formula. (formule \xAB 2*-3x \xBB de la fonction \xAB f \xBB";
    const Cas cas[] = {
        {"lue_plus_loin",
         {"f fonction x|->2*-3x", "A point libre", "  Objet libre A, param\xE8tres: 1, 2",
          "E point de coordonn\xE9"
          "es (1,f(2)) dans le rep\xE8re Roxy"},
         6,
         9,
         fautive + ", utilis\xE9"
                   "e ligne 9 dans \xAB f(2) \xBB)"},
        // Met while the graph is sampled, after the reading.
        {"dessinee",
         {"f fonction x|->2*-3x", "Cf graphe de f sur [-4, 4] dans le rep\xE8re Roxy (10 points)"},
         6,
         7,
         "graphe de la fonction \xAB f \xBB impossible : " + fautive},
        // g is sound but calls f: the fault is still f's body.
        {"appelee_par_une_autre",
         {"f fonction x|->2*-3x", "g fonction t|->f(t)+1",
          "E point de coordonn\xE9"
          "es (1,g(2)) dans le rep\xE8re Roxy"},
         6,
         8,
         fautive + ", utilis\xE9"
                   "e ligne 8 dans \xAB g(2) \xBB)"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TForm2 form2;
        try {
            Transcrire_texte(essais::Texte_figure(c.objets), "f.fgr", form2, {});
            ADD_FAILURE() << "no error";
        } catch (const Erreur_figure& e) {
            EXPECT_EQ(e.ligne(), c.ligne);
            EXPECT_EQ(e.utilisation(), c.utilisation);
            EXPECT_TRUE(std::string(e.what()).starts_with(c.message)) << e.what();
        }
    }
    // A faulty function that nothing calls does not stop the picture.
    TForm2 form2;
    EXPECT_NO_THROW(
        Transcrire_texte(essais::Texte_figure({"f fonction x|->2*-3x"}), "f.fgr", form2, {}));
}

TEST(Pas_une_figure, refuse_ce_qui_n_est_pas_une_figure)
{
    struct Cas {
        const char* nom;
        std::string octets;
        const char* raison; // the start of the reason, none for a figure
    };
    const Cas cas[] = {
        {"figure", essais::Texte_figure({"A point libre"}), nullptr},
        {"figure_en_utf8",
         "Figure Figuro\nNum\xC3\xA9ro de version: 2\n\n"
         "Position de Roxy: Xmin: -5, Xmax: 5, Ymax: 5\n",
         nullptr},
        // Tabs, a form feed and a final end-of-file mark are still text.
        {"tabulations", essais::Texte_figure({"A\tpoint libre\f"}) + "\x1A", nullptr},
        {"image_png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         "ce fichier n'est pas un texte"},
        {"lettre", "Cher coll\xE8gue,\r\nvoici la figure.\r\n\r\nBien \xE0 vous\r\n",
         "ce fichier n'est pas une figure"},
        {"vide", "", "ce fichier n'est pas une figure"},
        {"trop_grande", std::string(taille_maximale_figure + 1, ' '), "figure trop grande"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::optional<std::string> raison = Pas_une_figure(c.octets);
        if (c.raison == nullptr)
            EXPECT_FALSE(raison) << *raison;
        else
            EXPECT_TRUE(raison && raison->starts_with(c.raison)) << raison.value_or("none");
    }
}

TEST_F(Dossier, ecrit_le_fichier_crb_a_cote)
{
    TForm2 form2;
    const std::string figure = Ecrire("vide.fgr", essais::Texte_figure({}));
    Transcrire(figure, form2, {});
    EXPECT_EQ(Lire_fichier((dossier_ / "vide.crb").string()), image_par_defaut);
    // Nothing else is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier_), fs::directory_iterator()), 2);
}

// Guards against a failed transcription leaving a truncated picture in place of the old one.
TEST_F(Dossier, un_echec_laisse_l_ancienne_image)
{
    TForm2 form2;
    const std::string figure =
        Ecrire("f.fgr", essais::Texte_figure({}, "Position de Roxy: Xmin: (, Xmax: 5, Ymax: 5"));
    const std::string ancienne = Ecrire("f.crb", "ancienne image\r\n");
    EXPECT_THROW(Transcrire(figure, form2, {}), Erreur_figure);
    EXPECT_EQ(Lire_fichier(ancienne), "ancienne image\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier_), fs::directory_iterator()), 2);
}

TEST_F(Dossier, figure_introuvable_ou_dossier)
{
    TForm2 form2;
    try {
        Transcrire((dossier_ / "absente.fgr").string(), form2, {});
        ADD_FAILURE() << "no error";
    } catch (const Erreur_fichier& e) {
        EXPECT_EQ(e.chemin(), (dossier_ / "absente.fgr").string());
        EXPECT_EQ(std::string(e.what()),
                  "impossible de lire le fichier : fichier ou dossier introuvable");
    }
    EXPECT_THROW(Transcrire(dossier_.string(), form2, {}), Erreur_fichier);
}

TEST_F(Dossier, dossier_en_lecture_seule)
{
    TForm2 form2;
    const std::string figure = Ecrire("f.fgr", essais::Texte_figure({}));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes in a read-only folder";
    fs::permissions(dossier_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(Transcrire(figure, form2, {}), Erreur_fichier);
    EXPECT_FALSE(fs::exists(dossier_ / "f.crb"));
}

TEST_F(Dossier, dossier_de_sortie_absent)
{
    TForm2 form2;
    const std::string figure = Ecrire("f.fgr", essais::Texte_figure({}));
    const std::string sortie = (dossier_ / "absent" / "f.crb").string();
    try {
        Transcrire(figure, form2, {}, sortie);
        ADD_FAILURE() << "no error";
    } catch (const Erreur_fichier& e) {
        EXPECT_EQ(e.chemin(), sortie);
    }
}

// Guards against sampling leaving the figure moved: a second, identical locus gives the same
// curve, and what follows the loci is written as if they were not there.
TEST(Transcrire_texte, l_echantillonnage_rend_la_figure_intacte)
{
    const std::vector<std::string_view> debut = {
        "A point libre",
        "  Objet libre A, param\xE8tres: -3, -2",
        "B point libre",
        "  Objet libre B, param\xE8tres: 3, -2",
        "O point libre",
        "  Objet libre O, param\xE8tres: 0, 3",
        "M point libre sur le segment [AB]",
        "  Objet libre M, param\xE8tre: 0.3",
        "I milieu du segment [MO]",
        "G centre de gravit\xE9 du triangle MBO",
        "  Objet dessinable G, particularit\xE9s: non dessin\xE9"};
    const std::vector<std::string_view> lieux = {"L lieu du point G selon M (20 points)",
                                                 "L lieu du point G selon M (20 points)"};
    const std::vector<std::string_view> fin = {"Segment [IO]", "H point libre",
                                               "  Objet libre H, param\xE8tres: 1, 1",
                                               "K milieu du segment [GH]"};
    auto texte = [&](bool avec_lieux) {
        std::string lignes = "Figure Figuro\r\nNum\xE9ro de version: 2\r\n\r\n";
        lignes += std::string(essais::position_par_defaut) + "\r\n" +
                  std::string(essais::roxy_rouge) + "\r\n";
        for (const auto* partie : {&debut, avec_lieux ? &lieux : nullptr, &fin})
            if (partie != nullptr)
                for (const std::string_view ligne : *partie)
                    lignes += std::string(ligne) + "\r\n";
        return lignes + "\r\nCommentaire\r\nFin de la figure\r\n";
    };
    TForm2 form2;
    const std::string avec = Transcrire_texte(texte(true), "l.fgr", form2, {});
    const std::string sans = Transcrire_texte(texte(false), "l.fgr", form2, {});
    const std::size_t premiere = avec.find("% Courbe L\r\n");
    const std::size_t seconde = avec.find("% Courbe L\r\n", premiere + 1);
    const std::size_t apres = avec.find("% Segment IO");
    ASSERT_TRUE(premiere != std::string::npos && seconde != std::string::npos &&
                apres != std::string::npos);
    EXPECT_EQ(avec.substr(premiere, seconde - premiere), avec.substr(seconde, apres - seconde));
    EXPECT_EQ(avec.substr(apres), sans.substr(sans.find("% Segment IO")));
}

// Guards against huge inputs filling memory: they are refused early, with a message.
TEST_F(Dossier, fichiers_et_figures_trop_grands)
{
    const std::string petit = Ecrire("petit.fgr", std::string(100, 'x'));
    EXPECT_EQ(Lire_fichier(petit, 100).size(), 100u);
    EXPECT_EQ(Lire_fichier(petit, SIZE_MAX).size(), 100u); // no bound: one more byte overflows
    EXPECT_THROW(Lire_fichier(petit, 0), Erreur_fichier);
    try {
        Lire_fichier(petit, 99);
        ADD_FAILURE() << "no error";
    } catch (const Erreur_fichier& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("fichier trop volumineux"));
    }
    // A device without end is refused as it is read.
    EXPECT_THROW(Lire_fichier("/dev/zero", 1 << 20), Erreur_fichier);

    TForm2 form2;
    TFigure figure;
    const std::string lignes(2 * lignes_maximales_figure + 2, '\n');
    EXPECT_THROW(Lire_texte_figure(lignes, "f.fgr", figure, form2), Erreur_figure);
    const std::string graphe = essais::Texte_figure(
        {"f fonction x|->x", "C graphe de f sur [0, 1] dans le rep\xE8re Roxy (10^9 points)"});
    EXPECT_THROW(Transcrire_texte(graphe, "f.fgr", form2, {}), Erreur_figure);
}

// A pipe tells no size: its text is read in growing pieces, to the byte, and the bound
// holds at its exact value.
TEST_F(Dossier, lecture_d_un_tube_sans_taille)
{
    const fs::path tube = dossier_ / "tube.fgr";
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    std::string texte;
    for (int i = 0; texte.size() < 300000; ++i)
        texte += std::to_string(i) + "\r\n";
    auto lire = [&](std::size_t borne) {
        std::string lu;
        std::thread lecteur([&] {
            try {
                lu = Lire_fichier(tube.string(), borne);
            } catch (const Erreur_fichier& e) {
                lu = e.what();
            }
        });
        Remplacer_fichier(tube.string(), texte);
        lecteur.join();
        return lu;
    };
    EXPECT_EQ(lire(texte.size()), texte);
    EXPECT_TRUE(lire(texte.size() - 1).starts_with("fichier trop volumineux"));
}

// Guards against "-o" replacing what it names by a new file: a symbolic link stays a link
// (its target gets the picture), a pipe or a device is written in place, and a replaced
// file keeps its permissions.
TEST_F(Dossier, sortie_sur_lien_tube_et_permissions)
{
    const std::string cible = Ecrire("cible.crb", "ancienne");
    const fs::path lien = dossier_ / "lien.crb";
    fs::create_symlink(cible, lien);
    Remplacer_fichier(lien.string(), "nouvelle");
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_EQ(Lire_fichier(cible), "nouvelle");

    fs::permissions(cible, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Remplacer_fichier(cible, "encore");
    EXPECT_EQ(fs::status(cible).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path tube = dossier_ / "tube";
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    std::string lu;
    std::thread lecteur([&] { lu = Lire_fichier(tube.string()); });
    Remplacer_fichier(tube.string(), "par le tube");
    lecteur.join();
    EXPECT_EQ(lu, "par le tube");
    EXPECT_TRUE(fs::is_fifo(tube));
}
