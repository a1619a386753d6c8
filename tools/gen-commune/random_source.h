// Deterministic pseudo-random numbers for synthetic data: the same seed gives
// the same commune on every compiler and standard library (the standard
// distributions are not portable, so the ranges are computed here).
#pragma once

#include <cstdint>
#include <span>

namespace gencommune {

class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed) : state_(seed) {}

  // SplitMix64: small, fast and well mixed.
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n); n > 0.
  std::int64_t below(std::int64_t n) { return static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(n)); }
  // Uniform in [lo, hi].
  std::int64_t between(std::int64_t lo, std::int64_t hi) { return lo + below(hi - lo + 1); }
  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  bool chance(double p) { return unit() < p; }
  template <typename T>
  const T& pick(std::span<const T> items) { return items[static_cast<std::size_t>(below(static_cast<std::int64_t>(items.size())))]; }
  // Index drawn with the given relative weights.
  std::size_t weighted(std::span<const int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    std::int64_t r = below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
      if (r < weights[i]) return i;
      r -= weights[i];
    }
    return weights.size() - 1;
  }

  // An independent stream for item `index`, so one taxpayer's data do not
  // depend on how many were drawn before it.
  static RandomSource forItem(std::uint64_t seed, std::uint64_t index) {
    RandomSource mix(seed ^ (index * 0xD1B54A32D192ED03ULL));
    mix.next();
    return RandomSource(mix.next());
  }

 private:
  std::uint64_t state_;
};

}  // namespace gencommune
