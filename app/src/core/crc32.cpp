#include "crc32.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VANTO_CRC_CLMUL 1
#endif

namespace Crc32 {
namespace {

struct Tables
{
    // t[0] is the byte table; t[k][i] advances entry i over k further zero bytes.
    uint32_t t[8][256];
    // x^(2^k) mod P, for the shift operator.
    uint32_t x2n[32];

    Tables()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int j = 0; j < 8; ++j)
                c = (c & 1) ? (c >> 1) ^ Polynomial : c >> 1;
            t[0][i] = c;
        }
        for (int k = 1; k < 8; ++k)
            for (int i = 0; i < 256; ++i)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        uint32_t p = 1u << 30; // x^1 in reflected order
        x2n[0] = p;
        for (int n = 1; n < 32; ++n)
            x2n[n] = p = multiply(p, p);
    }

    // a * b mod P, reflected representation (bit 31 is x^0).
    static uint32_t multiply(uint32_t a, uint32_t b)
    {
        if (a == 0)
            return 0;
        uint32_t m = 1u << 31;
        uint32_t p = 0;
        for (;;) {
            if (a & m) {
                p ^= b;
                if ((a & (m - 1)) == 0)
                    break;
            }
            m >>= 1;
            b = (b & 1) ? (b >> 1) ^ Polynomial : b >> 1;
        }
        return p;
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

inline uint64_t load64(const unsigned char* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    return v;
}

// One slicing-by-8 step: the register absorbs eight bytes.
inline uint32_t step8(const Tables& tb, uint32_t crc, uint64_t word)
{
    const uint32_t lo = uint32_t(word) ^ crc;
    const uint32_t hi = uint32_t(word >> 32);
    return tb.t[7][lo & 0xFF] ^ tb.t[6][(lo >> 8) & 0xFF] ^ tb.t[5][(lo >> 16) & 0xFF] ^
           tb.t[4][lo >> 24] ^ tb.t[3][hi & 0xFF] ^ tb.t[2][(hi >> 8) & 0xFF] ^
           tb.t[1][(hi >> 16) & 0xFF] ^ tb.t[0][hi >> 24];
}

inline uint32_t bytewise(const Tables& tb, uint32_t crc, const unsigned char* p, size_t n)
{
    while (n--)
        crc = tb.t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return crc;
}

inline uint32_t slice8(const Tables& tb, uint32_t crc, const unsigned char* p, size_t n)
{
    while (n >= 8) {
        crc = step8(tb, crc, load64(p));
        p += 8;
        n -= 8;
    }
    return bytewise(tb, crc, p, n);
}

// Below this size the lane set-up and joining do not pay off.
constexpr size_t LaneThreshold = 512;

uint32_t multiplyPoly(uint32_t a, uint32_t b, uint32_t poly)
{
    uint32_t p = 0;
    for (uint32_t m = 1u << 31; m; m >>= 1) {
        if (a & m)
            p ^= b;
        b = (b & 1) ? (b >> 1) ^ poly : b >> 1;
    }
    return p;
}

} // namespace

uint32_t xPowerMod(uint64_t n, uint32_t poly)
{
    uint32_t result = 1u << 31; // x^0
    uint32_t square = 1u << 30; // x^1, squared at each step
    for (; n; n >>= 1) {
        if (n & 1)
            result = multiplyPoly(result, square, poly);
        square = multiplyPoly(square, square, poly);
    }
    return result;
}

const uint32_t* table()
{
    return tables().t[0];
}

uint32_t updateBytewise(uint32_t crc, const void* data, size_t size)
{
    return bytewise(tables(), crc, static_cast<const unsigned char*>(data), size);
}

uint32_t shift(uint32_t crc, size_t bytes)
{
    const Tables& tb = tables();
    // x^(8*bytes) = product of x^(2^k) over the set bits of 8*bytes.
    uint32_t op = 1u << 31; // x^0
    unsigned k = 3;
    for (size_t n = bytes; n; n >>= 1, ++k)
        if (n & 1)
            op = Tables::multiply(tb.x2n[k & 31], op);
    return Tables::multiply(op, crc);
}

uint32_t updatePortable(uint32_t crc, const void* data, size_t size)
{
    const Tables& tb = tables();
    auto p = static_cast<const unsigned char*>(data);
    if (size < LaneThreshold)
        return slice8(tb, crc, p, size);

    // Four lanes over equal parts whose length is a multiple of 8; each lane
    // starts from a zero register (lane 0 from crc), and the registers are
    // joined afterwards: r = shift(r, lane) ^ next. The CRC is linear, so this
    // equals one register running over the whole span.
    const size_t lane = (size / 4) & ~size_t(7);
    const unsigned char* p0 = p;
    const unsigned char* p1 = p + lane;
    const unsigned char* p2 = p + 2 * lane;
    const unsigned char* p3 = p + 3 * lane;
    uint32_t c0 = crc, c1 = 0, c2 = 0, c3 = 0;
    for (size_t i = 0; i < lane; i += 8) {
        c0 = step8(tb, c0, load64(p0 + i));
        c1 = step8(tb, c1, load64(p1 + i));
        c2 = step8(tb, c2, load64(p2 + i));
        c3 = step8(tb, c3, load64(p3 + i));
    }
    // All lanes have the same length, so one shift operator serves all three joins.
    uint32_t op = 1u << 31;
    unsigned k = 3;
    for (size_t n = lane; n; n >>= 1, ++k)
        if (n & 1)
            op = Tables::multiply(tb.x2n[k & 31], op);
    uint32_t r = Tables::multiply(op, c0) ^ c1;
    r = Tables::multiply(op, r) ^ c2;
    r = Tables::multiply(op, r) ^ c3;
    return slice8(tb, r, p + 4 * lane, size - 4 * lane);
}

#ifdef VANTO_CRC_CLMUL
namespace {

// Folding constants: x^(d+32) and x^(d-32) mod P, reflected and moved up one
// bit, for folding distances of 512 bits (four lanes) and 128 bits.
struct FoldConstants
{
    uint64_t k512lo, k512hi, k128lo, k128hi;
    FoldConstants()
        : k512lo(uint64_t(xPowerMod(512 + 32)) << 1), k512hi(uint64_t(xPowerMod(512 - 32)) << 1),
          k128lo(uint64_t(xPowerMod(128 + 32)) << 1), k128hi(uint64_t(xPowerMod(128 - 32)) << 1)
    {}
};

const FoldConstants& foldConstants()
{
    static const FoldConstants k;
    return k;
}

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i x, __m128i k)
{
    // Low half times x^(d+32), high half times x^(d-32).
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

__attribute__((target("pclmul,sse2"))) uint32_t clmulUpdate(uint32_t crc, const unsigned char* p,
                                                            size_t n)
{
    const FoldConstants& fc = foldConstants();
    const __m128i k512 = _mm_set_epi64x(int64_t(fc.k512hi), int64_t(fc.k512lo));
    const __m128i k128 = _mm_set_epi64x(int64_t(fc.k128hi), int64_t(fc.k128lo));

    __m128i x0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    __m128i x2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    __m128i x3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48));
    x0 = _mm_xor_si128(x0, _mm_cvtsi32_si128(int(crc)));
    p += 64;
    n -= 64;
    while (n >= 64) {
        x0 = _mm_xor_si128(fold(x0, k512), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        x1 = _mm_xor_si128(fold(x1, k512),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)));
        x2 = _mm_xor_si128(fold(x2, k512),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32)));
        x3 = _mm_xor_si128(fold(x3, k512),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48)));
        p += 64;
        n -= 64;
    }
    x1 = _mm_xor_si128(fold(x0, k128), x1);
    x2 = _mm_xor_si128(fold(x1, k128), x2);
    x3 = _mm_xor_si128(fold(x2, k128), x3);
    while (n >= 16) {
        x3 = _mm_xor_si128(fold(x3, k128), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        p += 16;
        n -= 16;
    }
    // The remaining 128 bits stand for everything folded so far; the byte
    // table finishes them, then the tail.
    unsigned char rest[16];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(rest), x3);
    const Tables& tb = tables();
    uint32_t c = bytewise(tb, 0, rest, 16);
    return slice8(tb, c, p, n);
}

} // namespace
#endif

bool hasCarrylessMultiply()
{
#ifdef VANTO_CRC_CLMUL
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    return has;
#else
    return false;
#endif
}

uint32_t updateCarryless(uint32_t crc, const void* data, size_t size)
{
#ifdef VANTO_CRC_CLMUL
    if (size >= 128 && hasCarrylessMultiply())
        return clmulUpdate(crc, static_cast<const unsigned char*>(data), size);
#endif
    return updatePortable(crc, data, size);
}

uint32_t update(uint32_t crc, const void* data, size_t size)
{
    return updateCarryless(crc, data, size);
}

} // namespace Crc32
