// Guarded reads of code and module headers for the hooking layer.
#include "HookMemory.h"

namespace {

bool IsReadableProtection(DWORD protect)
{
    if (protect & (PAGE_GUARD | PAGE_NOACCESS))
        return false;
    return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                       PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

}  // namespace

bool HookIsReadable(const void* address, SIZE_T size)
{
    auto p = reinterpret_cast<ULONG_PTR>(address);
    const ULONG_PTR end = p + size;
    if (!address || end < p)
        return false;
    while (p < end) {
        MEMORY_BASIC_INFORMATION mbi{};
        if (VirtualQuery(reinterpret_cast<const void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi))
            return false;
        if (mbi.State != MEM_COMMIT || !IsReadableProtection(mbi.Protect))
            return false;
        const ULONG_PTR regionEnd = reinterpret_cast<ULONG_PTR>(mbi.BaseAddress) + mbi.RegionSize;
        if (regionEnd <= p)
            return false;
        p = regionEnd;
    }
    return true;
}

const IMAGE_NT_HEADERS* HookModuleHeaders(const void* address, BYTE** imageBase)
{
    MEMORY_BASIC_INFORMATION mbi{};
    if (VirtualQuery(address, &mbi, sizeof(mbi)) != sizeof(mbi) || !mbi.AllocationBase)
        return nullptr;
    auto* base = static_cast<BYTE*>(mbi.AllocationBase);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (!HookIsReadable(dos, sizeof(*dos)) || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0)
        return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (!HookIsReadable(nt, sizeof(*nt)) || nt->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    if (imageBase)
        *imageBase = base;
    return nt;
}
