#pragma once
// Watching figures: each time one is saved, it is transcribed again, for a document that
// latexmk rebuilds in its own watch mode.

#include <functional>
#include <string>
#include <vector>

#include "cli/flux.h"

namespace trazel {

// Watches the figures' folders (inotify) and calls `transcrire` with a figure each time it
// is written and closed, or a file is renamed onto it, as editors save: once for a burst of
// writes. Runs until the program is stopped; returns only when the watch cannot be set up
// or fails, after a message on `erreurs`.
void Suivre(const std::vector<std::string>& figures,
            const std::function<void(const std::string&)>& transcrire, TFlux& erreurs);

} // namespace trazel
