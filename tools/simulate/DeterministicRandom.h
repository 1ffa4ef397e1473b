#pragma once
// Seeded randomness for the simulator. Everything drawn is a pure function of
// the seed and a key (a feature's index, a pixel's position), so a picture is
// the same whichever frame, thread or order asks for it. Any thread; no state
// beyond the generator object itself.

#include <cstdint>

inline uint64_t MixBits(uint64_t value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

inline uint64_t HashKey(uint64_t seed, uint64_t a, uint64_t b = 0, uint64_t c = 0)
{
    return MixBits(MixBits(MixBits(seed ^ MixBits(a)) ^ b) ^ c);
}

// A value in [0, 1) from a hash.
inline double UnitFromHash(uint64_t hash)
{
    return double(hash >> 11) * (1.0 / 9007199254740992.0);
}

// A small sequential generator for building one feature or one texture.
class SeededRandom
{
public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        state_ += 0x9E3779B97F4A7C15ull;
        return MixBits(state_);
    }
    double unit() { return UnitFromHash(next()); }
    double range(double low, double high) { return low + (high - low) * unit(); }
    int below(int count) { return int(next() % uint64_t(count)); }
    bool chance(double probability) { return unit() < probability; }

private:
    uint64_t state_;
};
