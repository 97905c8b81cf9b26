#include "music/v2m/V2mParams.h"

namespace quellor::music::v2m {

// {version introduced, initial value}, in the order of the newest layout.
const ParamInfo kPatchParams[kPatchParamCount] = {
    {0, 64}, {2, 64},                                   // pan, transpose
    {0, 1}, {2, 0}, {0, 64}, {0, 64}, {0, 0}, {0, 127},   // oscillator 1: saw
    {0, 0}, {2, 0}, {0, 64}, {0, 64}, {0, 32}, {0, 127},  // oscillator 2: off
    {0, 0}, {2, 0}, {0, 64}, {0, 64}, {0, 32}, {0, 127},  // oscillator 3: off
    {0, 1}, {0, 127}, {0, 0},                           // filter 1: open low pass
    {0, 0}, {0, 64}, {0, 0},                            // filter 2: off
    {0, 0}, {3, 64},                                    // routing single, balance
    {0, 0}, {0, 32}, {0, 0}, {0, 64},                   // voice distortion off
    {0, 0}, {0, 64}, {0, 127}, {0, 64}, {0, 80}, {0, 0},   // amp envelope
    {0, 0}, {0, 64}, {0, 127}, {0, 64}, {0, 80}, {0, 64},  // envelope 2
    {0, 1}, {0, 1}, {0, 0}, {0, 64}, {0, 2}, {5, 0}, {0, 0},    // LFO 1
    {0, 1}, {0, 1}, {0, 0}, {0, 64}, {0, 2}, {5, 0}, {0, 127},  // LFO 2
    {0, 0},                                             // key sync
    {0, 0}, {6, 0}, {6, 0}, {6, 0}, {6, 0},             // volume, aux A/B receive and send
    {0, 0}, {0, 0}, {0, 0}, {1, 0},                     // reverb, delay, fx route, boost
    {0, 0}, {0, 32}, {0, 100}, {0, 64},                 // channel distortion off
    {0, 64}, {0, 64}, {0, 32}, {0, 32}, {0, 0}, {0, 0}, {0, 64},  // chorus off
    {1, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 90}, {1, 32}, {1, 20}, {1, 64}, {1, 64},  // compressor
    {0, 1},                                             // max polyphony
};

const ParamInfo kGlobalParams[kGlobalParamCount] = {
    {0, 64}, {0, 64}, {4, 32}, {0, 127},                       // reverb
    {0, 100}, {0, 80}, {0, 64}, {0, 64}, {0, 0}, {0, 0}, {0, 64},  // delay
    {0, 0}, {0, 127},                                          // post low / high cut
    {1, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 90}, {1, 32}, {1, 20}, {1, 64}, {1, 64},  // sum compressor
    {6, 0},                                                    // editor colour, unused
};

namespace {
template <int N>
int CountUpTo(const ParamInfo (&table)[N], int version) {
  int n = 0;
  for (const ParamInfo& p : table) n += p.since <= version ? 1 : 0;
  return n;
}
}  // namespace

int PatchParamCount(int version) { return CountUpTo(kPatchParams, version); }
int GlobalParamCount(int version) { return CountUpTo(kGlobalParams, version); }

}  // namespace quellor::music::v2m
