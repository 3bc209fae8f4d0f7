#pragma once

#include <cstdlib>
#include <memory>

namespace trazel {

// The allocator set for one short run of the command line. A transcription builds its figure
// and its picture in a few megabytes, each page written once. On a virtual machine the first
// write to a 4 KiB page traps to the host, about ten microseconds, more than the work done on
// the page: a large figure spent half its time there. So freed memory stays in the heap to be
// reused, and the heap's top is laid on 2 MiB pages, one trap where there were 512.
// Built once, first thing in main; the settings stay for the whole process.
class TTas_commande {
  public:
    TTas_commande();
    TTas_commande(const TTas_commande&) = delete;
    TTas_commande& operator=(const TTas_commande&) = delete;

    // Whether the kernel took the advice of 2 MiB pages for the heap's top. Without it (no
    // such pages in this kernel, a sanitizer's allocator) the heap works as usual.
    bool Grandes_pages() const { return grandes_pages_; }

  private:
    void Conseiller_grandes_pages();

    struct TLiberer {
        void operator()(void* bloc) const { std::free(bloc); }
    };
    // The block that fills the heap up to the first 2 MiB boundary, so that the blocks
    // asked for next start on it; held, never used.
    std::unique_ptr<void, TLiberer> cale_;
    bool grandes_pages_ = false;
};

} // namespace trazel
