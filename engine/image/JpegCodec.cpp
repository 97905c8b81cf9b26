// JPEG reader over libjpeg. libjpeg reports errors by calling back into the application,
// which must not return; the callback jumps back to the setjmp in DecodeJpegInto. That
// function therefore holds no objects with destructors of its own: everything it fills
// is owned by its caller and stays valid across the jump.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {

// Progressive files may hold any number of scans, each a full pass over the image.
constexpr int kMaxScans = 256;
// Every 8x8 block costs at least one bit of entropy-coded data; a header claiming far
// more pixels than the file could code is refused before anything is allocated.
constexpr uint64_t kMaxPixelsPerByte = 1024;
constexpr uint64_t kAlwaysAllowedPixels = 1u << 22;
constexpr long kMaxLibjpegMemory = 768L << 20;

struct ErrorState {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
};

struct ProgressState {
  jpeg_progress_mgr Pub;
  j_decompress_ptr Info;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorState*>(cinfo->err)->Jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace output
  // Warnings that mean missing or damaged image data: refuse instead of showing grey.
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
      OnError(cinfo);
    default:
      break;
  }
}

void SilentOutput(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  auto* state = reinterpret_cast<ProgressState*>(cinfo->progress);
  if (state->Info->input_scan_number > kMaxScans) OnError(cinfo);
}

struct JpegResult {
  std::vector<uint8_t>* Rgba;
  std::vector<uint8_t>* Row;
  int Width;
  int Height;
};

bool DecodeJpegInto(const uint8_t* data, size_t size, JpegResult& res) {
  jpeg_decompress_struct cinfo;
  ErrorState err;
  ProgressState progress;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = OnError;
  err.Pub.emit_message = OnMessage;
  err.Pub.output_message = SilentOutput;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
  progress.Pub.progress_monitor = OnProgress;
  progress.Info = &cinfo;
  cinfo.progress = &progress.Pub;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const uint64_t w = cinfo.image_width, h = cinfo.image_height;
  if (w == 0 || h == 0 || w > static_cast<uint64_t>(kMaxImageSide) || h > static_cast<uint64_t>(kMaxImageSide) ||
      (w * h > kAlwaysAllowedPixels && w * h / kMaxPixelsPerByte > size)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  const bool adobeInverted = cmyk && cinfo.saw_Adobe_marker;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int comps = cinfo.output_components;
  if (cinfo.output_width != w || cinfo.output_height != h || comps != (cmyk ? 4 : 3)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  res.Width = static_cast<int>(w);
  res.Height = static_cast<int>(h);
  res.Rgba->assign(w * h * 4, 0);
  res.Row->assign(w * comps, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    const size_t y = cinfo.output_scanline;
    JSAMPROW row = res.Row->data();
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
      jpeg_destroy_decompress(&cinfo);
      return false;
    }
    uint8_t* dst = res.Rgba->data() + y * w * 4;
    const uint8_t* src = res.Row->data();
    for (size_t x = 0; x < w; ++x, dst += 4, src += comps) {
      if (cmyk) {
        unsigned c = src[0], m = src[1], yy = src[2], k = src[3];
        if (!adobeInverted) {
          c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
        }
        dst[0] = static_cast<uint8_t>(c * k / 255);
        dst[1] = static_cast<uint8_t>(m * k / 255);
        dst[2] = static_cast<uint8_t>(yy * k / 255);
      } else {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
      }
      dst[3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Image& out) {
  if (!data || size < 4) return false;
  std::vector<uint8_t> rgba, row;
  JpegResult res{&rgba, &row, 0, 0};
  if (!DecodeJpegInto(data, size, res)) return false;
  out.Width = res.Width;
  out.Height = res.Height;
  out.Rgba = std::move(rgba);
  return true;
}

}  // namespace quellor
