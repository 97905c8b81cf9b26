// What the shader editor's code view highlights.
#include <gtest/gtest.h>

#include <string>

#include "app/dialogs/CodeView.h"

using namespace quellor;

namespace {

std::vector<std::string> Names(const std::string& text) {
  std::vector<TextSpan> spans;
  FindParameterNames(text, spans);
  std::vector<std::string> out;
  for (const TextSpan& s : spans) out.push_back(text.substr(s.Start, s.Length));
  return out;
}

TEST(CodeView, ParameterNamesAsWholeWordsBetweenSeparators) {
  EXPECT_EQ(Names("float4x4 worldViewProj;\r\nfloat time;"), (std::vector<std::string>{"worldViewProj", "time"}));
  EXPECT_EQ(Names("c=tex2D(texture0,uv)*Var1+mouse-Var3/2"),
            (std::vector<std::string>{"texture0", "Var1", "mouse", "Var3"}));
  // Part of a longer word, or joined by other characters, is not the name.
  EXPECT_TRUE(Names("times timer Var12 texture0.x matWorldIx").empty());
  EXPECT_EQ(Names("worldViewProjI matWorldI"), (std::vector<std::string>{"worldViewProjI", "matWorldI"}));
  // "texture3" is set by the renderer but not among the highlighted names.
  EXPECT_TRUE(Names("texture3").empty());
  std::vector<TextSpan> spans;
  FindParameterNames("  lightDir", spans);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].Start, 2u);
  EXPECT_EQ(spans[0].Length, 8u);
}

}  // namespace
