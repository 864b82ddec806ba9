#include "corona/Corona.h"

#include <png.h>

#include "io/DataFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Deflate cannot shrink data by much more than about 1032:1; a file too small to hold the
// rows its header announces is refused before any pixel buffer is allocated.
const double kMaxDeflateRatio = 1100.0;

// libpng's message for the last error, kept in the buffer handed to it as its error pointer.
const size_t kMessageSize = 128;

void QuietError(png_structp png, png_const_charp message) {
  char* kept = static_cast<char*>(png_get_error_ptr(png));
  if (kept) std::snprintf(kept, kMessageSize, "%s", message ? message : "");
  png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

long FileSize(FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return size;
}

// Decodes a PNG stream to 8-bit RGBA, top row first; on failure `message` (kMessageSize bytes)
// says why. Only plain data lives across the setjmp below; everything allocated here is
// released on the error path.
unsigned char* DecodePng(FILE* f, long file_size, int* out_w, int* out_h, char* message) {
  std::snprintf(message, kMessageSize, "out of memory");
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, message, QuietError, QuietWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }

  unsigned char* volatile pixels = nullptr;
  png_bytep* volatile rows = nullptr;

  if (setjmp(png_jmpbuf(png))) {
    std::free(rows);
    std::free(pixels);
    png_destroy_read_struct(&png, &info, nullptr);
    return nullptr;
  }

  png_init_io(png, f);
  png_set_user_limits(png, COR_MAX_DIMENSION, COR_MAX_DIMENSION);
  png_read_info(png, info);

  png_uint_32 w = 0, h = 0;
  int bit_depth = 0, color_type = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &bit_depth, &color_type, &interlace, nullptr, nullptr);
  if (w == 0 || h == 0 || w > static_cast<png_uint_32>(COR_MAX_DIMENSION) ||
      h > static_cast<png_uint_32>(COR_MAX_DIMENSION))
    png_error(png, "width or height 0 or above the limit");

  // Bytes of filtered image data the header promises (interlacing only adds to it).
  const double raw_row =
      1.0 + (static_cast<double>(w) * png_get_channels(png, info) * bit_depth + 7) / 8;
  if (static_cast<double>(h) * raw_row > static_cast<double>(file_size) * kMaxDeflateRatio)
    png_error(png, "file too small for the size it announces");

  if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (color_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool has_trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (has_trns) png_set_tRNS_to_alpha(png);
  if (bit_depth == 16) png_set_strip_16(png);
  if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if (!(color_type & PNG_COLOR_MASK_ALPHA) && !has_trns)
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const size_t row_bytes = static_cast<size_t>(w) * 4;
  if (png_get_rowbytes(png, info) != row_bytes || png_get_bit_depth(png, info) != 8 ||
      png_get_channels(png, info) != 4)
    png_error(png, "unexpected layout");

  pixels = static_cast<unsigned char*>(std::malloc(row_bytes * h));
  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * h));
  if (!pixels || !rows) png_error(png, "out of memory");
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = pixels + y * row_bytes;

  png_read_image(png, rows);
  png_read_end(png, nullptr);

  unsigned char* result = pixels;
  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);
  *out_w = static_cast<int>(w);
  *out_h = static_cast<int>(h);
  return result;
}

}  // namespace

CorImage* CorOpenImage(const char* file, int file_format, std::string* why) {
  std::string reason;
  if (!why) why = &reason;
  if (!file || file_format != COR_FF_AUTODETECT) {
    *why = file ? "unknown file format code" : "no file name";
    return nullptr;
  }
  FILE* f = OpenDataFile(file, why);  // a directory or a named pipe gives no image
  if (!f) return nullptr;

  unsigned char* pixels = nullptr;
  int w = 0, h = 0;
  const long size = FileSize(f);
  unsigned char sig[8];
  if (size >= 8 && std::fread(sig, 1, 8, f) == 8 && png_sig_cmp(sig, 0, 8) == 0 &&
      std::fseek(f, 0, SEEK_SET) == 0) {
    char message[kMessageSize];
    pixels = DecodePng(f, size, &w, &h, message);
    if (!pixels) *why = std::string("damaged PNG image: ") + message;
  } else {
    *why = "not a PNG image";
  }
  std::fclose(f);

  if (!pixels) return nullptr;
  return new CorImage(w, h, pixels);
}

CorImage* CorConvertImage(CorImage* image, int pixel_format) {
  if (!image) return nullptr;
  if (pixel_format == COR_PF_DONTCARE) return image;
  delete image;
  return nullptr;
}
