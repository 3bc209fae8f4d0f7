#pragma once
// The example figures of exemples/, by name, in order.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace trazel::essais {

inline const std::filesystem::path dossier_exemples =
    std::filesystem::path(TRAZEL_SOURCE_DIR) / "exemples";

inline std::vector<std::string> Noms_des_exemples()
{
    std::vector<std::string> noms;
    for (const std::filesystem::directory_entry& f :
         std::filesystem::directory_iterator(dossier_exemples))
        if (f.path().extension() == ".fgr")
            noms.push_back(f.path().stem().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

} // namespace trazel::essais
