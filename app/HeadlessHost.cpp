#include "app/HeadlessHost.h"

#include <cstdio>

namespace quellor {

bool HeadlessHost::NextEvent(HostEvent& ev) {
  if (events_.empty()) return false;
  ev = events_.front();
  events_.pop_front();
  return true;
}

bool HeadlessHost::AskYesNo(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s (answered no, no display)\n", title.c_str(), text.c_str());
  return false;
}

void HeadlessHost::MessageBox(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void HeadlessHost::RestartProgram(const std::vector<std::string>& args) {
  // A headless render is one fixed run; a restart would leave a stray process behind.
  std::string line;
  for (const std::string& a : args) line += " " + a;
  std::fprintf(stderr, "restart not done without a display:%s\n", line.c_str());
}

}  // namespace quellor
