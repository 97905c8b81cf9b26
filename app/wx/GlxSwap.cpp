#include "app/wx/GlxSwap.h"

#include <epoxy/glx.h>

namespace quellor {

bool SetGlxSwapIntervalOne() {
  Display* dpy = glXGetCurrentDisplay();
  GLXDrawable drawable = glXGetCurrentDrawable();
  if (!dpy || !drawable) return false;
  int screen = DefaultScreen(dpy);
  if (epoxy_has_glx_extension(dpy, screen, "GLX_EXT_swap_control")) {
    glXSwapIntervalEXT(dpy, drawable, 1);
    return true;
  }
  if (epoxy_has_glx_extension(dpy, screen, "GLX_MESA_swap_control"))
    return glXSwapIntervalMESA(1) == 0;
  if (epoxy_has_glx_extension(dpy, screen, "GLX_SGI_swap_control"))
    return glXSwapIntervalSGI(1) == 0;
  return false;
}

double GlxRefreshHz() {
  Display* dpy = glXGetCurrentDisplay();
  GLXDrawable drawable = glXGetCurrentDrawable();
  if (!dpy || !drawable || !epoxy_has_glx_extension(dpy, DefaultScreen(dpy), "GLX_OML_sync_control"))
    return 0.0;
  int32_t numerator = 0, denominator = 0;
  if (!glXGetMscRateOML(dpy, drawable, &numerator, &denominator) || denominator <= 0) return 0.0;
  return static_cast<double>(numerator) / denominator;
}

}  // namespace quellor
