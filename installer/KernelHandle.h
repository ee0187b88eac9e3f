// Owns a kernel handle (file, process, snapshot) and closes it on every path. Both failure values
// of the kernel's functions, null and INVALID_HANDLE_VALUE, read as "no handle".
#pragma once

#include <windows.h>

class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~KernelHandle() { if (handle_) CloseHandle(handle_); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
private:
    HANDLE handle_;
};
