// Times the package check's hashing (MD5 of a file, as lower-case text) on the file named by the
// first argument; prints "<seconds> <digest>" for bench/md5.sh to compare with md5sum.
#include <windows.h>

#include <cstdio>

#include "HashFile.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: md5_bench <file>\n");
        return 2;
    }
    HashRequest request;
    request.algorithm = 5;
    request.inputKind = 2;
    request.outputFormat = 1;
    request.path = argv[1];
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    CStringA digest;
    HashFile(request, digest);
    QueryPerformanceCounter(&end);
    std::printf("%.3f %s\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart, digest.GetString());
    return digest.IsEmpty() ? 1 : 0;
}
