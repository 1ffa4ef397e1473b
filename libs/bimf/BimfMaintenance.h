#pragma once
// Operations beside the reader and the writer, shared by lumetra-bimf, the
// simulator and the program's file verification: copying texts into header
// fields, rebuilding a lost or damaged index, and checking a file's integrity.
// Any thread; failures are answered as stated and explained by
// BIMFLastErrorText() of the calling thread.

#include "BimfApi.h"

#include <cstddef>
#include <cstdint>

// The reason for the last failure on the calling thread (also declared with
// the reader), here for callers that only write.
extern "C" BIMF_API const char* BIMFLastErrorText();

// Reader flag for BIMFReaderReadBimfFileAndIndex: do not verify each frame's
// JPEG checksum when it is fetched (the record checks still run). 0 verifies.
#define BIMF_READ_NO_FRAME_CHECKSUM 1

// Receives one line of a report (UTF-8, no line end).
typedef void (*BimfLineSink)(const char* line, void* context);

// Copies UTF-8 text into a header field of `size` bytes: at most size - 1
// bytes of text, cut only at a character boundary, zero-padded to the end.
// A null text empties the field. Answers the bytes of text copied.
extern "C" BIMF_API size_t BimfCopyText(char* field, size_t size, const char* utf8);

// Rebuilds the index of `dataPath` by scanning its frame records: every
// complete record whose checksums hold is indexed, a damaged record is skipped,
// a damaged tail is left out. The data file's header gets the frame count
// (and, when the writer never finished, the end position and time of the last
// frame). Answers the number of frames indexed, or -1 when the data file
// cannot be read, has no valid header, or a file cannot be written. What was
// skipped is told to `sink` (may be null). Cost: one pass over the data file.
extern "C" BIMF_API int64_t BimfRebuildIndexReport(const char* dataPath, const char* indexPath,
                                                   BimfLineSink sink, void* context);
extern "C" BIMF_API int64_t BIMFRebuildIndex(const char* dataPath, const char* indexPath);

// Checks a data file and its index against each other and against the
// format: header, every record header and JPEG checksum, the order of frame
// numbers, bytes that belong to no record, and every index field. Each
// problem is one line to `sink` (may be null). Answers the number of
// problems, or -1 when the data file cannot be opened or has no valid header
// (nothing else can be checked then). Cost: one pass over both files.
extern "C" BIMF_API int BimfCheckFile(const char* dataPath, const char* indexPath,
                                      BimfLineSink sink, void* context);

// Writes the index path that belongs to `dataPath` (the same path with the
// extension ".dex") into `out` of `size` bytes. Answers 1, or 0 when it does
// not fit.
extern "C" BIMF_API int BimfIndexPathFor(const char* dataPath, char* out, size_t size);
