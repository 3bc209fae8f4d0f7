// Every example figure against its reviewed reference picture, and every reference compiled
// with the real latex and dvips.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dossier_temporaire.h"
#include "latex/document.h"
#include "lecture/noms_exemples.h"
#include "lecture/transcription.h"
#include "model/fichiers.h"
#include "natures_attendues.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

const fs::path exemples = essais::dossier_exemples;
const fs::path references = fs::path(TRAZEL_SOURCE_DIR) / "tests" / "references";

std::vector<std::string> Exemples()
{
    return essais::Noms_des_exemples();
}

class Exemple : public essais::Dossier_temporaire,
                public ::testing::WithParamInterface<std::string> {};

} // namespace

TEST(Exemples, chaque_figure_a_sa_reference)
{
    ASSERT_GE(Exemples().size(), 6u);
    for (const std::string& nom : Exemples())
        EXPECT_TRUE(fs::exists(references / (nom + ".crb"))) << nom;
}

TEST_P(Exemple, transcription_identique_a_la_reference)
{
    const fs::path figure = exemples / (GetParam() + ".fgr");
    TForm2 form2;
    std::vector<TLigne_ignoree> ignorees;
    const std::string image =
        Transcrire_texte(Lire_fichier(figure.string()), figure.string(), form2, {}, &ignorees);
    EXPECT_TRUE(ignorees.empty()) << "ligne " << ignorees.front().numero
                                  << " ignor\xE9"
                                     "e";
    EXPECT_EQ(image, Lire_fichier((references / (GetParam() + ".crb")).string()));
}

// Every step an example records holds the arguments its code's row names.
TEST_P(Exemple, etapes_conformes_a_la_table_des_constructions)
{
    const fs::path figure = exemples / (GetParam() + ".fgr");
    TForm2 form2;
    TFigure f;
    const TEtape* premiere =
        Lire_texte_figure(Lire_fichier(figure.string()), figure.string(), f, form2);
    EXPECT_EQ(essais::Natures_non_conformes(premiere), "");
}

TEST_P(Exemple, la_reference_se_compile)
{
    const std::string image = Lire_fichier((references / (GetParam() + ".crb")).string());
    Ecrire("figure.tex", Document_de_compilation(image));
    const std::string commande = "cd '" + dossier_.string() +
                                 "' && latex -interaction=nonstopmode -halt-on-error figure.tex "
                                 "</dev/null >/dev/null 2>&1 && dvips -q figure.dvi -o figure.ps "
                                 ">/dev/null 2>&1";
    EXPECT_EQ(std::system(commande.c_str()), 0) << Lire_fichier((dossier_ / "figure.log").string());
    EXPECT_TRUE(fs::exists(dossier_ / "figure.ps"));
}

INSTANTIATE_TEST_SUITE_P(Exemples, Exemple, ::testing::ValuesIn(Exemples()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });
