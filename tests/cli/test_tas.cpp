#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "cli/tas.h"

namespace {

// The flags of the mapping holding the address, as /proc/self/smaps lists them.
std::string Drapeaux_de_la_zone(const void* adresse)
{
    const auto a = reinterpret_cast<std::uintptr_t>(adresse);
    std::ifstream smaps("/proc/self/smaps");
    std::string ligne;
    bool dedans = false;
    while (std::getline(smaps, ligne)) {
        std::uintptr_t debut = 0, fin = 0;
        char tiret = 0;
        std::istringstream entete(ligne);
        if (entete >> std::hex >> debut >> tiret >> fin && tiret == '-') {
            dedans = debut <= a && a < fin;
        } else if (dedans && ligne.rfind("VmFlags:", 0) == 0) {
            return ligne;
        }
    }
    return {};
}

bool Grandes_pages_du_noyau()
{
    return std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled").good();
}

TEST(TTas_commande, les_blocs_suivants_commencent_sur_les_grandes_pages)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "tas de l'ASan";
#endif
    if (!Grandes_pages_du_noyau())
        GTEST_SKIP() << "noyau sans grandes pages";
    const trazel::TTas_commande tas;
    ASSERT_TRUE(tas.Grandes_pages());
    // Larger than any block freed so far, so it is cut from the heap's top.
    const std::unique_ptr<char[]> bloc(new char[1 << 20]);
    const auto adresse = reinterpret_cast<std::uintptr_t>(bloc.get());
    // Just past a 2 MiB boundary: the wedge took the room before it.
    EXPECT_LT(adresse % (std::uintptr_t{2} << 20), 4096U);
    EXPECT_NE(Drapeaux_de_la_zone(bloc.get()).find(" hg"), std::string::npos)
        << Drapeaux_de_la_zone(bloc.get());
}

} // namespace
