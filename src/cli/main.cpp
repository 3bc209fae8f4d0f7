#include <malloc.h>

#include <exception>
#include <iostream>

#include "cli/ligne_de_commande.h"

int main(int argc, char** argv)
{
    // One transcription builds texts of hundreds of kilobytes and frees them soon after. By
    // default the allocator maps such blocks on their own and gives them back at once, so
    // each new one costs a page fault per page; kept in the heap, freed memory is reused.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 4 << 20);
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        return trazel::Executer(arguments, std::cout, std::cerr);
    } catch (const std::exception& erreur) {
        std::cerr << "trazel: erreur interne : " << erreur.what() << '\n';
        return trazel::code_echec;
    }
}
