// The hooking layer on synthetic code in executable memory: every kind of prologue it moves, the
// prologues it refuses, transaction ownership, instruction-pointer fix-ups of enlisted threads,
// and removal that puts the original bytes back.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "ApiHook.h"
#include "HookTrampolines.h"
#include "InstructionCopier.h"
#include "WaitUntil.h"

namespace {

using IntFn = int (*)();
using ArgFn = int (*)(int);

int ReturnSeven()
{
    return 7;
}

int TimesThree(int x)
{
    return 3 * x;
}

// One page of code, sealed execute-read as code sections are.
class CodePage {
public:
    CodePage()
    {
        m_base = static_cast<BYTE*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    }
    ~CodePage() { VirtualFree(m_base, 0, MEM_RELEASE); }
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // Code at offset, followed by int3 filler.
    BYTE* Put(size_t offset, std::vector<BYTE> bytes)
    {
        std::memset(m_base + offset, 0xCC, 64);
        std::memcpy(m_base + offset, bytes.data(), bytes.size());
        return m_base + offset;
    }
    // A 32-bit relative displacement from the end of a 5-byte branch at 'at' to 'to'.
    static std::vector<BYTE> Rel32(BYTE op, const BYTE* at, const void* to)
    {
        const LONG d = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(to) - reinterpret_cast<ULONG_PTR>(at + 5));
        std::vector<BYTE> v{op, 0, 0, 0, 0};
        std::memcpy(&v[1], &d, 4);
        return v;
    }
    void Seal()
    {
        DWORD old = 0;
        VirtualProtect(m_base, 4096, PAGE_EXECUTE_READ, &old);
        FlushInstructionCache(GetCurrentProcess(), m_base, 4096);
    }
    BYTE* base() const { return m_base; }

private:
    BYTE* m_base = nullptr;
};

DWORD ProtectionOf(const void* p)
{
    MEMORY_BASIC_INFORMATION mbi{};
    VirtualQuery(p, &mbi, sizeof(mbi));
    return mbi.Protect;
}

LONG HookOne(PVOID* pointer, PVOID detour)
{
    EXPECT_EQ(0, HookTransactionBegin());
    const LONG attach = HookAttach(pointer, detour);
    const LONG commit = HookTransactionCommit();
    return attach ? attach : commit;
}

LONG UnhookOne(PVOID* pointer, PVOID detour)
{
    EXPECT_EQ(0, HookTransactionBegin());
    const LONG detach = HookDetach(pointer, detour);
    const LONG commit = HookTransactionCommit();
    return detach ? detach : commit;
}

int MovedLength(const void* trampoline)
{
    return static_cast<const HookTrampoline*>(trampoline)->movedLength;
}

struct Refused {
    const char* name;
    std::vector<BYTE> code;
};

struct OwnThreadEnlisting {
    DWORD access;  // 0: a duplicate of the pseudo handle with all its rights
    LONG result;
};

// Opens a transaction and enlists its own thread by a real handle; the result of the enlisting.
DWORD WINAPI EnlistOwnThread(LPVOID param)
{
    auto* enlisting = static_cast<OwnThreadEnlisting*>(param);
    HANDLE self = nullptr;
    if (enlisting->access)
        self = OpenThread(enlisting->access, FALSE, GetCurrentThreadId());
    else
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    if (self && HookTransactionBegin() == 0) {
        enlisting->result = HookUpdateThread(self);
        HookTransactionAbort();
    }
    CloseHandle(self);
    return 0;
}

}  // namespace

TEST(HookTransactions, OnlyOneTransactionAtATimeAndOnlyItsOwnerActs)
{
    ASSERT_EQ(0, HookTransactionBegin());
    EXPECT_EQ(ERROR_INVALID_OPERATION, HookTransactionBegin());
    LONG otherBegin = 0;
    LONG otherAttach = 0;
    LONG otherCommit = 0;
    PVOID fn = reinterpret_cast<PVOID>(&ReturnSeven);
    std::thread other([&] {
        otherBegin = HookTransactionBegin();
        otherAttach = HookAttach(&fn, reinterpret_cast<PVOID>(&TimesThree));
        otherCommit = HookTransactionCommit();
    });
    other.join();
    EXPECT_EQ(ERROR_INVALID_OPERATION, otherBegin);
    EXPECT_EQ(ERROR_INVALID_OPERATION, otherAttach);
    EXPECT_EQ(ERROR_INVALID_OPERATION, otherCommit);
    EXPECT_EQ(0, HookTransactionAbort());
    EXPECT_EQ(ERROR_INVALID_OPERATION, HookTransactionAbort());
    EXPECT_EQ(ERROR_INVALID_OPERATION, HookAttach(&fn, reinterpret_cast<PVOID>(&TimesThree)));
}

TEST(HookPrologues, AFiveByteInstructionMovesExactlyFiveBytes)
{
    CodePage page;
    BYTE* f = page.Put(0, {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3});  // mov eax, 42; ret
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_NE(PVOID(f), pointer);
    EXPECT_EQ(5, MovedLength(pointer));
    EXPECT_EQ(0xE9, f[0]);
    EXPECT_EQ(7, reinterpret_cast<IntFn>(f)());
    EXPECT_EQ(42, reinterpret_cast<IntFn>(pointer)());
    EXPECT_EQ(static_cast<DWORD>(PAGE_EXECUTE_READ), ProtectionOf(f));
}

TEST(HookPrologues, AFramePrologueWithAModRmOperandRunsFromTheTrampoline)
{
    CodePage page;
    // push ebp; mov ebp, esp; mov eax, [ebp+8]; pop ebp; ret
    BYTE* f = page.Put(0, {0x55, 0x8B, 0xEC, 0x8B, 0x45, 0x08, 0x5D, 0xC3});
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&TimesThree)));
    EXPECT_EQ(6, MovedLength(pointer));
    EXPECT_EQ(33, reinterpret_cast<ArgFn>(f)(11));
    EXPECT_EQ(11, reinterpret_cast<ArgFn>(pointer)(11));
    EXPECT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&TimesThree)));
    EXPECT_EQ(11, reinterpret_cast<ArgFn>(f)(11));
}

TEST(HookPrologues, ARelativeCallAmongTheMovedBytesStillReachesItsTarget)
{
    CodePage page;
    BYTE* five = page.Put(256, {0xB8, 0x05, 0x00, 0x00, 0x00, 0xC3});  // mov eax, 5; ret
    BYTE* f = page.Put(0, CodePage::Rel32(0xE8, page.base(), five));  // call five
    page.Put(5, {0x40, 0xC3});                                         // inc eax; ret
    const std::vector<BYTE> original(f, f + 7);
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(6, reinterpret_cast<IntFn>(pointer)());
    EXPECT_EQ(7, reinterpret_cast<IntFn>(f)());
    ASSERT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(PVOID(f), pointer);
    EXPECT_EQ(original, std::vector<BYTE>(f, f + 7));
}

TEST(HookPrologues, ANearJumpIsMovedAndStillReachesItsTarget)
{
    CodePage page;
    BYTE* nine = page.Put(256, {0xB8, 0x09, 0x00, 0x00, 0x00, 0xC3});
    BYTE* f = page.Put(0, CodePage::Rel32(0xE9, page.base(), nine));
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(9, reinterpret_cast<IntFn>(pointer)());
    EXPECT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(9, reinterpret_cast<IntFn>(f)());
}

TEST(HookPrologues, AShortJumpOntoANearJumpHooksTheFinalFunction)
{
    CodePage page;
    BYTE* four = page.Put(256, {0xB8, 0x04, 0x00, 0x00, 0x00, 0xC3});
    BYTE* stub = page.Put(0, {0xEB, 0x03, 0xCC, 0xCC, 0xCC});
    page.Put(5, CodePage::Rel32(0xE9, page.base() + 5, four));
    page.Seal();
    PVOID pointer = stub;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(0xE9, four[0]);
    EXPECT_EQ(0xEB, stub[0]);
    EXPECT_EQ(4, reinterpret_cast<IntFn>(pointer)());
    EXPECT_EQ(7, reinterpret_cast<IntFn>(stub)());
    EXPECT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(PVOID(four), pointer);
    EXPECT_EQ(0xB8, four[0]);
}

TEST(HookPrologues, HookingAFunctionWithItselfChangesNothing)
{
    CodePage page;
    BYTE* f = page.Put(0, {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3});
    page.Seal();
    PVOID pointer = f;
    EXPECT_EQ(0, HookOne(&pointer, f));
    EXPECT_EQ(PVOID(f), pointer);
    EXPECT_EQ(0xB8, f[0]);
}

TEST(HookPrologues, ProloguesThatCannotBeMovedExactlyAreRefusedAndLeftAlone)
{
    const Refused cases[] = {
        {"three bytes ending in ret", {0x31, 0xC0, 0xC3}},
        {"short conditional jump", {0x85, 0xC0, 0x74, 0x03, 0x40, 0x40, 0x40, 0xC3}},
        {"short jump to itself", {0x40, 0xEB, 0xFD, 0x90, 0x90, 0x90}},
        {"loop", {0x90, 0xE2, 0xFD, 0x90, 0x90, 0x90}},
        {"jump if ecx is zero", {0xE3, 0x02, 0x90, 0x90, 0x90, 0x90}},
        {"unknown two-byte opcode", {0x0F, 0x04, 0x90, 0x90, 0x90, 0x90}},
        {"unknown one-byte opcode", {0x90, 0xD6, 0x90, 0x90, 0x90, 0x90}},
        {"16-bit near jump", {0x66, 0xE9, 0x10, 0x00, 0x90, 0x90}},
    };
    for (const Refused& c : cases) {
        CodePage page;
        BYTE* f = page.Put(0, c.code);
        const std::vector<BYTE> before(f, f + 16);
        page.Seal();
        PVOID pointer = f;
        ASSERT_EQ(0, HookTransactionBegin()) << c.name;
        EXPECT_EQ(ERROR_INVALID_BLOCK, HookAttach(&pointer, reinterpret_cast<PVOID>(&ReturnSeven))) << c.name;
        EXPECT_EQ(ERROR_INVALID_BLOCK, HookTransactionCommit()) << c.name;
        EXPECT_EQ(PVOID(f), pointer) << c.name;
        EXPECT_EQ(before, std::vector<BYTE>(f, f + 16)) << c.name;
        EXPECT_EQ(static_cast<DWORD>(PAGE_EXECUTE_READ), ProtectionOf(f)) << c.name;
    }
}

TEST(HookRequests, AFailedRequestTurnsTheCommitIntoAnAbort)
{
    CodePage page;
    BYTE* good = page.Put(0, {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3});
    page.Seal();
    PVOID goodPointer = good;
    PVOID nullPointer = nullptr;
    ASSERT_EQ(0, HookTransactionBegin());
    EXPECT_EQ(ERROR_INVALID_HANDLE, HookAttach(nullptr, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(0, HookAttach(&goodPointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(ERROR_INVALID_HANDLE, HookAttach(&nullPointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(ERROR_INVALID_HANDLE, HookUpdateThread(GetCurrentThread()));
    EXPECT_EQ(ERROR_INVALID_HANDLE, HookTransactionCommit());
    EXPECT_EQ(PVOID(good), goodPointer);
    EXPECT_EQ(0xB8, good[0]);
    EXPECT_EQ(static_cast<DWORD>(PAGE_EXECUTE_READ), ProtectionOf(good));
}

TEST(HookRequests, UnhookingWithAnotherReplacementOrANonTrampolineIsRefused)
{
    CodePage page;
    BYTE* f = page.Put(0, {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3});
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    const PVOID trampoline = pointer;
    EXPECT_EQ(ERROR_INVALID_BLOCK, UnhookOne(&pointer, reinterpret_cast<PVOID>(&TimesThree)));
    EXPECT_EQ(trampoline, pointer);
    PVOID notTrampoline = f + 1;
    EXPECT_EQ(ERROR_INVALID_BLOCK, UnhookOne(&notTrampoline, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
}

TEST(HookRequests, RemovalFreesTheTrampolineForTheNextHook)
{
    CodePage page;
    BYTE* f = page.Put(0, {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3});
    page.Seal();
    PVOID pointer = f;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    auto* trampoline = static_cast<const BYTE*>(pointer);
    ASSERT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(0, trampoline[i]) << i;
    ASSERT_EQ(0, HookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    EXPECT_EQ(PVOID(trampoline), pointer);
    EXPECT_EQ(0, UnhookOne(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
}

TEST(HookThreads, AnEnlistedThreadInsideTheMovedBytesIsMovedWithThem)
{
    CodePage page;
    // inc eax five times, then jump back: the thread spins through the bytes that move.
    BYTE* spin = page.Put(0, {0x40, 0x40, 0x40, 0x40, 0x40, 0xEB, 0xF9});
    page.Seal();
    HANDLE thread = CreateThread(nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(spin), nullptr,
                                 CREATE_SUSPENDED, nullptr);
    ASSERT_NE(nullptr, thread);
    CONTEXT ctx{};
    ctx.ContextFlags = CONTEXT_CONTROL;
    ASSERT_TRUE(GetThreadContext(thread, &ctx));
    ctx.Eip = reinterpret_cast<DWORD>(spin + 2);
    ASSERT_TRUE(SetThreadContext(thread, &ctx));

    PVOID pointer = spin;
    ASSERT_EQ(0, HookTransactionBegin());
    EXPECT_EQ(0, HookUpdateThread(thread));
    EXPECT_EQ(0, HookAttach(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    ASSERT_EQ(0, HookTransactionCommit());
    ctx.ContextFlags = CONTEXT_CONTROL;
    ASSERT_TRUE(GetThreadContext(thread, &ctx));
    EXPECT_EQ(reinterpret_cast<DWORD>(pointer) + 2, ctx.Eip);

    ctx.Eip = reinterpret_cast<DWORD>(pointer) + 3;
    ASSERT_TRUE(SetThreadContext(thread, &ctx));
    ASSERT_EQ(0, HookTransactionBegin());
    EXPECT_EQ(0, HookUpdateThread(thread));
    EXPECT_EQ(0, HookDetach(&pointer, reinterpret_cast<PVOID>(&ReturnSeven)));
    ASSERT_EQ(0, HookTransactionCommit());
    ctx.ContextFlags = CONTEXT_CONTROL;
    ASSERT_TRUE(GetThreadContext(thread, &ctx));
    EXPECT_EQ(reinterpret_cast<DWORD>(spin) + 3, ctx.Eip);
    // Still suspended once: the commit resumed only what it suspended. The thread never runs: one ended
    // while starting could hold the loader's lock, and the process would then hang in its exit.
    EXPECT_EQ(1u, SuspendThread(thread));
    TerminateThread(thread, 0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}

// The enlisting thread itself is never suspended, whichever handle names it: also one that may only
// suspend and resume, through which the thread's id cannot be asked.
TEST(HookThreads, ARealHandleOfTheCallingThreadDoesNotSuspendIt)
{
    for (DWORD access : {DWORD{0}, DWORD{THREAD_SUSPEND_RESUME}}) {
        OwnThreadEnlisting enlisting{access, -1};
        HANDLE helper = CreateThread(nullptr, 0, &EnlistOwnThread, &enlisting, 0, nullptr);
        ASSERT_NE(nullptr, helper);
        bool suspendedItself = false;
        // A helper that suspended itself would never end: its suspend count shows it, and it is let go.
        EXPECT_TRUE(WaitUntil([&] {
            if (WaitForSingleObject(helper, 0) == WAIT_OBJECT_0)
                return true;
            const DWORD count = SuspendThread(helper);
            ResumeThread(helper);
            if (count == 0 || count == static_cast<DWORD>(-1))
                return false;
            suspendedItself = true;
            ResumeThread(helper);
            return WaitForSingleObject(helper, 60000) == WAIT_OBJECT_0;
        })) << access;
        EXPECT_FALSE(suspendedItself) << access;
        EXPECT_EQ(0, enlisting.result) << access;
        CloseHandle(helper);
    }
}

TEST(InstructionLengths, EachEncodingIsCopiedWhole)
{
    struct Case {
        std::vector<BYTE> code;
        int length;
    };
    const Case cases[] = {
        {{0x55}, 1},                                                  // push ebp
        {{0x8B, 0xEC}, 2},                                            // mov ebp, esp
        {{0x8B, 0x44, 0x24, 0x04}, 4},                                // mov eax, [esp+4]
        {{0x8B, 0x85, 0x10, 0x00, 0x00, 0x00}, 6},                    // mov eax, [ebp+16]
        {{0x8B, 0x04, 0x25, 0x00, 0x10, 0x00, 0x00}, 7},              // mov eax, [0x1000] through a SIB byte
        {{0x81, 0xEC, 0x00, 0x01, 0x00, 0x00}, 6},                    // sub esp, 256
        {{0x83, 0xEC, 0x10}, 3},                                      // sub esp, 16
        {{0x82, 0xC0, 0x01}, 3},                                      // add al, 1 (group-1 alias)
        {{0x64, 0xA1, 0x18, 0x00, 0x00, 0x00}, 6},                    // mov eax, fs:[0x18]
        {{0x66, 0xB8, 0x01, 0x00}, 4},                                // mov ax, 1
        {{0x0F, 0xB6, 0xC0}, 3},                                      // movzx eax, al
        {{0x0F, 0xC2, 0xC1, 0x01}, 4},                                // cmpltps xmm0, xmm1
        {{0xF7, 0xC1, 0x01, 0x00, 0x00, 0x00}, 6},                    // test ecx, 1
        {{0xF7, 0xD8}, 2},                                            // neg eax
        {{0xF6, 0xC1, 0x01}, 3},                                      // test cl, 1
        {{0xFF, 0x15, 0x00, 0x10, 0x00, 0x00}, 6},                    // call [0x1000]
        {{0xC7, 0x44, 0x24, 0x04, 0x01, 0x00, 0x00, 0x00}, 8},        // mov dword [esp+4], 1
        {{0x6A, 0xFF}, 2},                                            // push -1
        {{0x68, 0x00, 0x10, 0x00, 0x00}, 5},                          // push 0x1000
        {{0xC2, 0x08, 0x00}, 3},                                      // ret 8
    };
    for (const Case& c : cases) {
        std::vector<BYTE> src = c.code;
        src.resize(32, 0x90);
        BYTE dst[32] = {};
        InstructionCopier copier;
        LONG growth = -99;
        const BYTE* next = copier.CopyInstruction(src.data(), &growth, dst);
        EXPECT_EQ(c.length, next - src.data()) << "opcode " << int(c.code[0]);
        EXPECT_EQ(0, growth);
        EXPECT_FALSE(copier.Invalid());
        EXPECT_EQ(0, std::memcmp(dst, c.code.data(), c.code.size()));
    }
}

TEST(InstructionLengths, ANullSourceIsInvalidData)
{
    InstructionCopier copier;
    LONG growth = 0;
    SetLastError(0);
    EXPECT_EQ(nullptr, copier.CopyInstruction(nullptr, &growth, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
}
