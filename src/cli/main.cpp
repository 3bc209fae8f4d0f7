#include <unistd.h>

#include <exception>

#include "cli/flux.h"
#include "cli/ligne_de_commande.h"
#include "cli/tas.h"
#include "model/erreurs.h"

int main(int argc, char** argv)
{
    const trazel::TTas_commande tas;
    trazel::TFlux_descripteur sortie(STDOUT_FILENO, "sortie standard");
    trazel::TFlux_descripteur erreurs(STDERR_FILENO, "sortie d'erreur");
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        const int code = trazel::Executer(arguments, sortie, erreurs);
        // The help or the version that could not be written is a failure too.
        sortie.Vider();
        return code;
    } catch (const trazel::Erreur_fichier& erreur) {
        erreurs << "trazel: " << trazel::Texte_erreur(erreur) << '\n';
        return trazel::code_echec;
    } catch (const std::exception& erreur) {
        erreurs << "trazel: erreur interne : " << erreur.what() << '\n';
        return trazel::code_echec;
    }
}
