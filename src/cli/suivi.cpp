#include "cli/suivi.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <utility>

#include "model/encodage.h"
#include "model/fichiers.h"

namespace trazel {
namespace {

// An editor's save may be several writes: the figure is read once they have stopped for
// this long.
constexpr int calme_ms = 150;

class TDescripteur {
  public:
    explicit TDescripteur(int fd) : fd_(fd) {}
    ~TDescripteur()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TDescripteur(const TDescripteur&) = delete;
    TDescripteur& operator=(const TDescripteur&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

void Signaler(TFlux& erreurs, const std::string& message)
{
    erreurs << "trazel: " << Cp1252_vers_utf8(message) << '\n';
}

} // namespace

void Suivre(const std::vector<std::string>& figures,
            const std::function<void(const std::string&)>& transcrire, TFlux& erreurs)
{
    const TDescripteur inotify(::inotify_init1(IN_CLOEXEC));
    if (inotify.fd() < 0) {
        Signaler(erreurs, "impossible de suivre les figures : " + Raison_systeme(errno));
        return;
    }
    // Each folder once; in it, the names of the figures, with the path they were given by.
    std::map<int, std::map<std::string, std::string>> suivies;
    for (const std::string& figure : figures) {
        const std::filesystem::path chemin(figure);
        const std::string dossier =
            chemin.has_parent_path() ? chemin.parent_path().string() : std::string(".");
        const int veille =
            ::inotify_add_watch(inotify.fd(), dossier.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
        if (veille < 0) {
            Signaler(erreurs, "impossible de suivre " + Utf8_vers_cp1252(dossier) + " : " +
                                  Raison_systeme(errno));
            return;
        }
        suivies[veille][chemin.filename().string()] = figure;
    }
    Signaler(erreurs, "suivi de " + std::to_string(figures.size()) +
                          (figures.size() > 1 ? " figures" : " figure") +
                          " : chaque enregistrement refait l'image (Ctrl+C pour arr\xEAter)");
    erreurs.Vider();
    alignas(inotify_event) std::array<char, 1 << 14> tampon{};
    std::set<std::string> a_refaire;
    for (;;) {
        // Waits without end for the first event, then while events keep coming.
        pollfd attente{inotify.fd(), POLLIN, 0};
        const int pret = ::poll(&attente, 1, a_refaire.empty() ? -1 : calme_ms);
        if (pret < 0 && errno == EINTR)
            continue;
        if (pret < 0) {
            Signaler(erreurs, "le suivi des figures s'arr\xEAte : " + Raison_systeme(errno));
            return;
        }
        if (pret == 0) {
            for (const std::string& figure : std::exchange(a_refaire, {}))
                transcrire(figure);
            erreurs.Vider();
            continue;
        }
        const ssize_t lus = ::read(inotify.fd(), tampon.data(), tampon.size());
        if (lus < 0 && errno == EINTR)
            continue;
        if (lus <= 0) {
            Signaler(erreurs, "le suivi des figures s'arr\xEAte : " + Raison_systeme(errno));
            return;
        }
        for (ssize_t position = 0; position < lus;) {
            const auto* evenement =
                reinterpret_cast<const inotify_event*>(tampon.data() + position);
            position += static_cast<ssize_t>(sizeof(inotify_event) + evenement->len);
            if (evenement->len == 0)
                continue;
            const auto dossier = suivies.find(evenement->wd);
            if (dossier == suivies.end())
                continue;
            const auto figure = dossier->second.find(evenement->name);
            if (figure != dossier->second.end())
                a_refaire.insert(figure->second);
        }
    }
}

} // namespace trazel
