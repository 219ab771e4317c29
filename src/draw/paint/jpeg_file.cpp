#include "draw/paint/jpeg_file.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

#include "model/atomic_file.h"
#include "model/errors.h"

namespace kuma {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// We jump back to the setjmp in the function that started the work; the
// functions between setjmp and the jump hold only plain C data, so nothing
// with a destructor is skipped. Warnings are dropped.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

void InstallErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ErrorExit;
  errors.manager.output_message = IgnoreMessage;
  errors.message[0] = '\0';
}

// Encodes into a buffer that libjpeg allocates with malloc; the caller frees
// *buffer even on failure. Returns false with errors.message set on failure.
bool Encode(const RgbImage& image, int quality, unsigned char** buffer, unsigned long* size,
            JpegErrors& errors) {
  jpeg_compress_struct info;
  info.err = &errors.manager;
  InstallErrors(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);  // JFIF marker
  jpeg_set_quality(&info, quality, TRUE);
  // No chroma subsampling: the charts are thin coloured lines on white, and
  // halving the colour resolution would smear a one-pixel red line pink.
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  const size_t rowBytes = static_cast<size_t>(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + rowBytes * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

// Largest picture we agree to decode, in pixels: far beyond any chart, small
// enough that a damaged header cannot ask for gigabytes.
constexpr unsigned long kMaxPixels = 64UL * 1024 * 1024;

bool Decode(const std::uint8_t* data, std::size_t size, RgbImage& out, JpegErrors& errors) {
  jpeg_decompress_struct info;
  info.err = &errors.manager;
  InstallErrors(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (static_cast<unsigned long>(info.output_width) * info.output_height > kMaxPixels ||
      info.output_components != 3) {
    std::snprintf(errors.message, sizeof errors.message, "Picture too large (%u x %u)",
                  info.output_width, info.output_height);
    jpeg_destroy_decompress(&info);
    return false;
  }
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  const size_t rowBytes = static_cast<size_t>(out.width) * 3;
  out.rgb.assign(rowBytes * static_cast<size_t>(out.height), 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.rgb.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}


}  // namespace

std::string EncodeJpeg(const RgbImage& image, int quality, const std::string& path) {
  if (image.width <= 0 || image.height <= 0 || image.width > JPEG_MAX_DIMENSION ||
      image.height > JPEG_MAX_DIMENSION ||
      image.rgb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3) {
    throw Error("Cannot save an empty or damaged picture to \"" + path + "\"");
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  JpegErrors errors;
  bool encoded = Encode(image, quality < 1 ? 1 : quality > 100 ? 100 : quality, &buffer, &size,
                        errors);
  std::string encodingError = errors.message;
  if (!encoded) {
    std::free(buffer);
    throw Error("JPEG error: " + encodingError);
  }
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

void WriteJpegFile(const std::string& path, const RgbImage& image, int quality) {
  WriteFileAtomic(path, EncodeJpeg(image, quality, path));
}

RgbImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  RgbImage image;
  if (data == nullptr || size == 0) throw Error("JPEG error: no picture data");
  JpegErrors errors;
  if (!Decode(data, size, image, errors)) {
    throw Error(std::string("JPEG error: ") + errors.message);
  }
  return image;
}

RgbImage ReadJpegFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw Error(FileErrorMessage("open", path));
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  if (file.bad()) throw Error(FileErrorMessage("read", path));
  try {
    return DecodeJpeg(bytes.data(), bytes.size());
  } catch (const Error& e) {
    throw Error("\"" + path + "\": " + e.what());
  }
}

}  // namespace kuma
