#pragma once
// The V2 sound parameter set in its newest layout, and the history of how it grew.
// Files store only the parameters that existed when they were written, so every
// table entry records the synth version that introduced it.
#include <cstdint>

namespace quellor::music::v2m {

constexpr int kNewestSynthVersion = 6;

// Patch parameters: the voice part first, then the channel part, then the
// polyphony byte. A patch in a file is these bytes, a modulation count and
// three bytes per modulation (source, amount with 64 = none, target parameter).
constexpr int kVoiceParamCount = 59;
constexpr int kChannelParamCount = 29;
constexpr int kPatchParamCount = kVoiceParamCount + kChannelParamCount + 1;
constexpr int kGlobalParamCount = 23;

// Indices into the newest patch layout.
enum PatchParam : int {
  kPan = 0,
  kTranspose = 1,
  kOscFirst = 2,  // three oscillators of kOscStride parameters
  kFilterFirst = 20,  // two filters of kFilterStride parameters
  kRouting = 26,
  kFilterBalance = 27,
  kVoiceDistFirst = 28,
  kEnvFirst = 32,  // two envelopes of kEnvStride parameters
  kLfoFirst = 44,  // two LFOs of kLfoStride parameters
  kKeySync = 58,
  kChanVolume = 59,
  kAuxARecv = 60,
  kAuxBRecv = 61,
  kAuxASend = 62,
  kAuxBSend = 63,
  kReverbSend = 64,
  kDelaySend = 65,
  kFxRoute = 66,
  kBassBoost = 67,
  kChanDistFirst = 68,
  kChorusFirst = 72,
  kCompFirst = 79,
  kMaxPoly = 88,
};
constexpr int kOscStride = 6;     // mode, ring, transpose, detune, colour, volume
constexpr int kFilterStride = 3;  // mode, cutoff, resonance
constexpr int kEnvStride = 6;     // attack, decay, sustain, sustain time, release, amplify
constexpr int kLfoStride = 7;     // mode, key sync, envelope mode, rate, phase, polarity, amplify
// Distortion: mode, input gain, param 1, param 2. Chorus/delay: amount, feedback,
// left length, right length, mod rate, mod depth, mod phase. Compressor: mode,
// stereo couple, auto gain, lookahead, threshold, ratio, attack, release, out gain.

// Indices into the newest global parameter layout.
enum GlobalParam : int {
  kReverbFirst = 0,   // time, high cut, low cut, volume
  kDelayFirst = 4,    // same seven as the chorus
  kPostLowCut = 11,
  kPostHighCut = 12,
  kSumCompFirst = 13,  // same nine as the channel compressor
};

struct ParamInfo {
  uint8_t since;    // synth version that introduced the parameter
  uint8_t initial;  // value of a fresh patch (used for parameters a file lacks)
};

extern const ParamInfo kPatchParams[kPatchParamCount];
extern const ParamInfo kGlobalParams[kGlobalParamCount];

// Number of patch / global parameters a file of the given synth version stores.
int PatchParamCount(int version);
int GlobalParamCount(int version);

struct Modulation {
  uint8_t source;  // 0 velocity, 1..7 controllers, 8/9 envelopes, 10/11 LFOs, 12 note
  uint8_t amount;  // 0..127, 64 = no effect
  uint8_t target;  // patch parameter index
};

}  // namespace quellor::music::v2m
