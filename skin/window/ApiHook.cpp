// Transactions of the hooking layer: requests, commit with instruction-pointer fix-ups of the
// enlisted threads, and abort. A function whose first bytes cannot be moved exactly (a short or
// 16-bit branch, an unknown opcode, fewer than five bytes before its end) is refused and left as
// it is.
#include "ApiHook.h"

#include <cstring>
#include <new>

#include "HookMemory.h"
#include "HookTrampolines.h"
#include "InstructionCopier.h"

namespace {

constexpr int kJumpSize = 5;
constexpr int kMaxMoved = 18;
constexpr BYTE kJmpRel32 = 0xE9;
constexpr BYTE kInt3 = 0xCC;

enum class OpKind { Hook, Unhook };

struct PendingOp {
    PendingOp* next;
    OpKind kind;
    PVOID* pointer;
    BYTE* target;
    HookTrampoline* trampoline;
    int moved;
    DWORD oldProtect;
};

struct EnlistedThread {
    EnlistedThread* next;
    HANDLE thread;
};

volatile LONG g_owner = 0;
LONG g_error = 0;
PVOID* g_failedPointer = nullptr;
PendingOp* g_ops = nullptr;
EnlistedThread* g_threads = nullptr;

bool CallerOwns()
{
    return g_owner != 0 && static_cast<DWORD>(g_owner) == GetCurrentThreadId();
}

// The id of the thread a handle names, also for a handle without the right to ask (one opened only to
// suspend and resume): a handle of our own to the same thread asks instead. 0, with the last error
// set, when neither can.
DWORD ThreadIdOf(HANDLE thread)
{
    if (const DWORD id = GetThreadId(thread))
        return id;
    HANDLE query = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &query, THREAD_QUERY_LIMITED_INFORMATION,
                         FALSE, 0))
        return 0;
    const DWORD id = GetThreadId(query);
    CloseHandle(query);
    return id;
}

LONG Fail(PVOID* pointer, LONG error)
{
    g_error = error;
    g_failedPointer = pointer;
    return error;
}

// An import thunk (FF 25 through the module's import address table) or a short jump onto a near
// jump leads to the code that really runs.
BYTE* SkipJumps(BYTE* code)
{
    if (!HookIsReadable(code, 6))
        return code;
    if (code[0] == 0xFF && code[1] == 0x25) {
        BYTE* const* slot = *reinterpret_cast<BYTE* const* const*>(code + 2);
        BYTE* base = nullptr;
        const IMAGE_NT_HEADERS* nt = HookModuleHeaders(code, &base);
        if (!nt || nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IAT)
            return code;
        const IMAGE_DATA_DIRECTORY& iat = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
        const BYTE* first = base + iat.VirtualAddress;
        const auto at = reinterpret_cast<const BYTE*>(slot);
        if (iat.VirtualAddress && at >= first && at + sizeof(*slot) <= first + iat.Size &&
            HookIsReadable(slot, sizeof(*slot)))
            return *slot;
        return code;
    }
    if (code[0] == 0xEB) {
        BYTE* landing = code + 2 + static_cast<signed char>(code[1]);
        if (HookIsReadable(landing, kJumpSize) && landing[0] == kJmpRel32) {
            LONG disp = 0;
            std::memcpy(&disp, landing + 1, sizeof(disp));
            return landing + kJumpSize + disp;
        }
    }
    return code;
}

bool EndsFunction(const BYTE* p)
{
    switch (p[0]) {
    case 0xE9:
    case 0xE0:
    case 0xC2:
    case 0xC3:
    case 0xCC:
        return true;
    case 0xFF:
        return p[1] == 0x25;
    case 0x26:
    case 0x2E:
    case 0x36:
    case 0x64:
    case 0x65:
    case 0xE3:
        return p[1] == 0xFF && p[2] == 0x25;
    default:
        return false;
    }
}

// Leaves "Hooked!!" in the reserved words of the DOS header of the module holding the target.
void MarkModule(const BYTE* target)
{
    BYTE* base = nullptr;
    const IMAGE_NT_HEADERS* nt = HookModuleHeaders(target, &base);
    if (!nt || nt->FileHeader.SizeOfOptionalHeader == 0)
        return;
    auto* words = reinterpret_cast<WORD*>(base + 28);
    if (words[0] == 0x6F48)
        return;
    DWORD old = 0;
    if (!VirtualProtect(base, 64, PAGE_EXECUTE_READWRITE, &old))
        return;
    static const WORD kMark[4] = {0x6F48, 0x6B6F, 0x6465, 0x2121};
    std::memcpy(words, kMark, sizeof(kMark));
    VirtualProtect(base, 64, old, &old);
}

void WriteJump(BYTE* at, const BYTE* to)
{
    at[0] = kJmpRel32;
    const LONG disp = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(to) - reinterpret_cast<ULONG_PTR>(at + kJumpSize));
    std::memcpy(at + 1, &disp, sizeof(disp));
}

// Moves whole instructions from the target into the trampoline; 0 or the error code.
LONG MoveInstructions(BYTE* target, HookTrampoline* trampoline, int* moved)
{
    InstructionCopier copier;
    const BYTE* src = target;
    *moved = 0;
    while (*moved < kJumpSize) {
        LONG growth = 0;
        const BYTE* next = copier.CopyInstruction(src, &growth, trampoline->code + *moved);
        if (copier.Invalid() || growth != 0)
            return ERROR_INVALID_BLOCK;
        *moved += static_cast<int>(next - src);
        const bool last = EndsFunction(src);
        src = next;
        if (last)
            break;
    }
    if (*moved < kJumpSize)
        return ERROR_INVALID_BLOCK;
    if (*moved > kMaxMoved)
        return ERROR_INVALID_HANDLE;
    return 0;
}

// Puts the moved instructions back; true when they went back whole.
bool RestoreInstructions(const PendingOp& op)
{
    InstructionCopier copier;
    const BYTE* src = op.trampoline->code;
    int copied = 0;
    while (copied < op.moved) {
        LONG growth = 0;
        const BYTE* next = copier.CopyInstruction(src, &growth, op.target + copied);
        if (copier.Invalid() || growth != 0)
            break;
        copied += static_cast<int>(next - src);
        src = next;
    }
    return copied == op.moved;
}

void MoveInstructionPointers()
{
    for (EnlistedThread* t = g_threads; t; t = t->next) {
        CONTEXT ctx{};
        ctx.ContextFlags = CONTEXT_CONTROL;
        if (!GetThreadContext(t->thread, &ctx))
            continue;
        for (PendingOp* op = g_ops; op; op = op->next) {
            const ULONG_PTR target = reinterpret_cast<ULONG_PTR>(op->target);
            const ULONG_PTR tramp = reinterpret_cast<ULONG_PTR>(op->trampoline->code);
            const ULONG_PTR from = op->kind == OpKind::Hook ? target : tramp;
            const ULONG_PTR to = op->kind == OpKind::Hook ? tramp : target;
            if (ctx.Eip >= from && ctx.Eip < from + static_cast<ULONG_PTR>(op->moved)) {
                ctx.Eip = static_cast<DWORD>(to + (ctx.Eip - from));
                SetThreadContext(t->thread, &ctx);
            }
        }
    }
}

// Common end of commit and abort: protections back, threads resumed, transaction closed.
void EndTransaction(bool committed)
{
    while (PendingOp* op = g_ops) {
        g_ops = op->next;
        DWORD unused = 0;
        VirtualProtect(op->target, static_cast<SIZE_T>(op->moved), op->oldProtect, &unused);
        if (committed)
            FlushInstructionCache(GetCurrentProcess(), op->target, static_cast<SIZE_T>(op->moved));
        if ((op->kind == OpKind::Unhook) == committed)
            HookFreeTrampoline(op->trampoline);
        delete op;
    }
    HookProtectRegions(PAGE_EXECUTE_READ);
    while (EnlistedThread* t = g_threads) {
        g_threads = t->next;
        ResumeThread(t->thread);
        delete t;
    }
    g_failedPointer = nullptr;
    InterlockedExchange(&g_owner, 0);
}

// What every request first checks: the caller's open transaction, no earlier failure, a pointer.
LONG CheckRequest(PVOID* pointer)
{
    if (!CallerOwns())
        return ERROR_INVALID_OPERATION;
    if (g_error)
        return g_error;
    if (!pointer)
        return ERROR_INVALID_HANDLE;
    if (!*pointer)
        return Fail(pointer, ERROR_INVALID_HANDLE);
    return 0;
}

void Enqueue(PendingOp* op)
{
    op->next = g_ops;
    g_ops = op;
}

}  // namespace

LONG HookTransactionBegin()
{
    if (InterlockedCompareExchange(&g_owner, static_cast<LONG>(GetCurrentThreadId()), 0) != 0)
        return ERROR_INVALID_OPERATION;
    g_error = 0;
    g_failedPointer = nullptr;
    g_ops = nullptr;
    g_threads = nullptr;
    HookProtectRegions(PAGE_EXECUTE_READWRITE);
    return 0;
}

LONG HookUpdateThread(HANDLE thread)
{
    if (!CallerOwns())
        return ERROR_INVALID_OPERATION;
    if (g_error)
        return g_error;
    // The calling thread is never suspended, whether named by its pseudo handle or by a real one.
    const DWORD id = ThreadIdOf(thread);
    if (id == GetCurrentThreadId())
        return 0;
    // A thread that cannot be told apart from the caller is not suspended: it might be the caller.
    if (!id)
        return g_error = static_cast<LONG>(GetLastError());
    auto* entry = new (std::nothrow) EnlistedThread{nullptr, thread};
    if (!entry)
        return g_error = ERROR_NOT_ENOUGH_MEMORY;
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) {
        delete entry;
        return g_error = static_cast<LONG>(GetLastError());
    }
    entry->next = g_threads;
    g_threads = entry;
    return 0;
}

LONG HookAttach(PVOID* pointer, PVOID detour)
{
    if (const LONG refused = CheckRequest(pointer))
        return refused;
    BYTE* target = SkipJumps(static_cast<BYTE*>(*pointer));
    BYTE* replacement = SkipJumps(static_cast<BYTE*>(detour));
    if (target == replacement)
        return 0;
    if (!HookIsReadable(target, kMaxMoved + 1))
        return Fail(pointer, ERROR_INVALID_BLOCK);
    auto* op = new (std::nothrow) PendingOp{};
    if (!op)
        return Fail(pointer, ERROR_NOT_ENOUGH_MEMORY);
    HookTrampoline* trampoline = HookAllocTrampoline(target);
    LONG error = trampoline ? 0 : ERROR_NOT_ENOUGH_MEMORY;
    int moved = 0;
    if (!error)
        error = MoveInstructions(target, trampoline, &moved);
    if (!error) {
        trampoline->detour = replacement;
        trampoline->resume = target + moved;
        trampoline->movedLength = static_cast<BYTE>(moved);
        WriteJump(trampoline->code + moved, target + moved);
        std::memset(trampoline->code + moved + kJumpSize, kInt3, sizeof(trampoline->code) - moved - kJumpSize);
        if (!VirtualProtect(target, static_cast<SIZE_T>(moved), PAGE_EXECUTE_READWRITE, &op->oldProtect))
            error = static_cast<LONG>(GetLastError());
    }
    if (error) {
        HookFreeTrampoline(trampoline);
        delete op;
        return Fail(pointer, error);
    }
    MarkModule(target);
    op->kind = OpKind::Hook;
    op->pointer = pointer;
    op->target = target;
    op->trampoline = trampoline;
    op->moved = moved;
    Enqueue(op);
    return 0;
}

LONG HookDetach(PVOID* pointer, PVOID detour)
{
    if (const LONG refused = CheckRequest(pointer))
        return refused;
    auto* trampoline = static_cast<HookTrampoline*>(*pointer);
    // Only a trampoline of this layer is read as one.
    if (!HookIsTrampoline(trampoline))
        return Fail(pointer, ERROR_INVALID_BLOCK);
    const int moved = trampoline->movedLength;
    if (moved < kJumpSize || moved > kMaxMoved || trampoline->detour != SkipJumps(static_cast<BYTE*>(detour)))
        return Fail(pointer, ERROR_INVALID_BLOCK);
    auto* op = new (std::nothrow) PendingOp{};
    if (!op)
        return Fail(pointer, ERROR_NOT_ENOUGH_MEMORY);
    op->kind = OpKind::Unhook;
    op->pointer = pointer;
    op->target = trampoline->resume - moved;
    op->trampoline = trampoline;
    op->moved = moved;
    if (!VirtualProtect(op->target, static_cast<SIZE_T>(moved), PAGE_EXECUTE_READWRITE, &op->oldProtect)) {
        const LONG error = static_cast<LONG>(GetLastError());
        delete op;
        return Fail(pointer, error);
    }
    Enqueue(op);
    return 0;
}

LONG HookTransactionCommit()
{
    if (!CallerOwns())
        return ERROR_INVALID_OPERATION;
    if (g_error) {
        const LONG error = g_error;
        EndTransaction(false);
        return error;
    }
    for (PendingOp* op = g_ops; op; op = op->next) {
        if (op->kind == OpKind::Unhook) {
            if (!RestoreInstructions(*op))
                Fail(op->pointer, ERROR_INVALID_DATA);
            *op->pointer = op->target;
        } else {
            WriteJump(op->target, op->trampoline->detour);
            std::memset(op->target + kJumpSize, kInt3, static_cast<size_t>(op->moved - kJumpSize));
            *op->pointer = op->trampoline->code;
        }
    }
    MoveInstructionPointers();
    const LONG error = g_error;
    EndTransaction(true);
    return error;
}

LONG HookTransactionAbort()
{
    if (!CallerOwns())
        return ERROR_INVALID_OPERATION;
    EndTransaction(false);
    return 0;
}
