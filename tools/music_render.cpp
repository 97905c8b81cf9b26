// Renders the first seconds of a tune to a 16-bit stereo WAV at 44100 Hz, through the
// same replayers the editor plays: music_render TUNE OUT.wav [SECONDS] [--song N]
// The replayer follows the file's extension.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music/MusicFormats.h"
#include "music/TuneFactory.h"
#include "music/WavFile.h"

using namespace quellor::music;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: music_render TUNE OUT.wav [SECONDS] [--song N]\n");
    return 2;
  }
  std::string in = argv[1], out = argv[2];
  double seconds = 20.0;
  TuneOptions opt;
  for (int i = 3; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--song" && i + 1 < argc) opt.SidSong = std::atoi(argv[++i]);
    else seconds = std::atof(a.c_str());
  }
  auto type = TypeForExtension(LowerExtension(in));
  if (!type) {
    std::fprintf(stderr, "music_render: no replayer for %s\n", in.c_str());
    return 1;
  }
  std::ifstream f(in, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::string why;
  std::unique_ptr<Tune> tune = OpenTune(bytes, *type, opt, &why);
  if (!tune) {
    std::fprintf(stderr, "music_render: %s: %s\n", in.c_str(), why.c_str());
    return 1;
  }
  size_t frames = static_cast<size_t>(seconds * kOutputRate);
  std::vector<float> pcm(frames * 2);
  tune->Render(pcm.data(), frames);
  std::vector<int16_t> s16(pcm.size());
  for (size_t i = 0; i < pcm.size(); ++i) s16[i] = ToPcm16(pcm[i]);
  if (!WriteWav16(out, s16, kOutputRate, 2, &why)) {
    std::fprintf(stderr, "music_render: %s\n", why.c_str());
    return 1;
  }
  std::printf("music_render: %.1f s of %s written to %s\n", seconds, in.c_str(), out.c_str());
  return 0;
}
