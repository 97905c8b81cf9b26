#pragma once
// Pieces every asset loader shares: the size gate, slot release and the log lines.
#include <cstdint>
#include <string>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor::loaders {

// True when the file may be loaded. The size is compared as a 64-bit value; a file of
// exactly `limit` bytes passes. A size that cannot be read (missing file) also passes:
// the engine then fails and leaves the handle 0. A refusal logs `refusal`.
bool FitsLimit(IntroModel& m, const std::string& path, uint64_t limit, const std::string& refusal);

void LogLoaded(IntroModel& m, const std::string& text);

// Logs in red that the engine could not read `path`: its error text and the file part.
void LogDecodeFailure(IntroModel& m, Engine& e, const std::string& path);
void LogDecodeFailure(IntroModel& m, const std::string& error, const std::string& path);

// Decodes `path` before the slot's old object is let go: only a new sprite (cut into
// frameW x frameH frames when given) or texture replaces the old one, which is freed
// then; on failure the old one stays, the failure is logged and false is returned.
bool ReplaceSprite(IntroModel& m, Engine& e, const std::string& path, Handle& slot,
                   int frameW = 0, int frameH = 0);
bool ReplaceTexture(IntroModel& m, Engine& e, const std::string& path, Handle& slot);

// Frees the engine object in the slot, if any, and clears the slot.
void ReleaseSprite(Engine& e, Handle& sprite);
void ReleaseTexture(Engine& e, Handle& texture);
void ReleaseEffect(Engine& e, Handle& effect);

// Text with every line ending as CR LF (bare LF and bare CR become CR LF), the form
// shader and text blocks take in the model and the project file.
std::string WithCrLf(const std::string& text);

// x that centres a sprite horizontally on the screen (integer divisions).
int CentredX(const IntroModel& m, Engine& e, Handle sprite);

}  // namespace quellor::loaders
