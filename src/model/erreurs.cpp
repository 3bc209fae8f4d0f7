#include "model/erreurs.h"

#include <cmath>

#include "model/encodage.h"

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

namespace {

std::string Texte_ligne(int ligne)
{
    return "ligne " + std::to_string(ligne);
}

// "Error in formula. (formule « 2*-3x » de la fonction « f », ligne 6, utilisée ligne 15
// dans « f(2) »)": each line is left out when 0.
std::string Message_fonction(const Erreur_formule& erreur, const TFonction_fautive& f,
                             int ligne_corps, int utilisation)
{
    std::string message = std::string(erreur.what()) + " (formule " + Guillemets(f.corps) +
                          " de la fonction " + Guillemets(f.nom);
    if (ligne_corps > 0)
        message += ", " + Texte_ligne(ligne_corps);
    if (!erreur.formule().empty()) {
        message += ", utilis\xE9"
                   "e ";
        if (utilisation > 0)
            message += Texte_ligne(utilisation) + " ";
        message += "dans " + Guillemets(erreur.formule());
    }
    return message + ")";
}

} // namespace

std::string Message_erreur(const std::exception& erreur)
{
    std::string message = erreur.what();
    if (const auto* formule = dynamic_cast<const Erreur_formule*>(&erreur)) {
        if (const auto& f = formule->fonction())
            return Message_fonction(*formule, *f, f->ligne, 0);
        if (!formule->formule().empty())
            message += " (formule " + Guillemets(formule->formule()) + ")";
    }
    return message;
}

TLieu_faute Lieu_de_la_faute(const std::exception& erreur, int ligne)
{
    const auto* formule = dynamic_cast<const Erreur_formule*>(&erreur);
    if (formule == nullptr || !formule->fonction() || formule->fonction()->ligne <= 0)
        return {ligne, 0, Message_erreur(erreur)};
    // The body's line is the place of the fault; the line that met it is named in the message.
    const TFonction_fautive& f = *formule->fonction();
    const int utilisation = f.ligne == ligne ? 0 : ligne;
    return {f.ligne, utilisation, Message_fonction(*formule, f, 0, utilisation)};
}

std::string Texte_erreur(const std::exception& erreur)
{
    if (const auto* figure = dynamic_cast<const Erreur_figure*>(&erreur)) {
        std::string lieu = figure->chemin();
        if (figure->ligne() > 0)
            lieu += ", " + Texte_ligne(figure->ligne());
        return lieu + " : " + Cp1252_vers_utf8(figure->what());
    }
    if (const auto* fichier = dynamic_cast<const Erreur_fichier*>(&erreur))
        return fichier->chemin() + " : " + Cp1252_vers_utf8(fichier->what());
    return Cp1252_vers_utf8(Message_erreur(erreur));
}

namespace {

std::string Message(Erreur_calcul::Nature nature, const std::string& cause,
                    const std::string& objet)
{
    std::string message = Message(nature);
    if (!cause.empty())
        message += " (" + cause + ")";
    if (!objet.empty())
        message += " en calculant " + objet;
    return message;
}

} // namespace

Erreur_calcul::Erreur_calcul(Nature nature, std::string cause)
    : Erreur_calcul(nature, std::move(cause), {})
{
}

Erreur_calcul::Erreur_calcul(Nature nature, std::string cause, std::string objet)
    : Erreur_trazel(Message(nature, cause, objet)), nature_(nature), cause_(std::move(cause)),
      objet_(std::move(objet))
{
}

Erreur_calcul Erreur_calcul::Pour_l_objet(const std::string& objet) const
{
    return Erreur_calcul(nature_, cause_, objet);
}

void Signaler_division_par_zero(Reel dividende)
{
    if (dividende == 0)
        throw Erreur_calcul(Erreur_calcul::Nature::operation_invalide,
                            "z\xE9ro divis\xE9 par z\xE9ro");
    if (std::isnan(dividende))
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
