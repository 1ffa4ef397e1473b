#include "JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return.
// We longjmp back to the call that set `escape`. The functions that call
// setjmp keep only plain C data alive across it, so nothing with a destructor
// is skipped by the jump.
struct ContainedErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void keepFirstMessage(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<ContainedErrorManager*>(cinfo->err);
    if (manager->message[0] == '\0')
        (*cinfo->err->format_message)(cinfo, manager->message);
}

[[noreturn]] void escapeOnFatalError(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<ContainedErrorManager*>(cinfo->err);
    // The fatal reason wins over an earlier warning.
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->escape, 1);
}

// Answers the manager for the codec's `err`.
jpeg_error_mgr* installContainedErrors(ContainedErrorManager* manager)
{
    jpeg_std_error(&manager->pub);
    manager->pub.error_exit = escapeOnFatalError;
    // Warnings and traces go into the message instead of stderr.
    manager->pub.output_message = keepFirstMessage;
    manager->message[0] = '\0';
    return &manager->pub;
}

void setError(std::string* error, const char* text)
{
    if (error)
        *error = text;
}

bool inputUsable(const uint8_t* data, size_t size, std::string* error)
{
    if (data == nullptr || size == 0) {
        setError(error, "no JPEG data");
        return false;
    }
    return true;
}

// Creates the decoder over `data`, reads the header and reports the image in
// `info` (may be null). Only called inside a setjmp frame.
void readHeader(jpeg_decompress_struct* decoder, const uint8_t* data, size_t size, JpegImageInfo* info)
{
    jpeg_create_decompress(decoder);
    jpeg_mem_src(decoder, data, static_cast<unsigned long>(size));
    jpeg_read_header(decoder, TRUE);
    if (info) {
        info->width = static_cast<int>(decoder->image_width);
        info->height = static_cast<int>(decoder->image_height);
        info->components = decoder->num_components;
    }
}

// Header of the stream in `decoder`; false (message set) when the image is
// not one we decode. Only called inside a setjmp frame.
bool acceptDecodeTarget(const jpeg_decompress_struct& decoder, int destStride, int maxWidth,
                        int maxHeight, char* message)
{
    const int width = static_cast<int>(decoder.image_width);
    const int height = static_cast<int>(decoder.image_height);
    if (decoder.num_components != 1) {
        std::snprintf(message, JMSG_LENGTH_MAX, "JPEG has %d components, only greyscale is decoded",
                      decoder.num_components);
        return false;
    }
    if (width > maxWidth || height > maxHeight) {
        std::snprintf(message, JMSG_LENGTH_MAX, "JPEG of %dx%d exceeds the limit %dx%d", width,
                      height, maxWidth, maxHeight);
        return false;
    }
    if (std::abs(destStride) < width) {
        std::snprintf(message, JMSG_LENGTH_MAX, "row stride %d is smaller than the width %d",
                      destStride, width);
        return false;
    }
    return true;
}

// Plain-C core of the decoder; see DecodeJpegGray for the contract.
bool decodeContained(const uint8_t* data, size_t size, uint8_t* dest, int destStride,
                     int maxWidth, int maxHeight, JpegImageInfo* info, char* message)
{
    jpeg_decompress_struct decoder{};
    ContainedErrorManager errors;
    decoder.err = installContainedErrors(&errors);
    if (setjmp(errors.escape)) {
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    readHeader(&decoder, data, size, info);
    if (!acceptDecodeTarget(decoder, destStride, maxWidth, maxHeight, message)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    decoder.out_color_space = JCS_GRAYSCALE;
    jpeg_start_decompress(&decoder);
    // Asking for a whole block row at a time lets libjpeg write straight into
    // the destination instead of through its own one-row buffer.
    constexpr int kRowsPerCall = 16;
    JSAMPROW rows[kRowsPerCall];
    while (decoder.output_scanline < decoder.output_height) {
        const JDIMENSION first = decoder.output_scanline;
        const int count = static_cast<int>(std::min<JDIMENSION>(kRowsPerCall, decoder.output_height - first));
        for (int i = 0; i < count; ++i)
            rows[i] = dest + static_cast<std::ptrdiff_t>(first + i) * destStride;
        jpeg_read_scanlines(&decoder, rows, static_cast<JDIMENSION>(count));
    }
    jpeg_finish_decompress(&decoder);
    // libjpeg pads a truncated or damaged stream and only warns; such a frame
    // would show grey bands, so it counts as a failure.
    const bool clean = errors.pub.num_warnings == 0;
    if (!clean)
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
    jpeg_destroy_decompress(&decoder);
    return clean;
}

bool readHeaderContained(const uint8_t* data, size_t size, JpegImageInfo* info, char* message)
{
    jpeg_decompress_struct decoder{};
    ContainedErrorManager errors;
    decoder.err = installContainedErrors(&errors);
    if (setjmp(errors.escape)) {
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    readHeader(&decoder, data, size, info);
    jpeg_destroy_decompress(&decoder);
    return true;
}

// A destination that grows a vector owned by the caller of the setjmp frame,
// so a fatal error midway leaves nothing to free. libjpeg's own memory
// destination cannot be used here: after it has grown its buffer, the pointer
// it handed out is stale until the compression ends, and freeing that after a
// fatal error would free a block twice.
struct VectorDestination
{
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* out;
};

constexpr size_t kFirstOutputBlock = 64 * 1024;

VectorDestination* vectorDestination(j_compress_ptr encoder)
{
    return reinterpret_cast<VectorDestination*>(encoder->dest);
}

// Grows the vector to `size`; a failed allocation becomes libjpeg's own
// out-of-memory error, which escapes through the error manager.
void growOutput(j_compress_ptr encoder, size_t size)
{
    VectorDestination* dest = vectorDestination(encoder);
    const size_t used = dest->out->size() - dest->pub.free_in_buffer;
    bool grown = true;
    try {
        dest->out->resize(size);
    } catch (...) {
        grown = false;
    }
    if (!grown)
        ERREXIT(encoder, JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = size - used;
}

void startOutput(j_compress_ptr encoder)
{
    vectorDestination(encoder)->out->clear();
    vectorDestination(encoder)->pub.free_in_buffer = 0;
    growOutput(encoder, kFirstOutputBlock);
}

boolean emptyOutput(j_compress_ptr encoder)
{
    // libjpeg calls this with the whole buffer used, whatever free_in_buffer says.
    VectorDestination* dest = vectorDestination(encoder);
    dest->pub.free_in_buffer = 0;
    growOutput(encoder, dest->out->size() * 2);
    return TRUE;
}

void finishOutput(j_compress_ptr encoder)
{
    VectorDestination* dest = vectorDestination(encoder);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

// Plain-C core of the encoder, writing into `encoded`, which the caller owns.
bool encodeContained(const uint8_t* source, int width, int height, int stride, int quality,
                     std::vector<uint8_t>* encoded, char* message)
{
    jpeg_compress_struct encoder{};
    ContainedErrorManager errors;
    VectorDestination destination{};
    encoder.err = installContainedErrors(&errors);
    if (setjmp(errors.escape)) {
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&encoder);
        return false;
    }
    jpeg_create_compress(&encoder);
    destination.pub.init_destination = startOutput;
    destination.pub.empty_output_buffer = emptyOutput;
    destination.pub.term_destination = finishOutput;
    destination.out = encoded;
    encoder.dest = &destination.pub;
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 1;
    encoder.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, quality, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(source) + static_cast<size_t>(encoder.next_scanline) * stride;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return true;
}

} // namespace

bool ReadJpegHeader(const uint8_t* data, size_t size, JpegImageInfo* info, std::string* error)
{
    if (!inputUsable(data, size, error))
        return false;
    JpegImageInfo local;
    char message[JMSG_LENGTH_MAX] = {};
    if (!readHeaderContained(data, size, &local, message)) {
        setError(error, message);
        return false;
    }
    if (info)
        *info = local;
    return true;
}

bool DecodeJpegGray(const uint8_t* data, size_t size, uint8_t* dest, int destStride,
                    int maxWidth, int maxHeight, JpegImageInfo* info, std::string* error)
{
    if (!inputUsable(data, size, error))
        return false;
    if (dest == nullptr) {
        setError(error, "no destination raster");
        return false;
    }
    char message[JMSG_LENGTH_MAX] = {};
    if (!decodeContained(data, size, dest, destStride, maxWidth, maxHeight, info, message)) {
        setError(error, message);
        return false;
    }
    return true;
}

bool EncodeJpegGray(const uint8_t* source, int width, int height, int stride, int quality,
                    std::vector<uint8_t>* out, std::string* error)
{
    if (source == nullptr || out == nullptr) {
        setError(error, "no source raster or output");
        return false;
    }
    if (width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION) {
        setError(error, "image size out of range");
        return false;
    }
    if (stride < width) {
        setError(error, "row stride is smaller than the width");
        return false;
    }
    if (quality < 1 || quality > 100) {
        setError(error, "quality must be 1 to 100");
        return false;
    }
    std::vector<uint8_t> encoded;
    char message[JMSG_LENGTH_MAX] = {};
    if (!encodeContained(source, width, height, stride, quality, &encoded, message)) {
        setError(error, message);
        return false;
    }
    *out = std::move(encoded);
    return true;
}
