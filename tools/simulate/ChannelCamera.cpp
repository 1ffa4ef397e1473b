#include "ChannelCamera.h"

#include "DeterministicRandom.h"
#include "SmoothStep.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int ReferenceWidth = SurfaceTextures::ReferenceWidth;
constexpr double FaceWidthOffCentre = 200.0;  // rail side seen by an outer or inner camera
constexpr double FaceWidthCentre = 80.0;
constexpr double ShadowWidth = 40.0;
constexpr double FootEdgeWidth = 6.0;
constexpr double FasteningStart = 340.0;      // lateral reference pixels from the head centre
constexpr int BandKeyMm = 16;                 // band profile recomputed every 16 mm of chainage
constexpr int Fixed = 16;                     // brightness tables hold grey x 16

uint8_t ClampGrey(int value) { return uint8_t(std::clamp(value, 0, 255)); }
}

ChannelCamera::ChannelCamera(const ChannelGeometry& geometry, const RailSurfaceModel& rail,
                             const SurfaceTextures& textures, int width, int height)
    : geometry_(geometry), rail_(rail), textures_(textures), width_(width), height_(height)
{
    fieldSign_ = geometry.railIndex == 0 ? -1 : 1;
    // An outer camera sits on the field side and sees that side of the rail,
    // so the rail moves towards the gauge in its picture; an inner one mirrors it.
    double shift = 0.0;
    if (geometry.position == CameraPosition::Outer)
        shift = -fieldSign_ * 260.0;
    else if (geometry.position == CameraPosition::Inner)
        shift = fieldSign_ * 260.0;
    railCentre_ = ReferenceWidth / 2.0 + shift;
    buildColumnTables();
}

double ChannelCamera::columnOfLateral(double lateral) const
{
    return (railCentre_ + lateral * fieldSign_) * width_ / ReferenceWidth;
}

void ChannelCamera::buildColumnTables()
{
    const bool seesField = geometry_.position != CameraPosition::Inner;
    const bool seesGauge = geometry_.position != CameraPosition::Outer;
    const double faceWidth = geometry_.position == CameraPosition::Centre ? FaceWidthCentre : FaceWidthOffCentre;
    // The head edge nearer the camera is crisp; the far one curves away.
    const double fieldRoll = geometry_.position == CameraPosition::Outer ? 6.0 : geometry_.position == CameraPosition::Inner ? 30.0 : 14.0;
    const double gaugeRoll = geometry_.position == CameraPosition::Inner ? 6.0 : geometry_.position == CameraPosition::Outer ? 30.0 : 14.0;
    const double head = RailSurfaceModel::HeadHalfWidth;

    reference_.resize(size_t(width_));
    lateral_.resize(size_t(width_));
    zone_.assign(size_t(width_), Ground);
    headShape_.assign(size_t(width_), 0);
    faceLevel_.assign(size_t(width_), 0);
    railFirst_ = width_;
    railLast_ = 0;
    for (int x = 0; x < width_; ++x) {
        const double position = (x + 0.5) * ReferenceWidth / width_;
        reference_[size_t(x)] = std::clamp(int(position), 0, ReferenceWidth - 1);
        const double lateral = (position - railCentre_) * fieldSign_;
        lateral_[size_t(x)] = lateral;
        const double distance = std::abs(lateral);
        const bool fieldSide = lateral > 0.0;
        const bool visibleSide = fieldSide ? seesField : seesGauge;
        Zone zone = Ground;
        if (distance <= head) {
            zone = Head;
            const double roll = fieldSide ? fieldRoll : gaugeRoll;
            headShape_[size_t(x)] = int(Fixed * 36.0 * SmoothStep(head, head - roll, distance));
        } else if (visibleSide && distance <= head + faceWidth) {
            zone = Face;
            faceLevel_[size_t(x)] = int(Fixed * (10.0 - 4.0 * (distance - head) / faceWidth));
        } else if (visibleSide && distance <= head + faceWidth + FootEdgeWidth) {
            zone = FootEdge;
        } else if (!visibleSide && distance <= head + ShadowWidth) {
            // Light scattered off the head's curved edge, dying away into shadow.
            zone = Shadow;
            faceLevel_[size_t(x)] = int(Fixed * (1.0 + 14.0 * std::exp(-(distance - head) / 9.0)));
        }
        zone_[size_t(x)] = zone;
        if (zone != Ground) {
            railFirst_ = std::min(railFirst_, x);
            railLast_ = std::max(railLast_, x + 1);
        }
    }
}

void ChannelCamera::renderFrame(const FrameSpan& span, uint8_t* pixels, int stride) const
{
    // Pixels of several millimetres average the fine grain away.
    const bool coarse = width_ * 4 <= ReferenceWidth || std::abs(span.mmPerRow) >= 4.0;
    const double lastMm = span.firstRowMm + span.mmPerRow * (height_ - 1);
    const std::vector<RailEnd> ends =
        rail_.railEndsBetween(std::min(span.firstRowMm, lastMm) - 400.0, std::max(span.firstRowMm, lastMm) + 400.0);
    std::vector<int> bandScratch;
    for (int y = 0; y < height_; ++y) {
        const double mm = span.firstRowMm + span.mmPerRow * y;
        uint8_t* row = pixels + size_t(y) * size_t(stride);
        renderGround(mm, coarse, row);
        renderRail(mm, coarse, ends, row, bandScratch);
    }
}

void ChannelCamera::renderGround(double mm, bool coarse, uint8_t* row) const
{
    const SleeperSpan sleeper = rail_.nearestSleeper(mm);
    const double fromCentre = mm - sleeper.centreMm;
    if (std::abs(fromCentre) <= sleeper.halfLengthMm) {
        // Concrete: flat and a little lighter than the ballast, its arrises
        // catching the light.
        const int64_t row64 = int64_t(std::floor(mm)) + 977;
        const int8_t* grain = (coarse ? textures_.coarseGrainRow(row64) : textures_.grainRow(row64)) + 1031;
        const int level = std::abs(fromCentre) > sleeper.halfLengthMm - 7.0 ? 7 * Fixed : 5 * Fixed;
        for (int x = 0; x < width_; ++x)
            row[x] = ClampGrey((level + grain[reference_[size_t(x)]] / 6) / Fixed);
    } else {
        // Each bay between two sleepers shows its own stretch of ballast; bays
        // change under a sleeper, where no seam can show.
        const SleeperSpan bay = rail_.sleeperAtOrBefore(mm);
        const uint64_t hash = HashKey(rail_.seed(), 0xBA11A57ull, uint64_t(bay.index));
        const int xOffset = int(hash % ReferenceWidth);
        const int64_t yOffset = int64_t((hash >> 20) % 1300);
        const uint8_t* ballast = textures_.ballastRow(yOffset + int64_t(std::floor(mm - bay.centreMm))) + xOffset;
        for (int x = 0; x < width_; ++x)
            row[x] = ballast[reference_[size_t(x)]];
    }
    if (std::abs(fromCentre) < SurfaceTextures::FasteningRows / 2.0)
        renderFastenings(mm, sleeper, row);
}

void ChannelCamera::renderFastenings(double mm, const SleeperSpan& sleeper, uint8_t* row) const
{
    const int spriteRow = int(std::floor(mm - sleeper.centreMm + SurfaceTextures::FasteningRows / 2.0));
    if (spriteRow < 0 || spriteRow >= SurfaceTextures::FasteningRows)
        return;
    const uint8_t* sprite = textures_.fasteningRow(spriteRow);
    for (int x = 0; x < width_; ++x) {
        const int column = int(std::abs(lateral_[size_t(x)]) - FasteningStart);
        if (column < 0 || column >= SurfaceTextures::FasteningWidth)
            continue;
        if (const uint8_t value = sprite[column])
            row[x] = value;
    }
}

void ChannelCamera::renderRail(double mm, bool coarse, const std::vector<RailEnd>& ends, uint8_t* row, std::vector<int>& band) const
{
    // The running band moves slowly; its profile is recomputed on a fixed
    // chainage grid so that every frame computes the same values.
    const int64_t bandKey = int64_t(std::floor(mm / BandKeyMm));
    if (band.size() != size_t(width_) + 1 || band[size_t(width_)] != int(bandKey)) {
        band.assign(size_t(width_) + 1, 0);
        const double keyMm = double(bandKey * BandKeyMm);
        const double centre = rail_.runningBandCentre(keyMm);
        const double sigma = rail_.runningBandSigma(keyMm);
        for (int x = railFirst_; x < railLast_; ++x) {
            if (zone_[size_t(x)] != Head)
                continue;
            const double offset = (lateral_[size_t(x)] - centre) / sigma;
            band[size_t(x)] = int(Fixed * 56.0 * std::exp(-offset * offset) * headShape_[size_t(x)] / (Fixed * 36.0));
        }
        band[size_t(width_)] = int(bandKey);
    }

    const int gain = int(256.0 * rail_.headGain(mm));
    int firstPattern = 0, secondPattern = 0, weight = 0;
    rail_.streakBlend(mm, &firstPattern, &secondPattern, &weight);
    const int8_t* streakA = textures_.streakPattern(firstPattern);
    const int8_t* streakB = textures_.streakPattern(secondPattern);
    // The grain tile repeats every TileRows millimetres; each repeat is read
    // at another offset, faded in over the last rows of the one before so no
    // seam shows across the head.
    const int64_t cycle = int64_t(std::floor(mm / SurfaceTextures::TileRows));
    const int64_t grainRow = int64_t(std::floor(mm));
    const int8_t* tile = coarse ? textures_.coarseGrainRow(grainRow) : textures_.grainRow(grainRow);
    const int8_t* grain = tile + HashKey(rail_.seed(), 0x6A41ull, uint64_t(cycle)) % ReferenceWidth;
    const int8_t* nextGrain = tile + HashKey(rail_.seed(), 0x6A41ull, uint64_t(cycle + 1)) % ReferenceWidth;
    constexpr int FadeRows = 160;
    const int intoCycle = int(grainRow - cycle * SurfaceTextures::TileRows);
    const int fade = std::max(0, intoCycle - (SurfaceTextures::TileRows - FadeRows)) * 256 / FadeRows;

    const RailEnd* nearEnd = nullptr;
    for (const RailEnd& end : ends)
        if (std::abs(mm - end.atMm) < 330.0)
            nearEnd = &end;

    for (int x = railFirst_; x < railLast_; ++x) {
        const int reference = reference_[size_t(x)];
        const int g = fade == 0 ? grain[reference] : (grain[reference] * (256 - fade) + nextGrain[reference] * fade) >> 8;
        const int lateralIndex = std::clamp(int(lateral_[size_t(x)]) + ReferenceWidth / 2, 0, 2 * ReferenceWidth - 1);
        const int streak = (streakA[lateralIndex] * (256 - weight) + streakB[lateralIndex] * weight) >> 8;
        switch (zone_[size_t(x)]) {
        case Head: {
            const int base = ((headShape_[size_t(x)] + band[size_t(x)]) * gain) >> 8;
            const int value = (base * (1024 + 3 * g + 2 * streak)) >> 14;
            row[x] = ClampGrey(g == SurfaceTextures::PitGrain ? value / 5 : value);
            break;
        }
        case Face:
            row[x] = ClampGrey((faceLevel_[size_t(x)] * (1024 + 3 * g + 3 * streak)) >> 14);
            break;
        case FootEdge:
            row[x] = ClampGrey((15 * 1024 + 40 * g) >> 10);
            break;
        case Shadow:
            row[x] = ClampGrey((faceLevel_[size_t(x)] * (1024 + 2 * g)) >> 14);
            break;
        default:
            break;
        }
    }
    if (nearEnd)
        renderRailEndOnFace(mm, *nearEnd, row);
}

void ChannelCamera::renderRailEndOnFace(double mm, const RailEnd& end, uint8_t* row) const
{
    const double d = mm - end.atMm;
    for (int x = railFirst_; x < railLast_; ++x) {
        const Zone zone = Zone(zone_[size_t(x)]);
        if (zone == Head) {
            int value = row[x];
            if (end.isJoint) {
                // The rail gap, the battered lip of the receiving rail behind it.
                if (std::abs(d) < 4.0)
                    value = 2 + value / 16;
                else if (d >= 4.0 && d < 34.0)
                    value = int(value * (1.0 + 1.1 * (1.0 - (d - 4.0) / 30.0)));
                else if (d > -34.0 && d <= -4.0)
                    value = int(value * 0.8);
            } else {
                // A weld: a band of other steel with its grinding rims.
                if (std::abs(d) < 13.0)
                    value = int(value * 0.82);
                else if (std::abs(d) < 17.0)
                    value = int(value * 1.15);
            }
            row[x] = ClampGrey(value);
        } else if (end.isJoint && (zone == Face || zone == FootEdge) && std::abs(d) < 320.0) {
            // Fishplate along the web with its bolt heads.
            const double across = std::abs(lateral_[size_t(x)]) - RailSurfaceModel::HeadHalfWidth - 70.0;
            int value = 12;
            for (const double boltAt : {-230.0, -80.0, 80.0, 230.0}) {
                const double r = std::hypot(d - boltAt, across);
                if (r < 26.0)
                    value = r < 20.0 ? 24 - int(r / 3.0) : 5;
            }
            row[x] = ClampGrey(value);
        }
    }
}
