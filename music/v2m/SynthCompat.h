#pragma once
// Behaviours in which the known V2 implementations disagree with each other.
// Kept switchable while they are measured against reference renderings.
namespace quellor::music::v2m {

struct SynthCompat {
  bool ladderFeedbackNegated = false;  // ladder stage pole as the C++ ports have it
  bool reverbCombUnfiltered = false;   // comb damping as a plain gain (one C++ port)
  bool noiseFilterRestarts = false;    // noise filter state dropped every frame (C++ ports)
};

SynthCompat& ActiveCompat();

}  // namespace quellor::music::v2m
