#pragma once
// JPEG files through libjpeg: writing a picture's pixels and reading a
// picture back (the logo, the tests).

#include <cstdint>
#include <string>
#include <vector>

namespace kuma {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // width*height*3, rows top to bottom
};

// Writes a JFIF file. Raises kuma::Error with a clear message when the file
// cannot be created or written.
void WriteJpegFile(const std::string& path, const RgbImage& image, int quality = 95);
// The bytes of the JFIF file WriteJpegFile writes, for a caller that writes
// several pictures as one save; `path` only names the file in messages.
std::string EncodeJpeg(const RgbImage& image, int quality, const std::string& path);
// Decodes a JPEG held in memory / in a file. Raises kuma::Error when the data
// is not a JPEG picture or the file cannot be read.
RgbImage DecodeJpeg(const std::uint8_t* data, std::size_t size);
RgbImage ReadJpegFile(const std::string& path);

}  // namespace kuma
