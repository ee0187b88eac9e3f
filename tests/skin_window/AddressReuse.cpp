// The global operator new and delete of the test program, with one block kept for AddressReuse.
#include "AddressReuse.h"

#include <cstdlib>
#include <new>

namespace {

struct KeptBlock {
    void* block = nullptr;
    std::size_t size = 0;
    bool free = false;  // its object has gone; the next allocation of the size takes it
};
KeptBlock g_kept;

}  // namespace

AddressReuse::AddressReuse(void* object, std::size_t size)
{
    g_kept = {object, size, false};
}

AddressReuse::~AddressReuse()
{
    if (g_kept.free)
        std::free(g_kept.block);
    g_kept = {};
}

void* operator new(std::size_t size)
{
    if (g_kept.free && size == g_kept.size) {
        void* block = g_kept.block;
        g_kept = {};
        return block;
    }
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    if (block && block == g_kept.block) {
        g_kept.free = true;
        return;
    }
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}
