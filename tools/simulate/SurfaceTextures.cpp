#include "SurfaceTextures.h"

#include "DeterministicRandom.h"
#include "SmoothStep.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int Size = SurfaceTextures::ReferenceWidth;

// Copies the left half of a tile into its right half, so rows read past the
// reference width continue the same periodic texture.
template <typename T>
void DuplicateHalf(std::vector<T>& tile, int rows)
{
    for (int y = 0; y < rows; ++y) {
        T* row = &tile[size_t(y) * SurfaceTextures::TileWidth];
        std::copy(row, row + Size, row + Size);
    }
}

// Periodic box blur along the track, so grain stays correlated from row to row.
void BlurRowsPeriodic(std::vector<int>& field, int radius)
{
    std::vector<int> column(Size);
    for (int x = 0; x < Size; ++x) {
        for (int y = 0; y < Size; ++y)
            column[y] = field[size_t(y) * Size + x];
        int sum = 0;
        for (int k = -radius; k <= radius; ++k)
            sum += column[(k + Size) % Size];
        for (int y = 0; y < Size; ++y) {
            field[size_t(y) * Size + x] = sum / (2 * radius + 1);
            sum += column[(y + radius + 1) % Size] - column[(y - radius + Size) % Size];
        }
    }
}
}

SurfaceTextures::SurfaceTextures(uint64_t seed)
{
    buildGrain(HashKey(seed, 1));
    buildBallast(HashKey(seed, 2));
    buildStreaks(HashKey(seed, 3));
    buildFastening(HashKey(seed, 4));
}

void SurfaceTextures::buildGrain(uint64_t seed)
{
    SeededRandom random(seed);
    std::vector<int> field(size_t(Size) * Size);
    for (int& value : field)
        value = int(random.next() & 0xFF) - 128;
    // A touch of sideways blur: the sensor's own smear across a row.
    for (int y = 0; y < Size; ++y) {
        int* row = &field[size_t(y) * Size];
        int previous = row[Size - 1];
        const int first = row[0];
        for (int x = 0; x < Size; ++x) {
            const int next = x + 1 < Size ? row[x + 1] : first;
            const int current = row[x];
            row[x] = (previous + 2 * current + next) / 4;
            previous = current;
        }
    }
    BlurRowsPeriodic(field, 1);
    // Mottling a few millimetres across: patches of rust, scale and polish.
    constexpr int KnotsAcross = Size / 16, KnotsAlong = Size / 32;
    std::vector<double> knots(size_t(KnotsAcross) * KnotsAlong);
    for (double& knot : knots)
        knot = random.range(-1.0, 1.0);
    grain_.assign(size_t(TileWidth) * TileRows, 0);
    coarseGrain_.assign(size_t(TileWidth) * TileRows, 0);
    for (int y = 0; y < Size; ++y) {
        const int ky = y / 32;
        const double ty = SmoothStep(0.0, 1.0, (y % 32) / 32.0);
        for (int x = 0; x < Size; ++x) {
            const int kx = x / 16;
            const double tx = SmoothStep(0.0, 1.0, (x % 16) / 16.0);
            auto knot = [&](int i, int j) { return knots[size_t((j % KnotsAlong) * KnotsAcross + (i % KnotsAcross))]; };
            const double top = knot(kx, ky) * (1 - tx) + knot(kx + 1, ky) * tx;
            const double bottom = knot(kx, ky + 1) * (1 - tx) + knot(kx + 1, ky + 1) * tx;
            const double mottle = 45.0 * (top * (1 - ty) + bottom * ty);
            grain_[size_t(y) * TileWidth + x] = int8_t(std::clamp(int(field[size_t(y) * Size + x] * 1.4 + mottle), -110, 110));
            coarseGrain_[size_t(y) * TileWidth + x] = int8_t(std::lround(mottle * 1.5));
        }
    }
    // Pits: tiny dark holes in the steel, marked with the one value grain never takes.
    for (int pit = 0; pit < 450; ++pit) {
        const int cx = random.below(Size), cy = random.below(Size), radius = 1 + random.below(3);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius * 2; dx <= radius * 2; ++dx)
                if (dx * dx + 4 * dy * dy <= 4 * radius * radius)
                    grain_[size_t((cy + dy + Size) % Size) * TileWidth + size_t((cx + dx + Size) % Size)] = PitGrain;
    }
    DuplicateHalf(grain_, TileRows);
    DuplicateHalf(coarseGrain_, TileRows);
}

void SurfaceTextures::buildBallast(uint64_t seed)
{
    SeededRandom random(seed);
    std::vector<float> level(size_t(Size) * Size, 0.0f);
    // Stones overlap; later ones lie on top. Each is an irregular ellipse lit
    // from one side, its rim darker than its crown.
    const int stones = 700;
    for (int i = 0; i < stones; ++i) {
        const double cx = random.range(0, Size), cy = random.range(0, Size);
        const double rx = random.range(22, 80), ry = rx * random.range(0.5, 0.95);
        const double angle = random.range(0, M_PI);
        const double crown = random.range(1.0, 5.0);
        const double lobeA = random.range(-0.16, 0.16), lobeB = random.range(-0.12, 0.12);
        const double ca = std::cos(angle), sa = std::sin(angle);
        const int reach = int(rx * 1.25) + 1;
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                const double u = (dx * ca + dy * sa) / rx, v = (-dx * sa + dy * ca) / ry;
                const double radius = std::sqrt(u * u + v * v);
                if (radius >= 1.3)
                    continue;
                // Lumpy outline from the direction's cosine and sine, without trigonometry.
                const double c = radius > 0.0 ? u / radius : 1.0, s = radius > 0.0 ? v / radius : 0.0;
                const double edge = 1.0 + lobeA * (4 * c * c * c - 3 * c) + lobeB * 2 * s * c;
                if (radius >= edge)
                    continue;
                const double inside = 1.0 - radius / edge;
                const double light = 0.55 + 0.45 * SmoothStep(0.0, 0.5, inside) - 0.25 * (u + v) * 0.5;
                const int x = int(cx + dx + Size) % Size, y = int(cy + dy + Size) % Size;
                level[size_t(y) * Size + x] = float(crown * std::max(0.2, light));
            }
        }
    }
    ballast_.assign(size_t(TileWidth) * TileRows, 0);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double speckle = double(int(random.next() & 0xFF) - 128) / 128.0;
            const double value = level[size_t(y) * Size + x] * (1.0 + 0.35 * speckle) + 0.45 + 0.4 * speckle;
            ballast_[size_t(y) * TileWidth + x] = uint8_t(std::clamp(std::lround(value), 0l, 255l));
        }
    }
    DuplicateHalf(ballast_, TileRows);
}

void SurfaceTextures::buildStreaks(uint64_t seed)
{
    SeededRandom random(seed);
    streaks_.assign(size_t(TileWidth) * StreakPatterns, 0);
    const int spacings[] = {3, 11, 41};
    const double amplitudes[] = {30, 34, 26};
    for (int p = 0; p < StreakPatterns; ++p) {
        std::vector<double> sum(Size, 0.0);
        for (int octave = 0; octave < 3; ++octave) {
            const int spacing = spacings[octave];
            const int knots = Size / spacing + 2;
            std::vector<double> knot(knots);
            for (double& k : knot)
                k = random.range(-1.0, 1.0);
            for (int x = 0; x < Size; ++x) {
                const int i = x / spacing;
                const double t = SmoothStep(0.0, 1.0, double(x % spacing) / spacing);
                sum[x] += amplitudes[octave] * (knot[i] * (1 - t) + knot[(i + 1) % knots] * t);
            }
        }
        int8_t* row = &streaks_[size_t(p) * TileWidth];
        for (int x = 0; x < Size; ++x)
            row[x] = int8_t(std::clamp(std::lround(sum[x]), -120l, 120l));
        std::copy(row, row + Size, row + Size);
    }
}

void SurfaceTextures::buildFastening(uint64_t seed)
{
    // Drawn for the right-hand side of a rail (x grows away from the rail);
    // the camera mirrors it for the other side.
    SeededRandom random(seed);
    fastening_.assign(size_t(FasteningWidth) * FasteningRows, 0);
    const double midY = FasteningRows / 2.0;
    for (int y = 0; y < FasteningRows; ++y) {
        for (int x = 0; x < FasteningWidth; ++x) {
            const double grain = random.range(-1.0, 1.0);
            double value = 0.0;
            // Base plate under the clip, slightly lighter than the sleeper.
            if (x < 470 && std::abs(y - midY) < 100)
                value = 4.2;
            // The elastic clip: a bright loop around a dark eye.
            const double u = (x - 235.0) / 165.0, v = (y - midY) / 62.0;
            const double r = std::sqrt(u * u + v * v);
            if (r < 1.0) {
                const double ring = std::exp(-std::pow((r - 0.78) / 0.12, 2.0));
                value = 2.0 + 9.5 * ring + 3.5 * std::exp(-std::pow(r / 0.22, 2.0));
            }
            // Insulator bar at the outer end of the clip.
            if (x >= 455 && x < 478 && std::abs(y - midY) < 58)
                value = 10.5 - 2.0 * std::abs(y - midY) / 58.0;
            if (value > 0.0)
                fastening_[size_t(y) * FasteningWidth + x] = uint8_t(std::clamp(std::lround(value * (1.0 + 0.25 * grain)), 1l, 255l));
        }
    }
}
