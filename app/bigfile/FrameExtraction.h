#pragma once
// Frames of a channel big file as sizes and grey rasters. Each call fetches
// and gives back its frames itself and decodes with its own codec; the big-file
// reader is safe from several threads, so any thread may call these. Cost: one
// frame fetch plus, for ReadFrameGray, one decode and one resampling pass.

#include "GreyRaster.h"

#include "BimfRecords.h"

class RbimfFile;

// Width and height from the JPEG header of frame 1. 0 without a reader or when
// the frame cannot be fetched, else 1; the outputs are left unset when the
// header cannot be read, so callers should preset them.
int GetFirstFrameSize(RbimfFile* reader, int* width, int* height);

// Frame `frameNumber` resampled (nearest neighbour) to outWidth x outHeight in
// `dest`. `dest` is first made a zero-filled raster of that size when it has
// another size. The 88-byte frame record is copied to `recordCopy` (may be
// null) once the frame is fetched. A frame that cannot be fetched or decoded
// (damaged, colour, oversized) leaves `dest` as it was. An output side above
// kMaxDecodedSide gives an empty `dest`. Returns `dest`.
GreyRaster& ReadFrameGray(RbimfFile* reader, int frameNumber, TrackImageJPG_* recordCopy,
                          int outWidth, int outHeight, GreyRaster& dest);
