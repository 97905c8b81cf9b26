// Renders a V2M tune to a 16-bit stereo WAV file with our V2 player.
// Usage: v2m_render <tune.v2m> <out.wav> [seconds (default 20)] [--rate HZ] [--from MS]
//        v2m_render --fuzz-seeds <dir>   writes small self-made tunes as fuzzing seeds
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music/v2m/V2mTune.h"
#include "music/v2m/V2mWriter.h"

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> WavFile(const std::vector<float>& stereo, int rate) {
  std::vector<uint8_t> out;
  const uint32_t data = uint32_t(stereo.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 36 + data, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 2, 2);
  PutLe(out, uint32_t(rate), 4);
  PutLe(out, uint32_t(rate) * 4, 4);
  PutLe(out, 4, 2);
  PutLe(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, data, 4);
  for (float s : stereo) {
    const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    PutLe(out, uint32_t(int16_t(v)) & 0xffff, 2);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

// A few notes on two channels in the layout of `version`, optionally with lyrics
// on channel 16.
std::vector<uint8_t> SeedTune(int version, bool speech) {
  using namespace quellor::music::v2m;
  V2mSketch s;
  s.ticksPerBeat = 48;
  s.endTick = 192;
  s.tempo = {{0, 500000}, {96, 400000}};
  s.globals = InitialGlobals(version);
  const std::vector<uint8_t> params = InitialPatchParams(version);
  const Modulation mods[] = {{0, 127, 5}, {10, 70, 1}};
  s.patches = {PatchBytes(params, mods), PatchBytes(params, {})};
  const int voiceChannel = speech ? 15 : 1;
  s.channels[0].programs = {{0, 0}};
  s.channels[0].notes = {{0, 48, 100}, {24, 48, 0}, {48, 55, 90}, {120, 55, 0}};
  s.channels[0].controls[0] = {{0, 10}, {60, 90}};
  s.channels[size_t(voiceChannel)].programs = {{0, 1}};
  s.channels[size_t(voiceChannel)].notes = {{12, 60, 80}, {12, 64, 80}, {90, 60, 0}, {90, 64, 0}};
  if (speech) {
    s.speech = {"!ah_!2oh_", "sil eh"};
    s.channels[15].controls[3] = {{0, 0}, {100, 1}};
  }
  return WriteV2m(s);
}

bool WriteSeeds(const std::string& dir) {
  return WriteFile(dir + "/v6.v2m", SeedTune(6, false)) && WriteFile(dir + "/v0.v2m", SeedTune(0, false)) &&
         WriteFile(dir + "/v4.v2m", SeedTune(4, false)) && WriteFile(dir + "/speech.v2m", SeedTune(6, true));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--fuzz-seeds") == 0) {
    if (WriteSeeds(argv[2])) return 0;
    std::fprintf(stderr, "v2m_render: cannot write seeds to %s\n", argv[2]);
    return 1;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: v2m_render <tune.v2m> <out.wav> [seconds] [--rate HZ] [--from MS]\n");
    return 2;
  }
  double seconds = 20.0;
  int rate = 44100, from = 0;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc)
      rate = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--from") == 0 && i + 1 < argc)
      from = std::atoi(argv[++i]);
    else
      seconds = std::atof(argv[i]);
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "v2m_render: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  auto tune = quellor::music::OpenV2m(bytes, rate, &error);
  if (!tune) {
    std::fprintf(stderr, "v2m_render: %s\n", error.c_str());
    return 1;
  }
  if (from > 0) tune->SetPosition(from);
  std::vector<float> pcm(size_t(seconds * rate) * 2);
  tune->Render(pcm.data(), pcm.size() / 2);
  const std::vector<uint8_t> wav = WavFile(pcm, rate);
  if (!WriteFile(argv[2], wav)) {
    std::fprintf(stderr, "v2m_render: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: length %d ms, rendered %.1f s\n", argv[1], tune->LengthMs(), seconds);
  return 0;
}
