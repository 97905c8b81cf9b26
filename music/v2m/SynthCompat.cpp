#include "music/v2m/SynthCompat.h"

namespace quellor::music::v2m {

SynthCompat& ActiveCompat() {
  static SynthCompat compat;
  return compat;
}

}  // namespace quellor::music::v2m
