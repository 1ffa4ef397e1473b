#include "RgbJpeg.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<uint8_t> MakeRgbJpeg(int width, int height)
{
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    jpeg_mem_dest(&encoder, &encoded, &encodedSize);
    encoder.image_width = width;
    encoder.image_height = height;
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3, 0x80);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&encoder, &rowPointer, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::vector<uint8_t> result(encoded, encoded + encodedSize);
    std::free(encoded);
    return result;
}
