#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "view/Image.h"

namespace stonewise {

// Decodes a PNG file held in memory (any colour type and depth; transparency kept as alpha).
// A damaged or truncated file, or one larger than Image::kMaxSide, gives no image and a reason in
// `error` when one is given.
std::optional<Image> decodePng(std::string_view bytes, std::string* error = nullptr);

// Encodes an image as an 8-bit RGBA PNG; no result when libpng refuses.
std::optional<std::string> encodePng(const Image& image);

} // namespace stonewise
