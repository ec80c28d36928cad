// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/png_file.h"

#include <png.h>
#include <unistd.h>
#include <vector>

#include "tools/tool_error.h"

namespace
{

std::vector<unsigned char> encoded(const RgbImage& image, const std::string& target)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr))
        throw ToolError("cannot write " + target + ": " + png.message);
    std::vector<unsigned char> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, nullptr))
        throw ToolError("cannot write " + target + ": " + png.message);
    bytes.resize(size);
    return bytes;
}

} // namespace

void writePng(const RgbImage& image, TemporaryFile& file)
{
    const std::vector<unsigned char> bytes = encoded(image, file.target());
    const int descriptor = file.releaseDescriptor();
    size_t done = 0;
    while (done < bytes.size())
    {
        const auto written = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written <= 0) break;
        done += static_cast<size_t>(written);
    }
    if (close(descriptor) != 0 || done != bytes.size())
        throw ToolError("cannot write " + file.target());
}
