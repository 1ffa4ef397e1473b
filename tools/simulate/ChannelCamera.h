#pragma once
// One line-scan camera above one rail: where it looks and how its picture is
// formed. A frame is the rail sampled row by row at chainage positions, so two
// frames that follow each other along the track join without a seam. The
// camera keeps per-column tables for one frame size; render from any number
// of threads (const). Cost: about one table lookup and a multiply per pixel.

#include "RailSurfaceModel.h"
#include "SurfaceTextures.h"

#include <cstdint>
#include <vector>

enum class CameraPosition
{
    Outer,   // field side of the rail
    Centre,
    Inner,   // gauge side
};

struct ChannelGeometry
{
    int railIndex = 0;       // 0 left rail, 1 right rail
    CameraPosition position = CameraPosition::Centre;
};

// The track a frame covers: row r lies at chainage firstRowMm + r * mmPerRow
// (mmPerRow is negative when the kilometres count down).
struct FrameSpan
{
    double firstRowMm = 0.0;
    double mmPerRow = 1.0;
};

class ChannelCamera
{
public:
    ChannelCamera(const ChannelGeometry& geometry, const RailSurfaceModel& rail, const SurfaceTextures& textures,
                  int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const ChannelGeometry& geometry() const { return geometry_; }
    const RailSurfaceModel& rail() const { return rail_; }

    // Renders the frame into `pixels` (rows `stride` bytes apart), defects excluded.
    void renderFrame(const FrameSpan& span, uint8_t* pixels, int stride) const;

    // Frame column of a lateral rail position (reference pixels, + to the field side).
    double columnOfLateral(double lateral) const;
    // Lateral rail position seen by a frame column.
    double lateralOfColumn(int column) const { return lateral_[size_t(column)]; }

private:
    enum Zone : uint8_t { Ground, Head, Face, Shadow, FootEdge };

    void buildColumnTables();
    void renderGround(double mm, bool coarse, uint8_t* row) const;
    void renderFastenings(double mm, const SleeperSpan& sleeper, uint8_t* row) const;
    void renderRail(double mm, bool coarse, const std::vector<RailEnd>& ends, uint8_t* row, std::vector<int>& bandScratch) const;
    void renderRailEndOnFace(double mm, const RailEnd& end, uint8_t* row) const;

    ChannelGeometry geometry_;
    const RailSurfaceModel& rail_;
    const SurfaceTextures& textures_;
    int width_;
    int height_;
    double railCentre_ = 1024.0;   // reference pixels
    int fieldSign_ = -1;           // +1 when the field side is to the image's right
    std::vector<int> reference_;   // reference column of each frame column
    std::vector<double> lateral_;  // lateral position of each frame column
    std::vector<uint8_t> zone_;
    std::vector<int> headShape_;   // head base brightness x 16, edges rolled off
    std::vector<int> faceLevel_;   // face brightness x 16
    int railFirst_ = 0;            // frame columns that can show rail: [railFirst_, railLast_)
    int railLast_ = 0;
};
