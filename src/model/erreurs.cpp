#include "model/erreurs.h"

#include <cmath>

namespace trazel {
namespace {

const char* Message(Erreur_calcul::Nature nature)
{
    switch (nature) {
    case Erreur_calcul::Nature::division_par_zero:
        return "Division par z\xE9ro";
    case Erreur_calcul::Nature::operation_invalide:
        return "Op\xE9ration en virgule flottante invalide";
    case Erreur_calcul::Nature::depassement:
        return "D\xE9passement de capacit\xE9 en virgule flottante";
    }
    return "Erreur de calcul";
}

} // namespace

std::string Guillemets(std::string_view texte)
{
    return "\xAB " + std::string(texte) + " \xBB";
}

std::string Message_erreur(const std::exception& erreur)
{
    std::string message = erreur.what();
    if (const auto* formule = dynamic_cast<const Erreur_formule*>(&erreur))
        if (!formule->formule().empty())
            message += " (formule " + Guillemets(formule->formule()) + ")";
    return message;
}

Erreur_calcul::Erreur_calcul(Nature nature) : Erreur_trazel(Message(nature)), nature_(nature) {}

void Signaler_division_par_zero(Reel dividende)
{
    if (dividende == 0 || std::isnan(dividende))
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide);
    throw Erreur_calcul(Erreur_calcul::Nature::division_par_zero);
}

void Signaler_non_fini(Reel x)
{
    if (std::isnan(x))
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide);
    throw Erreur_calcul(Erreur_calcul::Nature::depassement);
}

} // namespace trazel
