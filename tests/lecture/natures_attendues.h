#pragma once
// Checks the steps the reader records against the construction table: each step's argument
// natures must match its code's row.

#include <string>
#include <string_view>
#include <vector>

#include "model/constructions.h"
#include "model/figure.h"

namespace trazel::essais {

// Whether the natures match the row's pattern from token `t` on ("5", "5?", "*").
inline bool Natures_conformes(const std::vector<std::string>& motif, std::size_t t,
                              const std::vector<int>& natures, std::size_t n)
{
    if (t == motif.size())
        return n == natures.size();
    const std::string& jeton = motif[t];
    if (jeton == "*") {
        for (std::size_t k = n; k <= natures.size(); ++k)
            if (Natures_conformes(motif, t + 1, natures, k))
                return true;
        return false;
    }
    const bool facultatif = jeton.back() == '?';
    const int nature = std::stoi(facultatif ? jeton.substr(0, jeton.size() - 1) : jeton);
    if (facultatif && Natures_conformes(motif, t + 1, natures, n))
        return true;
    return n < natures.size() && natures[n] == nature &&
           Natures_conformes(motif, t + 1, natures, n + 1);
}

// The steps from `premiere` whose arguments do not match their row, one line each; empty
// when all do.
inline std::string Natures_non_conformes(const trazel::TEtape* premiere)
{
    std::string fautes;
    for (const trazel::TEtape* e = premiere; e != nullptr && e->genre != 0; e = e->suivante) {
        std::vector<int> natures;
        std::string vues;
        for (const trazel::TArgument* a = e->arguments; a != nullptr; a = a->suivant) {
            natures.push_back(a->nature);
            vues += (vues.empty() ? "" : " ") + std::to_string(a->nature);
        }
        if (!trazel::Code_connu(e->genre)) {
            fautes += "genre inconnu " + std::to_string(e->genre) + "\n";
            continue;
        }
        const std::string_view attendues = trazel::Construction(e->genre).natures;
        std::vector<std::string> motif;
        for (std::size_t i = 0; i < attendues.size();) {
            const std::size_t fin = std::min(attendues.find(' ', i), attendues.size());
            motif.emplace_back(attendues.substr(i, fin - i));
            i = fin + 1;
        }
        if (!Natures_conformes(motif, 0, natures, 0))
            fautes += "genre " + std::to_string(e->genre) + " (ligne " + std::to_string(e->ligne) +
                      ") : " + vues + " au lieu de " + std::string(attendues) + "\n";
    }
    return fautes;
}

} // namespace trazel::essais
