#pragma once
// The steps that fill one frame slot: reserving its buffers, reading the
// frame's JPEG through the reader, decoding it bottom-up into Pixels,
// building the staging bitmap and uploading it to the slot's texture, and
// giving the slot's memory back. Also the full-frame grey decode behind
// GetFrameGray.
//
// Threads: any; the caller holds the slot's lock. Cost: a read, a decode and
// a copy of the rows per load. Errors: false with the slot left invalid (the
// caller marks it valid only after every step succeeded); `error` says why.

#include "CFrameSlot.h"
#include "LumetraImageApi.h"
#include "TrackPalette.h"

#include <cstddef>
#include <string>

class IDataReaderInterface;

// Bytes reserved for each of a slot's three buffers: the padded rows of a
// frame plus 1536, which also holds the bitmap's header and palette.
LUMETRAIMAGE_API size_t FrameSlotBufferBytes(int frameWidth, int frameHeight);
// A frame size a track can hold: positive, at most 65535 on each side (the
// JPEG limit) and small enough that every byte count fits an int.
LUMETRAIMAGE_API bool IsUsableFrameSize(int frameWidth, int frameHeight);

// Zeroes the slot and reserves its buffers (no pages yet); false when the
// system refuses, with nothing kept.
bool ReserveFrameSlot(CFrameSlot& slot, int frameWidth, int frameHeight);
// Frees the buffers and zeroes the sizes; the texture is the caller's.
void FreeFrameSlot(CFrameSlot& slot);
// Hands the pages of Pixels, Image and Jpeg back and resets the texture; the
// slot becomes invalid with FrameNo 0.
void GiveBackFrameSlot(CFrameSlot& slot);

// ReadFrame of slot.FrameNo into Jpeg (with its kilometre and metre).
bool ReadSlotFrame(CFrameSlot& slot, IDataReaderInterface& reader, std::string* error);
// Decodes Jpeg into Pixels, bottom row first. Refuses a frame with more than
// one component or larger than maxWidth x maxHeight before writing a byte.
bool DecodeSlotFrame(CFrameSlot& slot, int maxWidth, int maxHeight, std::string* error);
// Builds the staging Image from Pixels with the palette and flip, uploads it
// to the texture and discards the Image's pages. True without a texture.
bool UploadSlotBitmap(CFrameSlot& slot, const TrackPalette& palette, bool flipped, std::string* error);

// Copies the slot's decoded rows (bottom row first) into `raster` top row
// first, when the slot holds a decoded frame of exactly the raster's size;
// false (raster untouched) otherwise.
bool CopySlotFrameGray(const CFrameSlot& slot, FrameRaster& raster);

// Decodes a whole frame (at most maxWidth x maxHeight) and resamples it by
// nearest neighbour into `raster`, which already has its size and stride.
bool DecodeFrameGrayInto(const uint8_t* jpeg, size_t bytes, int maxWidth, int maxHeight, FrameRaster& raster,
                         std::string* error);
