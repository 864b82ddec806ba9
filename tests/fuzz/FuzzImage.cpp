// The image layer: any file either decodes to a full RGBA buffer or gives no image.
#include <cstdlib>

#include "FuzzSupport.h"
#include "corona/Corona.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzWriteFile("Textures/fuzz.png", data, size);
  CorImage* image =
      CorConvertImage(CorOpenImage("Textures/fuzz.png", COR_FF_AUTODETECT), COR_PF_DONTCARE);
  if (image) {
    const int w = image->GetWidth(), h = image->GetHeight();
    if (w <= 0 || h <= 0 || w > COR_MAX_DIMENSION || h > COR_MAX_DIMENSION) std::abort();
    // Touch the last byte: the buffer must hold every pixel.
    volatile unsigned char last = image->GetPixels()[static_cast<size_t>(w) * h * 4 - 1];
    (void)last;
    delete image;
  }
  return 0;
}
