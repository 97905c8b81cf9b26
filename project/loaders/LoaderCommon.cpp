#include "project/loaders/LoaderCommon.h"

#include <filesystem>
#include <system_error>

#include "project/PathResolve.h"
#include "project/StatusLog.h"

namespace quellor::loaders {

bool FitsLimit(IntroModel& m, const std::string& path, uint64_t limit, const std::string& refusal) {
  std::error_code ec;
  uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), ec);
  if (ec) return true;
  if (static_cast<uint64_t>(size) <= limit) return true;
  AddStatusLine(m, refusal, kMessageMs, kColorTooBig);
  return false;
}

void LogLoaded(IntroModel& m, const std::string& text) {
  AddStatusLine(m, text, kMessageMs, kColorSuccess);
}

void LogDecodeFailure(IntroModel& m, Engine& e, const std::string& path) {
  LogDecodeFailure(m, e.ErrorText(), path);
}

void LogDecodeFailure(IntroModel& m, const std::string& error, const std::string& path) {
  AddStatusLine(m, error + ": " + FilePart(path), kMessageMs, kColorError);
}

bool ReplaceSprite(IntroModel& m, Engine& e, const std::string& path, Handle& slot, int frameW,
                   int frameH) {
  Handle fresh = e.LoadSprite(path, frameW, frameH);
  if (fresh == 0) {
    LogDecodeFailure(m, e, path);
    return false;
  }
  ReleaseSprite(e, slot);
  slot = fresh;
  return true;
}

bool ReplaceTexture(IntroModel& m, Engine& e, const std::string& path, Handle& slot) {
  Handle fresh = e.LoadTexture(path);
  if (fresh == 0) {
    LogDecodeFailure(m, e, path);
    return false;
  }
  ReleaseTexture(e, slot);
  slot = fresh;
  return true;
}

void ReleaseSprite(Engine& e, Handle& sprite) {
  if (sprite != 0) e.FreeSprite(sprite);
  sprite = 0;
}

void ReleaseTexture(Engine& e, Handle& texture) {
  if (texture != 0) e.FreeTexture(texture);
  texture = 0;
}

void ReleaseEffect(Engine& e, Handle& effect) {
  if (effect != 0) e.FreeEffect(effect);
  effect = 0;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

int CentredX(const IntroModel& m, Engine& e, Handle sprite) {
  return m.ScreenX / 2 - e.SpriteWidth(sprite) / 2;
}

}  // namespace quellor::loaders
