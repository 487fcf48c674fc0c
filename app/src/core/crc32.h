#pragma once

#include <cstddef>
#include <cstdint>

// The checksum of the installed software: a reflected CRC-32 with the
// polynomial constant 0xE2410503 (not the common 0xEDB88320), register
// preset 0xFFFFFFFF and final inversion. The check value of "123456789" is
// 0xE2246FEE.
namespace Crc32 {

constexpr uint32_t Polynomial = 0xE2410503u;
constexpr uint32_t Initial = 0xFFFFFFFFu;

// The 256-entry table of the byte-at-a-time loop.
const uint32_t* table();

// Advances the raw register over data, one byte at a time (the reference).
uint32_t updateBytewise(uint32_t crc, const void* data, size_t size);

// Same result as updateBytewise, several times faster: four independent
// lanes of slicing-by-8 whose registers are joined by a GF(2) multiplication.
// Plain portable C++, so it runs on the ARM target as well.
uint32_t updatePortable(uint32_t crc, const void* data, size_t size);

// Carry-less-multiply folding where the processor has it (x86 PCLMULQDQ,
// chosen at run time); false from hasCarrylessMultiply() elsewhere, and then
// updateCarryless falls back to updatePortable.
bool hasCarrylessMultiply();
uint32_t updateCarryless(uint32_t crc, const void* data, size_t size);

// The fastest of the above for this processor.
uint32_t update(uint32_t crc, const void* data, size_t size);

// x^n mod P in the reflected representation (bit 31 is x^0).
uint32_t xPowerMod(uint64_t n, uint32_t polynomial = Polynomial);

// Checksum of a whole buffer: update from Initial, then inverted.
inline uint32_t checksum(const void* data, size_t size)
{
    return update(Initial, data, size) ^ 0xFFFFFFFFu;
}

// Register after running `crc` over `bytes` zero bytes (x^(8*bytes) mod P).
uint32_t shift(uint32_t crc, size_t bytes);

} // namespace Crc32
