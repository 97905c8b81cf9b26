#pragma once
// Screen placement of one sprite entry, composed as a D3DX sprite transform:
// zoom about the top-left corner, then rotation about the centre of the zoomed
// frame, then translation to (x, y). An unrotated sprite therefore has its top-left
// corner at (x, y), and rotating it turns it in place around its own middle, which
// is how logos and letters spin in the intros. Positive angles turn clockwise on
// screen (y grows downwards).
namespace quellor {

struct SpriteCorners {
  // Top-left, top-right, bottom-right, bottom-left of the frame, in screen pixels.
  float X[4];
  float Y[4];
};

SpriteCorners PlaceSprite(int x, int y, int frameW, int frameH, float zoomX, float zoomY,
                          float rotationRad);

}  // namespace quellor
