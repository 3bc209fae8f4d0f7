#include <exception>
#include <iostream>

#include "cli/ligne_de_commande.h"
#include "cli/tas.h"

int main(int argc, char** argv)
{
    const trazel::TTas_commande tas;
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        return trazel::Executer(arguments, std::cout, std::cerr);
    } catch (const std::exception& erreur) {
        std::cerr << "trazel: erreur interne : " << erreur.what() << '\n';
        return trazel::code_echec;
    }
}
