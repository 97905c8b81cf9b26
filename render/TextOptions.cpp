#include "render/TextOptions.h"

#include "project/Ini.h"

#include <cstdio>

#include "render/PagerTrainer.h"
#include "render/Scrollers.h"

namespace quellor {

namespace {
void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}
}  // namespace

void RestartTextEffects(IntroModel& m, Engine& e) {
  for (int s = 0; s < 2; ++s)
    if (m.Scroller[s].Active == 1) RestartScroller(m, s);
  if (m.Pager.Active == 1) RestartPager(m, e);
  if (m.Trainer.Active == 1) RestartTrainer(m, e);
}

void RestartAfterProjectLoad(IntroModel& m, Engine& e) {
  if (m.TrainerBar.Sprite != 0) RestartTrainer(m, e);
  RestartTextEffects(m, e);
}

bool ReadTextFile(const std::string& path, size_t limit, std::string& out, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    SetError(error, "cannot open " + path);
    return false;
  }
  std::string data;
  char buf[4096];
  size_t got = 0;
  bool tooBig = false;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (data.size() + got > limit) {
      tooBig = true;
      break;
    }
    data.append(buf, got);
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (tooBig) {
    SetError(error, path + " is larger than " + std::to_string(limit) + " bytes");
    return false;
  }
  if (failed) {
    SetError(error, "cannot read " + path);
    return false;
  }
  out = std::move(data);
  return true;
}

bool ApplyTextOption(IntroModel& m, Engine& e, const std::string& keyIn, const std::string& valueIn,
                     std::string* error) {
  std::string key = keyIn;
  std::string value = valueIn;
  while (!key.empty() && key[0] == '-') key.erase(0, 1);
  if (key == "text") {
    const size_t eq = value.find('=');
    if (eq == std::string::npos) {
      SetError(error, "--text expects scroller1=TEXT or scroller2=TEXT");
      return false;
    }
    key = value.substr(0, eq);
    value = value.substr(eq + 1);
  }

  if (key == "scroller1" || key == "scroller2") {
    const int s = key == "scroller1" ? 0 : 1;
    std::string text = FilterScrollText(value);
    if (text.size() > kScrollTextLimit) text.resize(kScrollTextLimit);
    m.Scroller[s].Text = text;
    RestartScroller(m, s);
    return true;
  }
  if (key == "pager-file" || key == "trainer-file") {
    const bool pager = key == "pager-file";
    std::string data;
    if (!ReadTextFile(value, pager ? kPagerFileLimit : kTrainerFileLimit, data, error)) return false;
    if (pager) {
      m.Pager.Lines = SplitTextLines(data);
      if (m.Pager.Active == 1) RestartPager(m, e);
    } else {
      m.Trainer.Lines = SplitTextLines(data);
      if (m.Trainer.Active == 1) RestartTrainer(m, e);
    }
    return true;
  }
  SetError(error, "unknown text option " + keyIn);
  return false;
}

bool ApplyTextOption(IntroModel& m, Engine& e, const std::string& key, const std::string& value) {
  return ApplyTextOption(m, e, key, value, nullptr);
}

}  // namespace quellor
