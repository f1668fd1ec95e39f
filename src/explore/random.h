// SPDX-License-Identifier: MIT
// Random draws that are the same on every build: a generator and draws written with integer and
// exactly rounded arithmetic only, so a seed gives the same numbers on the desktop, the command
// line and the page (the standard library's distributions differ between implementations).
#pragma once

#include <array>
#include <cstdint>

namespace zorbal::explore {

/// SplitMix64: a 64-bit state advanced by a fixed odd constant and mixed; used to spread a seed
/// over the state of the main generator.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();

  private:
    std::uint64_t m_state;
};

/// xoshiro256**: 256 bits of state, 64-bit outputs, period 2^256 - 1.
class Xoshiro256 {
  public:
    /// The state is four outputs of SplitMix64(seed), never all zero.
    explicit Xoshiro256(std::uint64_t seed);
    /// The state given word for word; it must not be all zero.
    explicit Xoshiro256(const std::array<std::uint64_t, 4>& state) : m_s(state) {}
    std::uint64_t next();

  private:
    std::array<std::uint64_t, 4> m_s{};
};

/// The generator of input box `input` in run `run` of a scatter seeded with `seed`: a stream of
/// its own, so a draw depends neither on which thread flies the run, nor on how many runs there
/// are, nor on which other inputs are drawn.
Xoshiro256 drawGenerator(std::uint64_t seed, std::uint64_t run, int input);

/// A uniform draw from [-1, 1): the top 53 bits of one output as a multiple of 2^-52, less 1.
double uniformDraw(Xoshiro256& generator);

/// A draw of mean 0 and standard deviation 1, close to normal: the sum of twelve uniform draws
/// from [0, 1) (the top 32 bits of twelve outputs), less 6. Exact in doubles; never beyond 6.
double normalDraw(Xoshiro256& generator);

} // namespace zorbal::explore
