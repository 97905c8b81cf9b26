#include "app/CommandLine.h"

#include <cctype>
#include <climits>
#include <functional>

namespace quellor {

namespace {

// Larger surfaces than this cannot be opened as a window or render target anyway.
constexpr long kMaxScreenSide = 16384;

bool IEquals(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == 0;
}

// Leading decimal number of the text, like BASIC's Val: "800px" is 800, "x" is 0.
long LeadingNumber(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  long v = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
    if (v > (LONG_MAX - 9) / 10) return neg ? LONG_MIN : LONG_MAX;  // saturate, never overflow
    v = v * 10 + (s[i] - '0');
  }
  return neg ? -v : v;
}

bool UsableSide(long v) { return v > 0 && v <= kMaxScreenSide; }

// A strict positive number for our own options ("--frames 12x" is an error, not 12).
bool StrictPositive(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  out = std::stoi(s);
  return out > 0;
}

std::string Unquote(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

struct OptionSpec {
  const char* Name;
  bool TakesValue;
  std::function<bool(const std::string& value, CommandLine& cl)> Apply;  // false: bad value
};

const std::vector<OptionSpec>& Options() {
  static const std::vector<OptionSpec> kOptions = {
      {"--headless", false, [](const std::string&, CommandLine& cl) { return cl.Headless = true; }},
      {"--frames", true,
       [](const std::string& v, CommandLine& cl) {
         cl.Headless = true;  // a frame count only means something for a render to a file
         return StrictPositive(v, cl.Frames);
       }},
      {"--fps", true,
       [](const std::string& v, CommandLine& cl) {
         cl.Headless = true;
         return StrictPositive(v, cl.Fps) && cl.Fps <= 1000;
       }},
      {"--size", true,
       [](const std::string& v, CommandLine& cl) {
         size_t x = v.find_first_of("xX");
         int w = 0, h = 0;
         if (x == std::string::npos || !StrictPositive(v.substr(0, x), w) ||
             !StrictPositive(v.substr(x + 1), h) || w > kMaxScreenSide || h > kMaxScreenSide)
           return false;
         cl.SizeGiven = true;
         cl.Width = w;
         cl.Height = h;
         return true;
       }},
      {"--png", true,
       [](const std::string& v, CommandLine& cl) {
         cl.PngPath = v;
         cl.PngGiven = true;
         cl.Headless = true;
         return !v.empty();
       }},
      {"--audio-out", true,
       [](const std::string& v, CommandLine& cl) {
         cl.AudioOutPath = v;
         cl.Headless = true;
         return !v.empty();
       }},
      {"--load", true,
       [](const std::string& v, CommandLine& cl) {
         size_t eq = v.find('=');
         if (eq == std::string::npos || eq == 0 || eq + 1 == v.size()) return false;
         cl.Loads.push_back({v.substr(0, eq), v.substr(eq + 1)});
         return true;
       }},
      {"--set", true,
       [](const std::string& v, CommandLine& cl) {
         size_t eq = v.find('=');
         if (eq == std::string::npos || eq == 0) return false;
         cl.Sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
         return true;
       }},
      {"--text", true,
       [](const std::string& v, CommandLine& cl) {
         size_t eq = v.find('=');
         if (eq == std::string::npos || eq == 0) return false;
         cl.Texts.emplace_back(v.substr(0, eq), v.substr(eq + 1));
         return true;
       }},
      {"--pager-file", true,
       [](const std::string& v, CommandLine& cl) {
         cl.Texts.emplace_back("pager-file", v);
         return !v.empty();
       }},
      {"--trainer-file", true,
       [](const std::string& v, CommandLine& cl) {
         cl.Texts.emplace_back("trainer-file", v);
         return !v.empty();
       }},
      {"--help", false, [](const std::string&, CommandLine& cl) { return cl.Help = true; }},
  };
  return kOptions;
}

}  // namespace

bool ReadStartupCommandLine(const std::vector<std::string>& params, CommandLine& out) {
  if (params.empty() || !IEquals(params[0], "/SR")) return false;
  long w = params.size() > 1 ? LeadingNumber(params[1]) : 0;
  long h = params.size() > 2 ? LeadingNumber(params[2]) : 0;
  out.SizeGiven = true;
  out.Width = static_cast<int>(w);
  if (!UsableSide(w)) {
    out.Width = 640;
    out.Height = 480;
  }
  out.Height = static_cast<int>(h);
  if (!UsableSide(h)) {
    out.Width = 640;
    out.Height = 480;
  }
  // Our own options may follow a size-only restart line; they are never a project.
  out.Autoload = params.size() > 3 && params[3].rfind("--", 0) != 0 ? Unquote(params[3]) : std::string();
  return true;
}

CommandLine ParseCommandLine(const std::vector<std::string>& params) {
  CommandLine cl;
  size_t i = 0;
  if (ReadStartupCommandLine(params, cl)) {
    i = params.size() < 3 ? params.size() : 3;
    if (i < params.size() && params[i].rfind("--", 0) != 0) ++i;  // the autoload project
  }
  for (; i < params.size(); ++i) {
    const std::string& p = params[i];
    if (p == "--export") {
      if (i + 2 >= params.size()) {
        cl.Error = "--export needs a project and a target";
        return cl;
      }
      cl.ExportProject = params[++i];
      cl.ExportTarget = params[++i];
      continue;
    }
    const OptionSpec* option = nullptr;
    for (const OptionSpec& o : Options())
      if (p == o.Name) option = &o;
    // A lone project file names the intro to load (and, headless, to render).
    if (!option && p.rfind("--", 0) != 0 && cl.Autoload.empty() && p.size() > 4 &&
        IEquals(p.substr(p.size() - 4), ".ini")) {
      cl.Autoload = p;
      continue;
    }
    if (!option) {
      cl.Error = "unknown parameter: " + p;
      return cl;
    }
    std::string value;
    if (option->TakesValue) {
      if (i + 1 >= params.size()) {
        cl.Error = std::string(option->Name) + " needs a value";
        return cl;
      }
      value = params[++i];
    }
    if (!option->Apply(value, cl)) {
      cl.Error = "bad value for " + std::string(option->Name) + ": " + value;
      return cl;
    }
  }
  return cl;
}

void ApplyCommandLineSize(const CommandLine& cl, IntroModel& m) {
  if (!cl.SizeGiven) return;
  m.ScreenX = cl.Width;
  m.ScreenY = cl.Height;
}

std::string CommandLineUsage() {
  return "usage: quellor [/sr WIDTH HEIGHT [\"PROJECT\"]]\n"
         "       quellor --headless [--frames N] [--fps N] [--size WxH] [--png OUT.png]\n"
         "                [--audio-out OUT.wav] [--load KIND=PATH ...]\n"
         "                [PROJECT.ini] [--set Group.Key=VALUE ...] [--text scroller1=TEXT]\n"
         "                [--text scroller2=TEXT] [--pager-file PATH] [--trainer-file PATH]\n"
         "       (--frames, --fps, --png and --audio-out imply --headless; --fps N steps the clock\n"
         "        by exactly 1000/N ms per frame, so every run gives the same frames and sound)\n"
         "       quellor --export PROJECT.ini OUT      (Create Final without a window)\n";
}

}  // namespace quellor
