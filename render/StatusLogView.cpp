// PLACEHOLDER, replaced by the status log view: draws nothing yet.
#include "render/Frame.h"

namespace quellor {
void DrawStatusLog(IntroModel&, Engine&) {}
}
