#include "view/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

namespace stonewise {

namespace {

struct ReadState {
    std::string_view bytes;
    std::size_t offset = 0;
    std::string message;
};

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (state->bytes.size() - state->offset < count) {
        state->message = "the file ends early";
        png_error(png, "truncated");
    }
    std::memcpy(out, state->bytes.data() + state->offset, count);
    state->offset += count;
}

void onError(png_structp png, png_const_charp text) {
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    if (state && state->message.empty()) state->message = text ? text : "damaged file";
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void writeBytes(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), count);
}

void flushNothing(png_structp) {}

} // namespace

std::optional<Image> decodePng(std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<Image> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
        return fail("not a PNG file");

    ReadState state{bytes, 0, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    if (!png) return fail("out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return fail("out of memory");
    }
    // Everything that must survive a longjmp lives outside this frame's registers.
    auto image = std::make_unique<Image>();
    auto rows = std::make_unique<std::vector<png_bytep>>();
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return fail(state.message.empty() ? "damaged file" : state.message);
    }
    png_set_read_fn(png, &state, readBytes);
    png_set_user_limits(png, Image::kMaxSide, Image::kMaxSide);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (depth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        state.message = "unsupported pixel layout";
        png_error(png, "layout");
    }

    *image = Image(static_cast<int>(width), static_cast<int>(height));
    if (image->isNull()) {
        state.message = "the picture is too large";
        png_error(png, "size");
    }
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = image->pixel(0, static_cast<int>(y));
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    // Premultiply the colour by alpha.
    for (std::size_t i = 0; i < image->bytes().size(); i += 4) {
        std::uint8_t* p = &image->bytes()[i];
        if (p[3] == 255) continue;
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * p[3] + 127) / 255);
    }
    return std::move(*image);
}

std::optional<std::string> encodePng(const Image& image) {
    if (image.isNull()) return std::nullopt;
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * 4);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(png, &out, writeBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* src = image.pixel(0, y);
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = src + x * 4;
            std::uint8_t* o = &row[static_cast<std::size_t>(x) * 4];
            o[3] = p[3];
            for (int c = 0; c < 3; ++c)
                o[c] = p[3] ? static_cast<std::uint8_t>(std::min(255, (p[c] * 255 + p[3] / 2) / p[3])) : 0;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace stonewise
