#pragma once
// The V2 speech voice: channel 16's voices become the excitation of a formant
// synthesizer (a nasal and six formant resonators plus noise sources) that
// speaks phoneme texts stored in the song. Notes step through the text at its
// '!' (wait for a note) and '_' (wait for the note's end) marks; CC 4 picks a
// text (0..62) or the speaking rate (64..127), CC 5 the formant pitch.
#include <cstdint>
#include <string>
#include <vector>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Speech {
 public:
  // `texts` must outlive the speech voice.
  void Bind(const std::vector<std::string>* texts, const SynthRate* rate) {
    texts_ = texts;
    rate_ = rate;
  }
  void Reset();  // state of a freshly started synth
  void NoteOn() { waitForNote_ = false; }
  void NoteOff() { waitForRelease_ = false; }
  void Controller(int cc, int value);
  void Tick();  // once per frame: advances the phoneme sequence
  void Process(StereoFrame* chan, int n);

 private:
  struct Resonator {  // two-pole resonator coefficients
    float a = 0, b = 0, c = 0;
    void Tune(float freq, float bandwidth, float gain, const SynthRate& rate);
  };
  // Everything interpolated sample by sample from one frame's target to the next.
  struct Frame {
    Resonator res[7];  // nasal, formants 1..6
    float voicing = 0, aspiration = 0, frication = 0, bypass = 0;
  };
  static constexpr int kFrameFloats = sizeof(Frame) / sizeof(float);

  void StartText(int index);
  void Silence();
  void Target(int from, int to, float x, Frame& out) const;
  bool NextSyllable();
  float Noise();

  const std::vector<std::string>* texts_ = nullptr;
  const SynthRate* rate_ = nullptr;
  Frame now_, next_;
  float state_[7][2] = {};  // resonator memories
  float eqState_[2] = {};
  Resonator eq_;
  float pitch_ = 1.0f;
  int stepFrames_ = 3;  // synth frames per speech step
  uint32_t seed_ = 0;
  float noise_ = 0.0f, lastIn_ = 0.0f, high1_ = 0.0f, high2_ = 0.0f;
  int frameCount_ = 0, stepsLeft_ = 0, syllable_ = 0, position_ = 0, stretch_ = 1;
  float invLength_ = 0.0f;
  int from_ = 0, to_ = 0;  // phonemes being blended
  const char* text_ = "";
  const char* cursor_ = "";
  bool waitForNote_ = false, waitForRelease_ = false;
};

}  // namespace quellor::music::v2m
