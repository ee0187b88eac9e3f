// SHA-2 family (FIPS 180). SHA-256 runs on 32-bit words, SHA-384/512 on 64-bit words; both share
// one compression template. SHA-256's constants are the upper halves of SHA-512's.
#include "Sha2.h"

namespace {

// First 64 bits of the fractional parts of the cube roots of the first 80 primes.
const uint64_t kRoundConstants[80] = {
    0x428a2f98d728ae22ULL, 0x7137449123ef65cdULL, 0xb5c0fbcfec4d3b2fULL, 0xe9b5dba58189dbbcULL,
    0x3956c25bf348b538ULL, 0x59f111f1b605d019ULL, 0x923f82a4af194f9bULL, 0xab1c5ed5da6d8118ULL,
    0xd807aa98a3030242ULL, 0x12835b0145706fbeULL, 0x243185be4ee4b28cULL, 0x550c7dc3d5ffb4e2ULL,
    0x72be5d74f27b896fULL, 0x80deb1fe3b1696b1ULL, 0x9bdc06a725c71235ULL, 0xc19bf174cf692694ULL,
    0xe49b69c19ef14ad2ULL, 0xefbe4786384f25e3ULL, 0x0fc19dc68b8cd5b5ULL, 0x240ca1cc77ac9c65ULL,
    0x2de92c6f592b0275ULL, 0x4a7484aa6ea6e483ULL, 0x5cb0a9dcbd41fbd4ULL, 0x76f988da831153b5ULL,
    0x983e5152ee66dfabULL, 0xa831c66d2db43210ULL, 0xb00327c898fb213fULL, 0xbf597fc7beef0ee4ULL,
    0xc6e00bf33da88fc2ULL, 0xd5a79147930aa725ULL, 0x06ca6351e003826fULL, 0x142929670a0e6e70ULL,
    0x27b70a8546d22ffcULL, 0x2e1b21385c26c926ULL, 0x4d2c6dfc5ac42aedULL, 0x53380d139d95b3dfULL,
    0x650a73548baf63deULL, 0x766a0abb3c77b2a8ULL, 0x81c2c92e47edaee6ULL, 0x92722c851482353bULL,
    0xa2bfe8a14cf10364ULL, 0xa81a664bbc423001ULL, 0xc24b8b70d0f89791ULL, 0xc76c51a30654be30ULL,
    0xd192e819d6ef5218ULL, 0xd69906245565a910ULL, 0xf40e35855771202aULL, 0x106aa07032bbd1b8ULL,
    0x19a4c116b8d2d0c8ULL, 0x1e376c085141ab53ULL, 0x2748774cdf8eeb99ULL, 0x34b0bcb5e19b48a8ULL,
    0x391c0cb3c5c95a63ULL, 0x4ed8aa4ae3418acbULL, 0x5b9cca4f7763e373ULL, 0x682e6ff3d6b2b8a3ULL,
    0x748f82ee5defb2fcULL, 0x78a5636f43172f60ULL, 0x84c87814a1f0ab72ULL, 0x8cc702081a6439ecULL,
    0x90befffa23631e28ULL, 0xa4506cebde82bde9ULL, 0xbef9a3f7b2c67915ULL, 0xc67178f2e372532bULL,
    0xca273eceea26619cULL, 0xd186b8c721c0c207ULL, 0xeada7dd6cde0eb1eULL, 0xf57d4f7fee6ed178ULL,
    0x06f067aa72176fbaULL, 0x0a637dc5a2c898a6ULL, 0x113f9804bef90daeULL, 0x1b710b35131c471bULL,
    0x28db77f523047d84ULL, 0x32caab7b40c72493ULL, 0x3c9ebe0a15c9bebcULL, 0x431d67c49c100d4cULL,
    0x4cc5d4becb3e42b6ULL, 0x597f299cfc657e2aULL, 0x5fcb6fab3ad6faecULL, 0x6c44198c4a475817ULL,
};

// First 64 bits of the fractional parts of the square roots of the first eight primes
// (SHA-512; SHA-256 takes the upper halves) and of the ninth to sixteenth primes (SHA-384).
const uint64_t kInitial512[8] = {
    0x6a09e667f3bcc908ULL, 0xbb67ae8584caa73bULL, 0x3c6ef372fe94f82bULL, 0xa54ff53a5f1d36f1ULL,
    0x510e527fade682d1ULL, 0x9b05688c2b3e6c1fULL, 0x1f83d9abfb41bd6bULL, 0x5be0cd19137e2179ULL,
};
const uint64_t kInitial384[8] = {
    0xcbbb9d5dc1059ed8ULL, 0x629a292a367cd507ULL, 0x9159015a3070dd17ULL, 0x152fecd8f70e5939ULL,
    0x67332667ffc00b31ULL, 0x8eb44a8768581511ULL, 0xdb0c2e0d64f98fa7ULL, 0x47b5481dbefa4fa4ULL,
};

// Rotation and shift amounts of the four mixing functions and the round count per word size.
template <typename Word>
struct Sha2Shape;

template <>
struct Sha2Shape<uint32_t> {
    static constexpr int rounds = 64;
    static constexpr unsigned sum0[3] = {2, 13, 22}, sum1[3] = {6, 11, 25};
    static constexpr unsigned sigma0[3] = {7, 18, 3}, sigma1[3] = {17, 19, 10};
    static uint32_t Constant(int t) { return static_cast<uint32_t>(kRoundConstants[t] >> 32); }
};

template <>
struct Sha2Shape<uint64_t> {
    static constexpr int rounds = 80;
    static constexpr unsigned sum0[3] = {28, 34, 39}, sum1[3] = {14, 18, 41};
    static constexpr unsigned sigma0[3] = {1, 8, 7}, sigma1[3] = {19, 61, 6};
    static uint64_t Constant(int t) { return kRoundConstants[t]; }
};

template <typename Word>
Word RotateRight(Word value, unsigned bits)
{
    return (value >> bits) | (value << (8 * sizeof(Word) - bits));
}

// Big sigma: three rotations; small sigma: two rotations and a shift.
template <typename Word>
Word Sum(Word x, const unsigned (&bits)[3])
{
    return RotateRight(x, bits[0]) ^ RotateRight(x, bits[1]) ^ RotateRight(x, bits[2]);
}

template <typename Word>
Word Sigma(Word x, const unsigned (&bits)[3])
{
    return RotateRight(x, bits[0]) ^ RotateRight(x, bits[1]) ^ (x >> bits[2]);
}

template <typename Word>
void Compress(Word state[8], const uint8_t* block)
{
    using Shape = Sha2Shape<Word>;
    Word schedule[80];
    for (int t = 0; t < 16; ++t)
        schedule[t] = static_cast<Word>(LoadBigEndian(block + sizeof(Word) * t, sizeof(Word)));
    for (int t = 16; t < Shape::rounds; ++t)
        schedule[t] = Sigma(schedule[t - 2], Shape::sigma1) + schedule[t - 7] + Sigma(schedule[t - 15], Shape::sigma0)
                      + schedule[t - 16];
    Word v[8];  // a..h
    std::memcpy(v, state, sizeof(v));
    for (int t = 0; t < Shape::rounds; ++t) {
        const Word choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
        const Word majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
        const Word t1 = v[7] + Sum(v[4], Shape::sum1) + choice + Shape::Constant(t) + schedule[t];
        const Word t2 = Sum(v[0], Shape::sum0) + majority;
        std::memmove(v + 1, v, 7 * sizeof(Word));
        v[4] += t1;
        v[0] = t1 + t2;
    }
    for (int i = 0; i < 8; ++i)
        state[i] += v[i];
}

void CompressBlock(Sha2Context& context, const uint8_t* block)
{
    if (context.digestSize == 32)
        Compress(context.state32, block);
    else
        Compress(context.state64, block);
}

}  // namespace

int Sha2Init(Sha2Context& context, int size)
{
    if (size == 256 || size == 384 || size == 512)
        size /= 8;
    if (size != 32 && size != 48 && size != 64)
        return 1;
    context.digestSize = static_cast<size_t>(size);
    const uint64_t* initial = size == 48 ? kInitial384 : kInitial512;
    for (int i = 0; i < 8; ++i) {
        context.state64[i] = initial[i];
        context.state32[i] = static_cast<uint32_t>(kInitial512[i] >> 32);
    }
    context.input.Reset(size == 32 ? 64 : 128);
    return 0;
}

void Sha2Update(Sha2Context& context, const uint8_t* data, size_t length)
{
    context.input.Feed(data, length, [&](const uint8_t* block) { CompressBlock(context, block); });
}

void Sha2Final(Sha2Context& context, uint8_t* digest)
{
    const bool wide = context.digestSize != 32;
    context.input.Finish(wide ? 16 : 8, true, [&](const uint8_t* block) { CompressBlock(context, block); });
    const size_t wordSize = wide ? 8 : 4;
    for (size_t i = 0; i < context.digestSize / wordSize; ++i)
        StoreBigEndian(wide ? context.state64[i] : context.state32[i], digest + wordSize * i, wordSize);
}
