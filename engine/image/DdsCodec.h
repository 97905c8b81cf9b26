#pragma once
// Block decoders of the DXT formats, exposed for the DDS reader and its tests.
#include <cstdint>

namespace quellor {

// Decodes an 8-byte colour block into 16 RGBA pixels (row-major). With allowTransparent
// (DXT1), c0 <= c1 selects three colours plus transparent black.
void DecodeDxtColourBlock(const uint8_t* src, bool allowTransparent, uint8_t out[16][4]);
// Overwrites the alpha of the 16 pixels from an 8-byte DXT3 or DXT5 alpha block.
void DecodeDxt3AlphaBlock(const uint8_t* src, uint8_t out[16][4]);
void DecodeDxt5AlphaBlock(const uint8_t* src, uint8_t out[16][4]);

}  // namespace quellor
