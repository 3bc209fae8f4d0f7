// Times commands run in turn, so that a passing load on the machine touches them all:
//   chronometre N -- commande1 arguments... -- commande2 arguments... [-- commande3 ...]
// Prints one line per command: its median wall time over N runs, in seconds, and its
// largest resident memory, in KiB. Each run is started with posix_spawn and timed from
// here, so the time is the program's own plus the start of a process, not a shell's fork.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct TMesure {
    double secondes = 0;
    long memoire_kio = 0;
};

// One run, its output thrown away; a failed run ends the measure.
TMesure Executer(const std::vector<char*>& commande)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int erreur = posix_spawnp(&pid, commande[0], &actions, nullptr, commande.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (erreur != 0) {
        std::fprintf(stderr, "chronometre : %s ne d\xC3\xA9marre pas\n", commande[0]);
        std::exit(1);
    }
    int statut = 0;
    rusage usage{};
    if (wait4(pid, &statut, 0, &usage) != pid || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
        std::fprintf(stderr,
                     "chronometre : %s a \xC3\xA9"
                     "chou\xC3\xA9\n",
                     commande[0]);
        std::exit(1);
    }
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    return {duree.count(), usage.ru_maxrss};
}

double Mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::vector<char*>> commandes;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--")
            commandes.emplace_back();
        else if (!commandes.empty())
            commandes.back().push_back(argv[i]);
    }
    const int n = argc > 1 ? std::atoi(argv[1]) : 0;
    if (n < 1 || commandes.empty() ||
        std::any_of(commandes.begin(), commandes.end(), [](auto& c) { return c.empty(); })) {
        std::fprintf(stderr, "Usage : chronometre N -- commande... [-- commande...]\n");
        return 2;
    }
    for (auto& commande : commandes)
        commande.push_back(nullptr);

    std::vector<std::vector<double>> durees(commandes.size());
    std::vector<long> memoires(commandes.size(), 0);
    for (int k = 0; k < n; ++k)
        for (std::size_t c = 0; c < commandes.size(); ++c) {
            const TMesure mesure = Executer(commandes[c]);
            durees[c].push_back(mesure.secondes);
            memoires[c] = std::max(memoires[c], mesure.memoire_kio);
        }
    for (std::size_t c = 0; c < commandes.size(); ++c)
        std::printf("%.6f %ld\n", Mediane(durees[c]), memoires[c]);
    return 0;
}
