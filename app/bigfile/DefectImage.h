#pragma once
// Pictures of one defect cut from its channel big file and written as JPEG
// files: the frame around it with the outline, or only its rectangle. Used by
// the defect image export (s = r = 1) and the reports (s = 500 / frame height,
// r = the channel's horizontal ratio). Any thread; cost: one or two frame
// decodes and one encode per picture, with buffers allocated per call.
//
// A frame that cannot be fetched or decoded leaves its part of the picture
// black; the picture is still written. An encoding larger than the output
// buffer (stride x H + 4096 bytes, or 4 x stride x height for a region) writes
// no file at all. Both answer 1, except 0 without a reader or a header, when
// nothing is written.

#include "GreyRaster.h"

#include "ControlRecords.h"

#include <QString>

class RbimfFile;

// Inverts (bitwise complement) the outline of the box: rows y0 and y1 from
// x0 to x1, and columns x0 and x1 from y0 + 2 to y1 - 1. Pixels outside the
// raster are skipped.
void InvertRectOutline(GreyRaster& raster, int x0, int y0, int x1, int y1);

// The defect's frame scaled to W = header width x r x s by H = header height x s;
// a defect that runs over the frame's lower edge is shown vertically centred
// on frame N and N + 1. The outline is drawn when `drawBox` is set. On the
// single-frame path the record's FaultCx and FaultCy are raised to 50.
int SaveDefectImage(RbimfFile* reader, _FAULT_& fault, const QString& path, double s, double r,
                    bool drawBox);

// Only the defect's rectangle, FaultCx x FaultCy after raising both to 50,
// cut at frame pixels (the callers pass s = r = 1); the part outside the
// frame is black.
int SaveDefectRegion(RbimfFile* reader, _FAULT_& fault, const QString& path, double s, double r);
