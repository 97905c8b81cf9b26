#include "app/AppContext.h"

namespace quellor {
std::string NormalTitle(const IntroModel& m) {
  return "Quellor v" + m.ProgramVersion + " - " + m.ProjectName + ".ini";
}
}
