// The benchmark's stress figures against the pictures they gave before sampling was made
// fast: thousands of objects cut by the window, loci replaying chains of constructions with
// named numbers and functions, graphs of nested functions. Not a byte may change.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "lecture/transcription.h"
#include "model/fichiers.h"

using namespace trazel;
namespace fs = std::filesystem;

namespace {

const fs::path bench = fs::path(TRAZEL_SOURCE_DIR) / "bench";

class Figure_de_bench : public ::testing::TestWithParam<std::string> {};

TEST_P(Figure_de_bench, image_identique_a_la_reference)
{
    const fs::path figure = bench / "figures" / (GetParam() + ".fgr");
    TForm2 form2;
    std::vector<TLigne_ignoree> ignorees;
    const std::string image =
        Transcrire_texte(Lire_fichier(figure.string()), figure.string(), form2, {}, &ignorees);
    EXPECT_TRUE(ignorees.empty());
    // Compared as a whole: a difference would print a megabyte, its position is enough.
    const std::string reference =
        Lire_fichier((bench / "references" / (GetParam() + ".crb")).string());
    ASSERT_EQ(image.size(), reference.size());
    const auto ecart = std::mismatch(image.begin(), image.end(), reference.begin());
    EXPECT_TRUE(ecart.first == image.end())
        << "premier octet different : " << (ecart.first - image.begin());
}

INSTANTIATE_TEST_SUITE_P(Bench, Figure_de_bench,
                         ::testing::Values("a_grande_figure", "b_lieux", "c_graphes"));

} // namespace
