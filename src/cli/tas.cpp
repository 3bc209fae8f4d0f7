#include "cli/tas.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace trazel {
namespace {

constexpr std::uintptr_t grande_page = std::uintptr_t{2} << 20;
// Room laid on large pages: more than the largest figure bound needs at once, and address
// space only until written. Below the mmap threshold, so it comes from the heap's top.
constexpr std::size_t etendue_conseillee = std::size_t{48} << 20;
// The allocator's header before each block it hands out.
constexpr std::size_t entete_de_bloc = 16;

} // namespace

TTas_commande::TTas_commande()
{
    // By default the allocator maps blocks of hundreds of kilobytes on their own and gives
    // them back when freed, so each new one faults its pages in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 4 << 20);
#if !defined(__SANITIZE_ADDRESS__)
    Conseiller_grandes_pages();
#endif
}

// One large block pushes the heap's break far enough; the range of it between 2 MiB
// boundaries is marked for large pages, and the block goes back to the top of the heap,
// where the next blocks are cut from. The wedge kept up to the first boundary makes them start
// on it: below it they would fault page by page.
void TTas_commande::Conseiller_grandes_pages()
{
    void* bloc = std::malloc(etendue_conseillee);
    if (bloc == nullptr)
        return;
    const auto debut = reinterpret_cast<std::uintptr_t>(bloc);
    const std::uintptr_t premiere = (debut + grande_page - 1) & ~(grande_page - 1);
    const std::uintptr_t fin = (debut + etendue_conseillee) & ~(grande_page - 1);
    // A block the allocator mapped on its own (the break could not move) is unmapped when
    // freed: advice on it would be lost, and the wedge would only waste room.
    const bool dans_le_tas =
        debut + etendue_conseillee <= reinterpret_cast<std::uintptr_t>(::sbrk(0));
    grandes_pages_ =
        dans_le_tas && fin > premiere &&
        ::madvise(reinterpret_cast<void*>(premiere), fin - premiere, MADV_HUGEPAGE) == 0;
    std::free(bloc);
    const std::size_t avant = premiere - debut;
    if (grandes_pages_ && avant > entete_de_bloc)
        cale_.reset(std::malloc(avant - entete_de_bloc));
}

} // namespace trazel
