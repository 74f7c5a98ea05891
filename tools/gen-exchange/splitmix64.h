#pragma once

#include <cmath>
#include <cstdint>

// A small generator of our own so that a seed gives the same file with every compiler and
// standard library: std::uniform_*_distribution are free to differ between them.
class SplitMix64
{
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }

    // Uniform whole number in [lo, hi]; the modulo bias is far below anything a survey shows.
    int between(int lo, int hi)
    {
        if (hi <= lo)
            return lo;
        return lo + int(next() % std::uint64_t(std::int64_t(hi) - lo + 1));
    }

    bool chance(double p) { return uniform() < p; }

    // Standard normal deviate (Box-Muller, one value per call).
    double gaussian()
    {
        const double u1 = 1.0 - uniform(); // (0, 1]: log stays finite
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.141592653589793 * u2);
    }

private:
    std::uint64_t state_;
};
