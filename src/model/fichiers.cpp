#include "model/fichiers.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "model/erreurs.h"

namespace trazel {
namespace {

// Closes a file descriptor when it goes out of scope.
class TDescripteur {
  public:
    explicit TDescripteur(int fd) : fd_(fd) {}
    TDescripteur(const TDescripteur&) = delete;
    TDescripteur& operator=(const TDescripteur&) = delete;
    ~TDescripteur()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }
    // Closes now and reports a failure of the close itself (a delayed write error).
    int Fermer()
    {
        const int resultat = ::close(fd_);
        fd_ = -1;
        return resultat;
    }

  private:
    int fd_;
};

[[noreturn]] void Echec(const std::string& chemin, const std::string& quoi, int numero)
{
    throw Erreur_fichier(chemin, quoi + " : " + Raison_systeme(numero));
}

// Writes every byte; a failure goes to `echouer` (which must not return) or, when it does
// return, to the plain error.
template <class Echouer>
void Ecrire_tout(const TDescripteur& fichier, const std::string& chemin, std::string_view contenu,
                 Echouer echouer)
{
    if (const int numero = Ecrire_descripteur(fichier.fd(), contenu); numero != 0) {
        echouer(numero);
        Echec(chemin,
              "impossible d'\xE9"
              "crire le fichier",
              numero);
    }
}

// A new file next to `chemin` with a name nobody else uses; the mode leaves the
// permissions to the user's umask like any created file.
TDescripteur Creer_temporaire(const std::string& chemin, std::string& nom_temporaire)
{
    std::random_device alea;
    for (int essai = 0; essai < 100; ++essai) {
        nom_temporaire = chemin + ".~" + std::to_string(alea() % 1000000u);
        const int fd =
            ::open(nom_temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0)
                Echec(chemin,
                      "impossible de cr\xE9"
                      "er le fichier",
                      errno);
            return TDescripteur(fd);
        }
    }
    Echec(chemin,
          "impossible de cr\xE9"
          "er le fichier",
          EEXIST);
}

} // namespace

int Ecrire_descripteur(int fd, std::string_view octets)
{
    std::size_t ecrits = 0;
    while (ecrits < octets.size()) {
        const ssize_t n = ::write(fd, octets.data() + ecrits, octets.size() - ecrits);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        ecrits += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string Raison_systeme(int numero)
{
    switch (numero) {
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "permission refus\xE9"
               "e";
    case EISDIR:
        return "c'est un dossier";
    case ENOTDIR:
        return "un \xE9l\xE9ment du chemin n'est pas un dossier";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque d\xE9pass\xE9";
    case EROFS:
        return "syst\xE8me de fichiers en lecture seule";
    case ENAMETOOLONG:
        return "nom de fichier trop long";
    case ELOOP:
        return "trop de liens symboliques";
    case EIO:
        return "erreur d'entr\xE9"
               "e-sortie";
    case EBADF:
        return "descripteur ferm\xE9";
    case EPIPE:
        return "tube ferm\xE9 par le lecteur";
    default:
        return "erreur syst\xE8me " + std::to_string(numero) + " (" + std::strerror(numero) + ")";
    }
}

std::string Lire_fichier(const std::string& chemin, std::size_t taille_maximale)
{
    TDescripteur fichier(::open(chemin.c_str(), O_RDONLY | O_CLOEXEC));
    if (fichier.fd() < 0)
        Echec(chemin, "impossible de lire le fichier", errno);
    auto trop_gros = [&] {
        throw Erreur_fichier(chemin, "fichier trop volumineux : plus de " +
                                         std::to_string(taille_maximale >> 20) + " Mo");
    };
    struct stat etat {};
    if (::fstat(fichier.fd(), &etat) == 0 && etat.st_size > 0 &&
        static_cast<std::size_t>(etat.st_size) > taille_maximale)
        trop_gros();
    // Read straight into the text, sized from the file's size (one more byte shows the end
    // without growing it): a buffer on the stack would fault its pages in one by one, and
    // copy everything once more.
    std::string contenu;
    const std::size_t au_plus = taille_maximale + (taille_maximale < SIZE_MAX ? 1 : 0);
    const std::size_t prevue =
        etat.st_size > 0 ? static_cast<std::size_t>(etat.st_size) + 1 : std::size_t{65536};
    contenu.resize(std::min(prevue, au_plus));
    std::size_t lus_en_tout = 0;
    while (true) {
        // Checked before each read, so also after the last one.
        if (lus_en_tout > taille_maximale)
            trop_gros();
        // A file that grows meanwhile, or whose size the system does not tell, is still read
        // to its end, up to one byte past the bound.
        if (lus_en_tout == contenu.size())
            contenu.resize(std::min(2 * contenu.size(), au_plus));
        const ssize_t lus =
            ::read(fichier.fd(), contenu.data() + lus_en_tout, contenu.size() - lus_en_tout);
        if (lus == 0)
            break;
        if (lus < 0) {
            if (errno == EINTR)
                continue;
            Echec(chemin, "impossible de lire le fichier", errno);
        }
        lus_en_tout += static_cast<std::size_t>(lus);
    }
    contenu.resize(lus_en_tout);
    return contenu;
}

namespace {

// Writes into what is already there (a device or a pipe: "-o /dev/null" must not turn
// /dev/null into a file).
void Ecrire_sur_place(const std::string& chemin, std::string_view contenu)
{
    TDescripteur fichier(::open(chemin.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fichier.fd() < 0)
        Echec(chemin,
              "impossible d'\xE9"
              "crire le fichier",
              errno);
    Ecrire_tout(fichier, chemin, contenu, [](int) {});
    fichier.Fermer();
}

// The file a path names: a symbolic link is followed, so that the link stays and its
// target is replaced.
std::string Cible(const std::string& chemin)
{
    struct stat lien {};
    if (::lstat(chemin.c_str(), &lien) != 0 || !S_ISLNK(lien.st_mode))
        return chemin;
    const std::unique_ptr<char, decltype(&std::free)> vrai(::realpath(chemin.c_str(), nullptr),
                                                           &std::free);
    return vrai ? std::string(vrai.get()) : chemin;
}

} // namespace

void Remplacer_fichier(const std::string& chemin_demande, std::string_view contenu)
{
    const std::string chemin = Cible(chemin_demande);
    struct stat existant {};
    const bool existe = ::stat(chemin.c_str(), &existant) == 0;
    if (existe && !S_ISREG(existant.st_mode) && !S_ISDIR(existant.st_mode)) {
        Ecrire_sur_place(chemin, contenu);
        return;
    }
    std::string temporaire;
    TDescripteur fichier = Creer_temporaire(chemin, temporaire);
    if (existe && S_ISREG(existant.st_mode))
        ::fchmod(fichier.fd(), existant.st_mode & 07777); // the file keeps its permissions
    auto abandonner = [&](int numero) {
        ::unlink(temporaire.c_str());
        Echec(chemin,
              "impossible d'\xE9"
              "crire le fichier",
              numero);
    };
    Ecrire_tout(fichier, chemin, contenu, abandonner);
    if (fichier.Fermer() != 0)
        abandonner(errno);
    if (::rename(temporaire.c_str(), chemin.c_str()) != 0)
        abandonner(errno);
}

} // namespace trazel
