#pragma once
// Image decoders for user files: PNG, JPEG, BMP, DDS. Every decoder is bounds-checked
// against the input length and refuses absurd dimensions; false means "not loadable".
// Decoded images are RGBA, 8 bits per channel, top row first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace quellor {

constexpr int kMaxImageSide = 16384;
// Larger files are not read as images at all.
constexpr size_t kMaxImageFileBytes = 256u << 20;

bool DecodeImage(const uint8_t* data, size_t size, Image& out);
bool DecodeImageFile(const std::string& path, Image& out);

// The single-format decoders; DecodeImage picks one by the file's leading bytes.
bool DecodePng(const uint8_t* data, size_t size, Image& out);
bool DecodeJpeg(const uint8_t* data, size_t size, Image& out);
bool DecodeBmp(const uint8_t* data, size_t size, Image& out);
bool DecodeDds(const uint8_t* data, size_t size, Image& out);

enum class ImageFormat { Unknown, Png, Jpeg, Bmp, Dds };
ImageFormat DetectImageFormat(const uint8_t* data, size_t size);

// PNG writing for screenshots, tests and the resource packs.
std::vector<uint8_t> EncodePng(const Image& img);
bool WritePngFile(const std::string& path, const Image& img);

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = 1u << 30);

}  // namespace quellor
