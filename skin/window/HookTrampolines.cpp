// Trampoline regions of the hooking layer, found by a search of the address space near the target.
#include "HookTrampolines.h"

#include <cstring>

namespace {

constexpr DWORD kSignature = 0x474E5254;
constexpr ULONG_PTR kRegionSize = 0x10000;
constexpr ULONG_PTR kFirstSlot = 96;  // after the header and two slots never handed out
constexpr ULONG_PTR kLastSlot = kRegionSize - sizeof(HookTrampoline);
// The system libraries' range is left alone.
constexpr ULONG_PTR kSystemLow = 0x70000000;
constexpr ULONG_PTR kSystemHigh = 0x80000000;

struct HookRegion {
    DWORD signature;
    HookRegion* next;
    HookTrampoline* freeHead;
};

HookRegion* g_regions = nullptr;
HookRegion* g_lastUsed = nullptr;

struct Bounds {
    ULONG_PTR low;
    ULONG_PTR high;
    bool Contains(const void* p) const
    {
        const auto a = reinterpret_cast<ULONG_PTR>(p);
        return a >= low && a <= high;
    }
};

Bounds BoundsFor(const BYTE* target)
{
    const auto t = reinterpret_cast<ULONG_PTR>(target);
    return Bounds{t < 0x7FF80001 ? 0x10000 : t - 0x7FF80000, t >= 0x80000000 ? 0xFFF80000 : t + 0x7FF80000};
}

HookRegion* InitRegion(void* memory)
{
    auto* region = static_cast<HookRegion*>(memory);
    auto* base = static_cast<BYTE*>(memory);
    region->signature = kSignature;
    region->next = g_regions;
    region->freeHead = reinterpret_cast<HookTrampoline*>(base + kFirstSlot);
    for (ULONG_PTR offset = kFirstSlot; offset <= kLastSlot; offset += sizeof(HookTrampoline)) {
        auto* slot = reinterpret_cast<HookTrampoline*>(base + offset);
        slot->resume = offset < kLastSlot ? base + offset + sizeof(HookTrampoline) : nullptr;
    }
    g_regions = region;
    return region;
}

void* TryAllocate(ULONG_PTR at)
{
    return VirtualAlloc(reinterpret_cast<void*>(at), kRegionSize, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE);
}

HookRegion* CreateRegionNear(const BYTE* target, const Bounds& bounds)
{
    const ULONG_PTR start = reinterpret_cast<ULONG_PTR>(target) & ~(kRegionSize - 1);
    for (ULONG_PTR p = start; p > bounds.low;) {
        if (p >= kSystemLow && p < kSystemHigh) {
            p = kSystemLow - kRegionSize;
            continue;
        }
        MEMORY_BASIC_INFORMATION mbi{};
        if (VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi))
            break;
        if (mbi.State == MEM_FREE && mbi.RegionSize >= kRegionSize) {
            void* memory = TryAllocate(p);
            if (memory)
                return InitRegion(memory);
            break;
        }
        const void* start = mbi.State == MEM_FREE ? mbi.BaseAddress : mbi.AllocationBase;
        const ULONG_PTR base = reinterpret_cast<ULONG_PTR>(start);
        const ULONG_PTR below = base & ~(kRegionSize - 1);
        if (below < kRegionSize)
            break;
        p = below - kRegionSize;
    }
    for (ULONG_PTR p = start; p < bounds.high;) {
        if (p >= kSystemLow && p < kSystemHigh)
            p = kSystemHigh + kRegionSize;
        MEMORY_BASIC_INFORMATION mbi{};
        if (VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi))
            break;
        const ULONG_PTR base = reinterpret_cast<ULONG_PTR>(mbi.BaseAddress);
        const ULONG_PTR end = base + mbi.RegionSize;
        if (mbi.State == MEM_FREE) {
            const ULONG_PTR aligned = (base + kRegionSize - 1) & ~(kRegionSize - 1);
            if (aligned + kRegionSize <= end && aligned < bounds.high) {
                if (void* memory = TryAllocate(aligned))
                    return InitRegion(memory);
            }
        }
        if (end <= p)
            break;
        p = end;
    }
    return nullptr;
}

HookRegion* RegionOf(const void* p)
{
    return reinterpret_cast<HookRegion*>(reinterpret_cast<ULONG_PTR>(p) & ~(kRegionSize - 1));
}

}  // namespace

HookTrampoline* HookAllocTrampoline(const BYTE* target)
{
    const Bounds bounds = BoundsFor(target);
    HookRegion* region = nullptr;
    if (g_lastUsed && g_lastUsed->freeHead && bounds.Contains(g_lastUsed->freeHead)) {
        region = g_lastUsed;
    } else {
        for (HookRegion* r = g_regions; r; r = r->next) {
            if (r->freeHead && bounds.Contains(r->freeHead)) {
                region = r;
                break;
            }
        }
    }
    if (!region)
        region = CreateRegionNear(target, bounds);
    if (!region || !region->freeHead || !bounds.Contains(region->freeHead))
        return nullptr;
    g_lastUsed = region;
    HookTrampoline* slot = region->freeHead;
    region->freeHead = reinterpret_cast<HookTrampoline*>(slot->resume);
    std::memset(slot, 0xCC, sizeof(*slot));
    return slot;
}

void HookFreeTrampoline(HookTrampoline* trampoline)
{
    if (!trampoline)
        return;
    HookRegion* region = RegionOf(trampoline);
    std::memset(trampoline, 0, sizeof(*trampoline));
    trampoline->resume = reinterpret_cast<BYTE*>(region->freeHead);
    region->freeHead = trampoline;
}

bool HookIsTrampoline(const void* p)
{
    const HookRegion* region = RegionOf(p);
    bool known = false;
    for (const HookRegion* r = g_regions; r && !known; r = r->next)
        known = r == region;
    const ULONG_PTR offset = reinterpret_cast<ULONG_PTR>(p) - reinterpret_cast<ULONG_PTR>(region);
    return known && offset >= kFirstSlot && offset <= kLastSlot && offset % sizeof(HookTrampoline) == 0;
}

void HookProtectRegions(DWORD protect)
{
    for (HookRegion* r = g_regions; r; r = r->next) {
        DWORD old = 0;
        VirtualProtect(r, kRegionSize, protect, &old);
    }
}
