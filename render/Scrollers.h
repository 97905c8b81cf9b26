#pragma once
#include <string>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Frame step 2: sine of the swing angle, then the angle advances (s = 0 or 1).
void ScrollerSwing(IntroModel& m, int s);
// Frame step 7: one DrawRecord per visible character of scroller s, text moves on.
void AddScrollerRecords(IntroModel& m, Engine& e, int s);
// Characters per screen, start character 1, offset 0, speed 2, for both scrollers.
void ResetScrollers(IntroModel& m);

// Start-up / project-load restart of one scroller: first character, offset 0, Slots
// and text length taken again; the speed stays.
void RestartScroller(IntroModel& m, int s);
// Both scrollers, as after a project load.
void RestartScrollers(IntroModel& m);
// Slots = ScreenX / cspX + 1 when cspX is positive (kept otherwise).
void UpdateScrollerSlots(IntroModel& m, int s);

// The scroll-text editor's filter: upper-cased, only codes 32..96 kept.
std::string FilterScrollText(const std::string& text);
// Stores an edited text (filtered) and takes its length; the scroll position stays.
void SetScrollerText(IntroModel& m, int s, const std::string& text);

// Effect menu: sets FX; Swing and Jump reset the swing angle to 0, Dunk sets it to 180.
void SetScrollerEffect(IntroModel& m, int s, int fx);

// Menu names of the eight effects, index = FX.
extern const char* const kScrollerEffectNames[8];

// Code of a text character as the glyph tables count it: upper-cased, minus 32.
inline int GlyphCode(char ch) {
  int c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') c -= 32;
  return c - 32;
}
}
