// Translations carried with an exported intro: they read back as written, answer the
// translator without a worker, and a damaged bundle is refused whole.
#include <gtest/gtest.h>

#include "engine/fx/FxBundle.h"
#include "engine/fx/FxTranslator.h"

namespace quellor {
namespace {

FxBundleEntry Entry(FxKind kind, const std::string& source, const std::string& glsl) {
  FxBundleEntry e;
  e.Kind = kind;
  e.Source = source;
  e.Result.Ok = true;
  e.Result.Fx.Kind = kind;
  FxPass pass;
  pass.Name = "p1";
  pass.PixelEntry = "PS";
  pass.PixelProfile = "ps_2_0";
  pass.PixelGlsl = glsl;
  e.Result.Fx.Techniques.push_back({"T", {}, {pass}});
  return e;
}

// A translator that cannot start a worker: whatever it answers came from memory.
FxTranslator WorkerlessTranslator() { return FxTranslator({"/nonexistent/quellor_fxworker", "", 1000}); }

TEST(FxBundle, RoundTripsSeedsTheTranslatorAndRefusesDamage) {
  const std::vector<FxBundleEntry> entries = {
      Entry(FxKind::Effect, "technique T { pass p1 { } }", "void main() { }"),
      Entry(FxKind::TextureShader, "float4 Testout() : COLOR { return 1; }", "void main() { x = 1; }")};
  const std::vector<uint8_t> bytes = EncodeFxBundle(entries);

  std::vector<FxBundleEntry> back;
  ASSERT_TRUE(DecodeFxBundle(bytes, back));
  ASSERT_EQ(back.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back[i].Kind, entries[i].Kind);
    EXPECT_EQ(back[i].Source, entries[i].Source);
    EXPECT_EQ(back[i].Result.Fx, entries[i].Result.Fx);
  }

  FxTranslator t = WorkerlessTranslator();
  EXPECT_EQ(SeedFxTranslator(t, back), 2);
  for (const FxBundleEntry& e : entries) {
    const FxResult r = t.Translate(e.Kind, e.Source);
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_EQ(r.Fx, e.Result.Fx);
  }
  EXPECT_EQ(t.Stats().WorkerRuns, 0);
  // The same text of the other kind is not answered by the seed.
  EXPECT_FALSE(t.Translate(FxKind::TextureShader, entries[0].Source).Ok);

  // Every cut of the bundle is refused, and leaves nothing behind.
  for (size_t n = 0; n < bytes.size(); ++n) {
    back.assign(1, entries[0]);
    EXPECT_FALSE(DecodeFxBundle({bytes.data(), n}, back)) << n;
    EXPECT_TRUE(back.empty());
  }
  auto refused = [&](std::vector<uint8_t> b) { return !DecodeFxBundle(b, back) && back.empty(); };
  std::vector<uint8_t> b = bytes;
  b.push_back(0);
  EXPECT_TRUE(refused(b)) << "a byte after the last entry";
  // Header: 5 bytes of magic and version, the count, then the first entry's kind and
  // its text's length.
  b = bytes;
  b[9] = 2;
  EXPECT_TRUE(refused(b)) << "an unknown kind";
  b = bytes;
  b[10] += 1;
  EXPECT_TRUE(refused(b)) << "a text length one too long";
  b = bytes;
  b[13] = 0x80;
  EXPECT_TRUE(refused(b)) << "a text length past the end";
  b = bytes;
  b[5] = 3;
  EXPECT_TRUE(refused(b)) << "more entries than it holds";
  b = bytes;
  b[5] = 0xFF;
  b[8] = 0x7F;
  EXPECT_TRUE(refused(b)) << "an impossible count";
  b = bytes;
  b[4] = 2;
  EXPECT_TRUE(refused(b)) << "another format version";
  // A result that is no success, or of the other kind, is no translation of the entry.
  std::vector<FxBundleEntry> odd = {entries[0]};
  odd[0].Kind = FxKind::TextureShader;
  EXPECT_TRUE(refused(EncodeFxBundle(odd)));
  odd = {entries[0]};
  odd[0].Result = FxResult{false, {}, "error X3000"};
  EXPECT_TRUE(refused(EncodeFxBundle(odd)));

  // A bundle whose text was changed is well-formed, but only answers the changed text.
  b = bytes;
  b[14] = 'X';
  ASSERT_TRUE(DecodeFxBundle(b, back));
  FxTranslator other = WorkerlessTranslator();
  SeedFxTranslator(other, back);
  EXPECT_FALSE(other.Translate(FxKind::Effect, entries[0].Source).Ok);
  EXPECT_EQ(other.Stats().WorkerRuns, 1);
  EXPECT_TRUE(other.Translate(FxKind::Effect, back[0].Source).Ok);
}

}  // namespace
}  // namespace quellor
