// SPDX-License-Identifier: MIT
// The reproducible generator and its draws.
#include "explore/random.h"

namespace zorbal::explore {

namespace {

constexpr std::uint64_t rotateLeft(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

std::uint64_t SplitMix64::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

Xoshiro256::Xoshiro256(std::uint64_t seed) {
    SplitMix64 spread(seed);
    for (auto& word : m_s)
        word = spread.next();
    // SplitMix64 never gives four zeros in a row, but the state must never be all zero.
    if ((m_s[0] | m_s[1] | m_s[2] | m_s[3]) == 0)
        m_s[0] = 1;
}

std::uint64_t Xoshiro256::next() {
    const std::uint64_t result = rotateLeft(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = rotateLeft(m_s[3], 45);
    return result;
}

Xoshiro256 drawGenerator(std::uint64_t seed, std::uint64_t run, int input) {
    // The seed, the run and the input mixed one after the other into a 64-bit seed of their own.
    const std::uint64_t bySeed = SplitMix64(seed).next();
    const std::uint64_t byRun = SplitMix64(bySeed ^ run).next();
    return Xoshiro256(SplitMix64(byRun ^ static_cast<std::uint64_t>(input)).next());
}

double uniformDraw(Xoshiro256& generator) {
    // 53 bits fit a double exactly; dividing by a power of two and subtracting 1 are exact.
    const auto bits = static_cast<double>(generator.next() >> 11);
    return bits / 4503599627370496.0 - 1.0; // 2^52
}

double normalDraw(Xoshiro256& generator) {
    // Twelve 32-bit integers sum to less than 2^36: exact in a 64-bit integer and in a double.
    std::uint64_t sum = 0;
    for (int k = 0; k < 12; ++k)
        sum += generator.next() >> 32;
    return static_cast<double>(sum) / 4294967296.0 - 6.0; // 2^32
}

} // namespace zorbal::explore
