#pragma once
// Textures shared by every channel of a run, built once from the seed and then
// only read (any number of threads). They are laid out at the reference camera
// resolution: 2048 pixels across, one row per millimetre of track. Tiles are
// twice as wide as a frame so that a row can start at any offset below
// ReferenceWidth without wrapping. Building costs a few tens of milliseconds.

#include <cstddef>
#include <cstdint>
#include <vector>

class SurfaceTextures
{
public:
    static constexpr int ReferenceWidth = 2048;
    static constexpr int TileWidth = 2 * ReferenceWidth;
    static constexpr int TileRows = 2048;           // period along the track, mm
    static constexpr int StreakPatterns = 16;
    static constexpr int FasteningWidth = 560;      // reference pixels
    static constexpr int FasteningRows = 250;       // mm along the track

    explicit SurfaceTextures(uint64_t seed);

    static constexpr int8_t PitGrain = -128;

    // Fine grain of steel and concrete, signed, about -110 ... 110; PitGrain
    // marks a pit (a small dark hole in the steel).
    const int8_t* grainRow(int64_t row) const { return &grain_[size_t(Wrap(row)) * TileWidth]; }
    // The same surface as a coarse camera pixel sees it: only the mottling,
    // without the grain a pixel of several millimetres averages away.
    const int8_t* coarseGrainRow(int64_t row) const { return &coarseGrain_[size_t(Wrap(row)) * TileWidth]; }
    // Ballast between sleepers: final grey levels (very dark, as lit in the field).
    const uint8_t* ballastRow(int64_t row) const { return &ballast_[size_t(Wrap(row)) * TileWidth]; }
    // Lengthwise wear streaks of a rail head: one signed value per reference pixel.
    const int8_t* streakPattern(int index) const { return &streaks_[size_t(index % StreakPatterns) * TileWidth]; }
    // The fastening seen from above (clip, bolt, pad): grey level, 0 = transparent.
    const uint8_t* fasteningRow(int row) const { return &fastening_[size_t(row) * FasteningWidth]; }

private:
    static int Wrap(int64_t row) { return int(((row % TileRows) + TileRows) % TileRows); }
    void buildGrain(uint64_t seed);
    void buildBallast(uint64_t seed);
    void buildStreaks(uint64_t seed);
    void buildFastening(uint64_t seed);

    std::vector<int8_t> grain_;
    std::vector<int8_t> coarseGrain_;
    std::vector<uint8_t> ballast_;
    std::vector<int8_t> streaks_;
    std::vector<uint8_t> fastening_;
};
