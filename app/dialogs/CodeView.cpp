#include "app/dialogs/CodeView.h"

#include <algorithm>

namespace quellor {

const std::array<const char*, 19> kEffectParameterNames = {
    "time",        "worldViewProj", "worldViewProjI", "matWorld",   "matWorldI", "lightDir", "matLightWorld",
    "matCamView",  "matCamViewI",   "matCamProj",     "vecEye",     "textureBG", "texture0", "texture1",
    "texture2",    "Var1",          "Var2",           "Var3",       "mouse"};

namespace {
bool Separates(char c) {
  switch (c) {
    case ' ': case '\t': case '\r': case '\n':
    case '(': case '=': case ')': case '+': case '-': case '/': case ';': case ',': case '*':
      return true;
    default:
      return false;
  }
}
}  // namespace

void FindParameterNames(std::string_view text, std::vector<TextSpan>& out) {
  out.clear();
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && Separates(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !Separates(text[i])) ++i;
    std::string_view word = text.substr(start, i - start);
    if (word.empty()) continue;
    if (std::any_of(kEffectParameterNames.begin(), kEffectParameterNames.end(),
                    [&](const char* n) { return word == n; }))
      out.push_back({start, word.size()});
  }
}

}  // namespace quellor
