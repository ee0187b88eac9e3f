// Trampolines of the hooking layer: 32-byte slots in 64 KB regions placed within reach of a
// 32-bit relative jump from the code they serve. Regions are kept for the life of the process.
#pragma once

#include <windows.h>

#pragma pack(push, 1)
struct HookTrampoline {
    BYTE code[23];     // moved instructions, the jump back, 0xCC filler
    BYTE movedLength;  // target bytes moved (5 to 18)
    BYTE* resume;      // target + moved length; while free, the next free slot
    BYTE* detour;      // the replacement function
};
#pragma pack(pop)
static_assert(sizeof(HookTrampoline) == 32, "a trampoline fills one 32-byte slot");

// A slot within ±2 GB of target, filled with 0xCC; null when none can be found.
HookTrampoline* HookAllocTrampoline(const BYTE* target);
// Clears the slot and gives it back to its region.
void HookFreeTrampoline(HookTrampoline* trampoline);
// Whether p is the start of a slot of one of the layer's regions.
bool HookIsTrampoline(const void* p);
// Sets the protection of every region.
void HookProtectRegions(DWORD protect);
