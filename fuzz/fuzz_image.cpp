// Feeds arbitrary bytes to the image decoders; whatever is accepted must be a whole image.
#include <cstdint>
#include <cstdlib>

#include "engine/image/ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quellor::Image img;
  if (quellor::DecodeImage(data, size, img)) {
    if (img.Width <= 0 || img.Height <= 0 || img.Width > quellor::kMaxImageSide ||
        img.Height > quellor::kMaxImageSide ||
        img.Rgba.size() != static_cast<size_t>(img.Width) * img.Height * 4)
      std::abort();
  }
  return 0;
}
