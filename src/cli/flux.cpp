#include "cli/flux.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "model/erreurs.h"
#include "model/fichiers.h"

namespace trazel {
namespace {

// Past this much, text waits no longer for its line end.
constexpr std::size_t tampon_maximal = std::size_t{1} << 16;

} // namespace

TFlux_descripteur::~TFlux_descripteur()
{
    Tout_ecrire();
}

void TFlux_descripteur::Ecrire(std::string_view texte)
{
    if (texte.size() >= tampon_maximal) {
        // A picture goes out as it is, after what was held.
        Tout_ecrire();
        Ecrire_octets(texte);
        return;
    }
    tampon_ += texte;
    if (tampon_.size() >= tampon_maximal || (!texte.empty() && texte.back() == '\n'))
        Tout_ecrire();
}

void TFlux_descripteur::Vider()
{
    Tout_ecrire();
    const int erreur = std::exchange(erreur_, 0);
    if (erreur != 0)
        throw Erreur_fichier(nom_, "impossible d'\xE9"
                                   "crire : " +
                                       Raison_systeme(erreur));
}

void TFlux_descripteur::Tout_ecrire()
{
    Ecrire_octets(tampon_);
    tampon_.clear();
}

void TFlux_descripteur::Ecrire_octets(std::string_view octets)
{
    const int numero = Ecrire_descripteur(fd_, octets);
    if (erreur_ == 0)
        erreur_ = numero;
}

namespace {

[[noreturn]] void Trop_grande(std::size_t taille_maximale)
{
    throw Erreur_fichier(nom_entree_standard, "plus de " + std::to_string(taille_maximale >> 20) +
                                                  " Mio : ce n'est pas une figure");
}

} // namespace

std::string TEntree_texte::Lire_tout(std::size_t taille_maximale)
{
    if (texte_.size() > taille_maximale)
        Trop_grande(taille_maximale);
    return texte_;
}

std::string TEntree_descripteur::Lire_tout(std::size_t taille_maximale)
{
    std::string texte;
    char tampon[1 << 16];
    for (;;) {
        const ssize_t lus = ::read(fd_, tampon, sizeof tampon);
        if (lus == 0)
            return texte;
        if (lus < 0) {
            if (errno == EINTR)
                continue;
            throw Erreur_fichier(nom_entree_standard,
                                 "impossible de lire : " + Raison_systeme(errno));
        }
        texte.append(tampon, static_cast<std::size_t>(lus));
        if (texte.size() > taille_maximale)
            Trop_grande(taille_maximale);
    }
}

} // namespace trazel
