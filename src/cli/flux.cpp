#include "cli/flux.h"

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

} // namespace trazel
