#include "engine/gl/GlContextProbe.h"

#include <dlfcn.h>
#include <epoxy/egl.h>

namespace quellor {

bool GlContextIsCurrent() {
  if (epoxy_has_egl() && eglGetCurrentContext() != EGL_NO_CONTEXT) return true;
  // GLX only when its library is already loaded (a window toolkit made the context);
  // looking it up otherwise would drag X11 into headless runs.
  void* glx = dlopen("libGLX.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (!glx) glx = dlopen("libGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
  if (!glx) return false;
  using GetCurrent = void* (*)();
  auto fn = reinterpret_cast<GetCurrent>(dlsym(glx, "glXGetCurrentContext"));
  bool current = fn && fn() != nullptr;
  dlclose(glx);
  return current;
}

}  // namespace quellor
