// Entity placement and the matrix queries effects receive, on the engine without GL.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/D3DMatrix.h"
#include "engine/recording/RecordingEngine.h"

using namespace quellor;

namespace {

D3DMatrix Query(Engine& e, MatrixKind k, Handle h) {
  const float* p = e.QueryMatrix(k, h);
  D3DMatrix m;
  std::copy(p, p + 16, m.begin());
  return m;
}

void ExpectIdentity(const D3DMatrix& m, const char* what) {
  const D3DMatrix id = MatrixIdentity();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], id[i], 2e-4) << what << " element " << i;
}

}  // namespace

TEST(EntityMatrices, QueriesAgreeWithEachOther) {
  RecordingEngine e;
  ASSERT_TRUE(e.Open(800, 600));
  Handle h = e.CreatePrimitive(Primitive::Torus);
  ASSERT_NE(h, 0u);
  e.PositionEntity(h, 1.5f, -2.0f, 12.0f);
  e.ScaleEntity(h, 2.7f, 2.7f, 0.7f);  // half its size
  e.TurnEntity(h, 30, 200, 10);
  e.TurnEntity(h, 0, 200, 0);
  e.PositionCamera(0.5f, 1.0f, -3.0f);
  e.PositionLight(10, 20, -100);

  const D3DMatrix world = Query(e, MatrixKind::World, h);
  ExpectIdentity(MatrixMultiply(world, Query(e, MatrixKind::WorldInverse, h)), "world * inverse");
  ExpectIdentity(MatrixMultiply(Query(e, MatrixKind::View, h), Query(e, MatrixKind::ViewInverse, h)), "view * inverse");
  // Both are handed over transposed: (M^T)(M^-1)^T = (M^-1 M)^T.
  ExpectIdentity(MatrixMultiply(Query(e, MatrixKind::WorldViewProjection, h),
                                Query(e, MatrixKind::WorldViewProjectionInverse, h)),
                 "wvp * inverse");
  const D3DMatrix wvp = MatrixTranspose(Query(e, MatrixKind::WorldViewProjection, h));
  const D3DMatrix byParts =
      MatrixMultiply(MatrixMultiply(world, Query(e, MatrixKind::View, h)), Query(e, MatrixKind::Projection, h));
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(wvp[i], byParts[i], 1e-4) << i;

  // The world matrix puts the entity's centre at its position; the turns add up (400
  // degrees about y is 40).
  float centre[3] = {0, 0, 0}, placed[3];
  TransformPoint(world, centre, placed);
  EXPECT_NEAR(placed[0], 1.5f, 1e-5);
  EXPECT_NEAR(placed[1], -2.0f, 1e-5);
  EXPECT_NEAR(placed[2], 12.0f, 1e-5);
  EXPECT_NEAR(e.Entity(h)->TurnDeg[1], 40.0f, 1e-3);
  float w, hgt, d;
  e.EntitySize(h, &w, &hgt, &d);
  EXPECT_NEAR(w, 2.7f, 1e-4);
  EXPECT_NEAR(d, 0.7f, 1e-4);

  // The eye is where the camera was put, and the view inverse moves the origin there.
  const float* eye = e.QueryMatrix(MatrixKind::EyePosition);
  EXPECT_FLOAT_EQ(eye[0], 0.5f);
  EXPECT_FLOAT_EQ(eye[2], -3.0f);
  float origin[3] = {0, 0, 0}, camera[3];
  TransformPoint(Query(e, MatrixKind::ViewInverse, 0), origin, camera);
  EXPECT_NEAR(camera[1], 1.0f, 1e-5);

  // The light shines from its position toward the origin, and its world matrix stands
  // at that position looking along that direction.
  const float* dir = e.QueryMatrix(MatrixKind::LightDirection);
  const float len = std::sqrt(10.f * 10 + 20 * 20 + 100 * 100);
  EXPECT_NEAR(dir[0], -10 / len, 1e-5);
  EXPECT_NEAR(dir[2], 100 / len, 1e-5);
  const D3DMatrix lightWorld = Query(e, MatrixKind::LightWorld, 0);
  float at[3], ahead[3];
  TransformPoint(lightWorld, origin, at);
  EXPECT_NEAR(at[1], 20.0f, 1e-3);
  const float forward[3] = {0, 0, 1};
  TransformDirection(lightWorld, forward, ahead);
  EXPECT_NEAR(ahead[1], -20 / len, 1e-4);
}
