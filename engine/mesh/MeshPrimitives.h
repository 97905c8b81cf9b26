#pragma once
// The generated objects of the Create Object menu, with texture coordinates and
// normals, in Direct3D's left-handed space with clockwise front faces. Centred on the
// origin; y is up.
#include "engine/mesh/MeshData.h"

namespace quellor {

MeshData MakeCube();                                                // 2 x 2 x 2
MeshData MakeSphere(int segments);                                  // radius 1
MeshData MakeCylinder(int segments, float length);                  // radius 1, along y
MeshData MakeTorus(float tubeRadius, float ringRadius, int segments);  // ring around z
MeshData MakeTeapot();                                              // about 4.7 wide
MeshData MakePyramid(float width, float height, float depth);       // base at -height/2

}  // namespace quellor
