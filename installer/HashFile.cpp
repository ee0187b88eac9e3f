// The hashing service: runs one job through the algorithm its id names.
#include "HashFile.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "Crc32Static.h"
#include "GostHash.h"
#include "MD2.h"
#include "MD4.h"
#include "MD5.h"
#include "Sha1.h"
#include "Sha2.h"

namespace {

const int kCrc32 = 1, kGost = 2, kMd2 = 3, kMd4 = 4, kMd5 = 5, kSha1 = 6, kSha2 = 7;
const int kTextInput = 1, kFileInput = 2;
const size_t kFileChunk = 16000;
const size_t kDigestBufferSize = 256;

using FileHandle = std::unique_ptr<FILE, int (*)(FILE*)>;

// The contexts of the digests of ids 2 to 7; a job uses the one its id names.
struct DigestContexts {
    GostHashContext gost;
    CMD2 md2;
    Md4Context md4;
    Md5Context md5;
    Sha1Context sha1;
    Sha2Context sha2;
};

bool InitDigest(int algorithm, int shaBits, DigestContexts& contexts)
{
    switch (algorithm) {
    case kGost: GostHashInit(contexts.gost); return true;
    case kMd2: return true;  // the constructor cleared it
    case kMd4: Md4Init(contexts.md4); return true;
    case kMd5: Md5Init(contexts.md5); return true;
    case kSha1: Sha1Init(contexts.sha1); return true;
    // only bit sizes: a byte size here would show fewer digits than the digest has
    case kSha2: return (shaBits == 256 || shaBits == 384 || shaBits == 512) && Sha2Init(contexts.sha2, shaBits) == 0;
    default: return false;
    }
}

void UpdateDigest(int algorithm, DigestContexts& contexts, const uint8_t* data, size_t length)
{
    switch (algorithm) {
    case kGost: GostHashUpdate(contexts.gost, data, length); break;
    case kMd2: contexts.md2.Update(data, length); break;
    case kMd4: Md4Update(contexts.md4, data, length); break;
    case kMd5: Md5Update(contexts.md5, data, length); break;
    case kSha1: Sha1Update(contexts.sha1, data, length); break;
    case kSha2: Sha2Update(contexts.sha2, data, length); break;
    }
}

// Returns the digest's size in bytes.
size_t FinalDigest(int algorithm, DigestContexts& contexts, uint8_t* digest)
{
    switch (algorithm) {
    case kGost: GostHashFinal(contexts.gost, digest); return 32;
    case kMd2: contexts.md2.Final(digest); return 16;
    case kMd4: Md4Final(contexts.md4, digest); return 16;
    case kMd5: Md5Final(contexts.md5, digest); return 16;
    case kSha1: Sha1Final(contexts.sha1, digest); return 20;
    case kSha2: Sha2Final(contexts.sha2, digest); return contexts.sha2.digestSize;
    default: return 0;
    }
}

FileHandle OpenInputFile(const HashRequest& request)
{
    FILE* file = !request.widePath.IsEmpty() ? _wfopen(request.widePath, L"rb")
                 : !request.path.IsEmpty()   ? std::fopen(request.path, "rb")
                                             : nullptr;
    return FileHandle(file, std::fclose);
}

// Hashes the request's input with one of ids 2 to 7; returns the number of digest bytes to show
// (0 for no result, also when reading the file failed).
size_t ComputeDigest(const HashRequest& request, uint8_t* digest)
{
    if (request.inputKind != kTextInput && request.inputKind != kFileInput)
        return 0;
    FileHandle file(nullptr, std::fclose);
    if (request.inputKind == kFileInput) {
        file = OpenInputFile(request);
        if (!file)
            return 0;
        // MD5 of a file reads 2048-byte chunks and shows nothing for an empty file.
        if (request.algorithm == kMd5)
            return Md5File(file.get(), digest) != 0 && !std::ferror(file.get()) ? 16 : 0;
    }
    auto contexts = std::make_unique<DigestContexts>();
    if (!InitDigest(request.algorithm, request.shaBits, *contexts))
        return 0;
    if (file) {
        std::vector<uint8_t> chunk(kFileChunk);
        size_t got;
        do {
            got = std::fread(chunk.data(), 1, chunk.size(), file.get());
            UpdateDigest(request.algorithm, *contexts, chunk.data(), got);
        } while (got == chunk.size());
        // a read that failed half-way must not pass for the digest of the whole file
        if (std::ferror(file.get()))
            return 0;
    } else {
        const CStringA& text = request.text;
        UpdateDigest(request.algorithm, *contexts, reinterpret_cast<const uint8_t*>(text.GetString()), text.GetLength());
    }
    return FinalDigest(request.algorithm, *contexts, digest);
}

// Every pair of digits followed by one space.
CStringA SpacedPairs(const CStringA& text)
{
    CStringA spaced;
    for (int i = 0; i < text.GetLength(); ++i) {
        spaced += text[i];
        if (i % 2 == 1)
            spaced += ' ';
    }
    return spaced;
}

}  // namespace

HashRequest::HashRequest() : algorithm(6), outputFormat(1), inputKind(1), shaBits(256) {}

const CStringA& HashFile(HashRequest& request, CStringA& result)
{
    result.Empty();
    request.hexText.Empty();
    if (request.algorithm == kCrc32) {
        // CRC-32 reads no file
        uint32_t crc = 0;
        if (request.inputKind == kTextInput) {
            CCrc32Static().TextCrc32(request.text, crc);
            result.Format("%08x", crc);
        }
    } else if (request.algorithm >= kGost && request.algorithm <= kSha2) {
        std::vector<uint8_t> digest(kDigestBufferSize);
        const size_t size = ComputeDigest(request, digest.data());
        for (size_t i = 0; i < size; ++i)
            request.hexText.AppendFormat("%02x", digest[i]);
        result = request.hexText;
    }
    if (request.outputFormat == 2 || request.outputFormat == 4)
        result = SpacedPairs(result);
    if (request.outputFormat == 3 || request.outputFormat == 4)
        result.MakeUpper();
    return result;
}
