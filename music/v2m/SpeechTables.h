#pragma once
// Phoneme and syllable tables of the V2 speech voice.
#include <cstdint>

namespace quellor::music::v2m {

struct Phoneme {
  float f1, b1, f2, b2, f3, b3, nasalFreq;       // Hz
  float voicing, aspiration, frication, bypass;  // source levels, dB
  float amp1, amp2, amp3, amp4, ampNasal, amp56;  // formant levels, dB
  float steps;  // duration in speech steps
  float rank;
};

struct Syllable {
  char text[4];
  int8_t phonemes[4];
};

constexpr int kPhonemeCount = 69;
constexpr int kSyllableCount = 52;
constexpr int kSilencePhoneme = 18;

extern const Phoneme kPhonemes[kPhonemeCount];
extern const Syllable kSyllables[kSyllableCount];

}  // namespace quellor::music::v2m
