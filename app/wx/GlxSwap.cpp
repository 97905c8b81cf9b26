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

}  // namespace quellor
