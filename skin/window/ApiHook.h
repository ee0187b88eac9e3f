// In-process API hooking for 32-bit x86 code. Hook and unhook requests are collected in a
// transaction, owned by the thread that began it, and applied at once by the commit: a hooked
// function's first instructions are replaced by a jump to the replacement and moved into a
// trampoline, through which the caller's pointer variable still reaches the function's own code.
// Results are Windows error codes: 0 on success; 4317 (ERROR_INVALID_OPERATION) without a
// transaction of the calling thread; 6, 8, 9 and 13 for the failures of the requests.
#pragma once

#include <windows.h>

LONG HookTransactionBegin();
// Enlists a thread to stay suspended until the commit or abort; a handle of the calling thread (its
// pseudo handle or a real one) enlists nothing.
LONG HookUpdateThread(HANDLE thread);
// On commit *pointer becomes the trampoline of the hooked function.
LONG HookAttach(PVOID* pointer, PVOID detour);
// On commit *pointer becomes the function again and its original bytes are back.
LONG HookDetach(PVOID* pointer, PVOID detour);
LONG HookTransactionCommit();
LONG HookTransactionAbort();
