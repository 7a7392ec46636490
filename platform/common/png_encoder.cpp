// The PNG encoder over libpng. libpng reports errors by longjmp from its error callback, so the
// encoding runs in one function whose only objects with destructors live outside the setjmp.
#include <png.h>

#include <csetjmp>

#include "platform/png.h"

namespace platform {
namespace {

struct Output {
    std::vector<uint8_t>* bytes;
    std::string* error;
};

void AppendBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Output*>(png_get_io_ptr(png));
    out->bytes->insert(out->bytes->end(), data, data + length);
}

void Flush(png_structp) {}

void OnError(png_structp png, png_const_charp message) {
    auto* out = static_cast<Output*>(png_get_error_ptr(png));
    *out->error = message;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

} // namespace

bool EncodePng(int width, int height, PngChannels channels, const std::vector<uint8_t>& pixels,
               std::vector<uint8_t>* png, std::string* error) {
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    if (width <= 0 || height <= 0 || pixels.size() != rowBytes * static_cast<size_t>(height)) {
        *error = "picture size does not match its pixels";
        return false;
    }
    png->clear();
    Output out{png, error};
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, OnError, OnWarning);
    if (writer == nullptr) {
        *error = "libpng cannot start";
        return false;
    }
    png_infop info = png_create_info_struct(writer);
    if (info == nullptr || setjmp(png_jmpbuf(writer))) {
        if (info == nullptr) *error = "libpng cannot start";
        png_destroy_write_struct(&writer, &info);
        png->clear();
        return false;
    }
    png_set_write_fn(writer, &out, AppendBytes, Flush);
    png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == PngChannels::kRgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    for (int y = 0; y < height; ++y)
        png_write_row(writer, pixels.data() + rowBytes * static_cast<size_t>(y));
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    return true;
}

} // namespace platform
