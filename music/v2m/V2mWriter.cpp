#include "music/v2m/V2mWriter.h"

namespace quellor::music::v2m {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// The three delta columns of a list in tick order.
template <typename Event>
void PutDeltas(std::vector<uint8_t>& out, const std::vector<Event>& events) {
  for (int byte = 0; byte < 3; ++byte) {
    uint32_t last = 0;
    for (const Event& e : events) {
      out.push_back(uint8_t((e.tick - last) >> (8 * byte)));
      last = e.tick;
    }
  }
}

// A payload column, delta coded against the previous value.
template <typename Event, typename Field>
void PutColumn(std::vector<uint8_t>& out, const std::vector<Event>& events, Field field) {
  uint8_t last = 0;
  for (const Event& e : events) {
    const uint8_t v = field(e);
    out.push_back(uint8_t(v - last));
    last = v;
  }
}

void PutValues(std::vector<uint8_t>& out, const std::vector<SketchValue>& list) {
  Put32(out, uint32_t(list.size()));
  PutDeltas(out, list);
  PutColumn(out, list, [](const SketchValue& e) { return e.value; });
}

}  // namespace

std::vector<uint8_t> WriteV2m(const V2mSketch& s) {
  std::vector<uint8_t> out;
  Put32(out, s.ticksPerBeat);
  Put32(out, s.endTick);
  Put32(out, uint32_t(s.tempo.size()));
  PutDeltas(out, s.tempo);
  for (const SketchTempo& t : s.tempo) Put32(out, t.usPerBeat);  // not delta coded
  for (const SketchTempo& t : s.tempo) out.push_back(t.numerator);
  for (const SketchTempo& t : s.tempo) out.push_back(t.denominator);
  for (size_t i = 0; i < s.tempo.size(); ++i) out.push_back(8);

  for (const SketchChannel& c : s.channels) {
    Put32(out, uint32_t(c.notes.size()));
    if (c.notes.empty()) continue;
    PutDeltas(out, c.notes);
    PutColumn(out, c.notes, [](const SketchNote& e) { return e.note; });
    PutColumn(out, c.notes, [](const SketchNote& e) { return e.velocity; });
    PutValues(out, c.programs);
    Put32(out, 0);  // pitch bends
    for (const auto& cc : c.controls) PutValues(out, cc);
  }

  Put32(out, uint32_t(s.globals.size()));
  out.insert(out.end(), s.globals.begin(), s.globals.end());

  std::vector<uint8_t> bank(4 * s.patches.size());
  for (size_t p = 0; p < s.patches.size(); ++p) {
    const uint32_t at = uint32_t(bank.size());
    for (int i = 0; i < 4; ++i) bank[4 * p + size_t(i)] = uint8_t(at >> (8 * i));
    bank.insert(bank.end(), s.patches[p].begin(), s.patches[p].end());
  }
  Put32(out, uint32_t(bank.size()));
  out.insert(out.end(), bank.begin(), bank.end());

  if (!s.speech.empty()) {
    std::vector<uint8_t> block;
    Put32(block, uint32_t(s.speech.size()));
    uint32_t at = uint32_t(4 + 4 * s.speech.size());
    for (const std::string& t : s.speech) {
      Put32(block, at);
      at += uint32_t(t.size() + 1);
    }
    for (const std::string& t : s.speech) {
      block.insert(block.end(), t.begin(), t.end());
      block.push_back(0);
    }
    Put32(out, uint32_t(block.size()));
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

std::vector<uint8_t> PatchBytes(std::span<const uint8_t> params, std::span<const Modulation> mods) {
  std::vector<uint8_t> out(params.begin(), params.end());
  out.push_back(uint8_t(mods.size()));
  for (const Modulation& m : mods) out.insert(out.end(), {m.source, m.amount, m.target});
  return out;
}

std::vector<uint8_t> InitialPatchParams(int version) {
  std::vector<uint8_t> out;
  for (const ParamInfo& p : kPatchParams)
    if (p.since <= version) out.push_back(p.initial);
  return out;
}

std::vector<uint8_t> InitialGlobals(int version) {
  std::vector<uint8_t> out;
  for (const ParamInfo& p : kGlobalParams)
    if (p.since <= version) out.push_back(p.initial);
  return out;
}

}  // namespace quellor::music::v2m
