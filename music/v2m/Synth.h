#pragma once
// The V2 synthesizer: 16 MIDI channels sharing a pool of 64 voices, each
// channel with its effect strip, and the master reverb, delay, filters and
// compressor. It takes MIDI-like messages between renders and works in frames:
// all parameters and modulations are updated at the start of each frame.
//
// Everything is allocated at construction; Render and ProcessMessages do not
// allocate.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "music/v2m/Speech.h"
#include "music/v2m/SynthChannel.h"
#include "music/v2m/SynthReverb.h"
#include "music/v2m/SynthVoice.h"
#include "music/v2m/V2mSong.h"

namespace quellor::music::v2m {

class Synth {
 public:
  static constexpr int kVoices = 64;
  static constexpr uint8_t kEndOfMessages = 0xfd;

  static constexpr int kSpeechChannel = 15;

  // The song's patches, globals and speech texts must outlive the synth.
  Synth(const V2mSong& song, int rate);
  // Back to the state right after construction.
  void Reset();
  // Status bytes may be left out while they repeat (running status); the list
  // ends with kEndOfMessages. Understands note on/off (velocity 0 is off),
  // program change, CC 1..7, CC 120 (sound off) and CC 123 (notes off).
  void ProcessMessages(std::span<const uint8_t> msg);
  // Interleaved stereo floats.
  void Render(float* out, size_t frames);

  int ActiveVoices() const;

 private:
  struct ChannelState {
    uint8_t program = 0;
    std::array<uint8_t, 7> controller{};
  };

  void NoteOn(int ch, int note, int velocity);
  void NoteOff(int ch, int note);
  int PickVoice(int ch);
  const Patch& PatchFor(int ch) const;
  float ModSource(const Voice& v, int ch, int source) const;
  void UpdateVoice(int v);
  void UpdateChannel(int ch);
  void RenderFrame();

  const std::vector<Patch>& patches_;
  const std::array<uint8_t, kGlobalParamCount>& globals_;
  Patch fallback_;
  SynthRate rate_;

  uint8_t status_ = 0;  // running status
  uint32_t allocCounter_ = 0;
  std::array<int, kVoices> voiceChannel_{};  // -1 when free
  std::array<uint32_t, kVoices> voiceAge_{};
  std::array<int, 16> lastVoice_{};          // modulation source of each channel's effects
  std::array<ChannelState, 16> channels_{};
  std::array<Voice, kVoices> voices_;
  std::array<ChannelStrip, 16> strips_;
  Speech speech_;

  Reverb reverb_;
  ModDelay delay_;
  DcBlocker dc_;
  Compressor sumComp_;
  float lowCut_ = 0.0f, highCut_ = 1.0f;
  float lowCutState_[2] = {}, highCutState_[2] = {};

  std::vector<float> delayLines_;   // master delay, two sides
  std::vector<float> chorusLines_;  // 16 channels, two sides each

  // Frame buffers.
  int ready_ = 0;  // samples of the current frame not yet handed out
  std::vector<float> work_, work2_, reverbSend_, delaySend_;
  std::vector<StereoFrame> chan_, mix_, auxA_, auxB_;
};

}  // namespace quellor::music::v2m
