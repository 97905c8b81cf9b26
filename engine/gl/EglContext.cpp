#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/EngineErrors.h"
#include "engine/gl/GlEngine.h"

namespace quellor {

namespace {

bool HasExtension(const char* list, const char* name) {
  if (!list) return false;
  const size_t n = std::strlen(name);
  for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += n)
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
  return false;
}

class HeadlessEgl : public EglContext {
 public:
  ~HeadlessEgl() override {
    if (display_ == EGL_NO_DISPLAY) return;
    if (eglGetCurrentContext() == context_)
      eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
    if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
    // The display is not terminated: EGL hands out one display per platform and
    // process, shared by every context on it, and terminating it would also unload
    // the driver, leaving its remaining allocations to show up as unattributable
    // leaks. It goes with the process.
  }

  bool MakeCurrent() override {
    return eglMakeCurrent(display_, surface_, surface_, context_) == EGL_TRUE;
  }

  // Error number and reason, or 0 when the context is ready and current.
  int Init(std::string* why) {
    if (!OpenDisplay()) {
      *why = "no EGL display could be initialised";
      return 6;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
      *why = "EGL offers no desktop OpenGL";
      return 6;
    }
    EGLConfig config = nullptr;
    if (!ChooseConfig(&config)) {
      *why = "no EGL configuration for OpenGL";
      return 2;
    }
    const EGLint attrs[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                            EGL_CONTEXT_OPENGL_PROFILE_MASK,
                            EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, attrs);
    if (context_ == EGL_NO_CONTEXT) {
      *why = "no OpenGL 3.3 core context";
      return 2;
    }
    const char* ext = eglQueryString(display_, EGL_EXTENSIONS);
    if (HasExtension(ext, "EGL_KHR_surfaceless_context") &&
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
      return 0;
    // Fallback: a tiny pbuffer as the context's surface; drawing goes to the
    // engine's own framebuffer anyway.
    const EGLint pbAttrs[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, pbAttrs);
    if (surface_ == EGL_NO_SURFACE || !eglMakeCurrent(display_, surface_, surface_, context_)) {
      *why = "the OpenGL context cannot be made current";
      return 2;
    }
    return 0;
  }

 private:
  bool TryDisplay(EGLDisplay d) {
    if (d == EGL_NO_DISPLAY) return false;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(d, &major, &minor)) return false;
    display_ = d;
    return true;
  }

  bool OpenDisplay() {
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (HasExtension(client, "EGL_MESA_platform_surfaceless") &&
        TryDisplay(eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                            nullptr)))
      return true;
    if (HasExtension(client, "EGL_EXT_platform_device") &&
        HasExtension(client, "EGL_EXT_device_enumeration")) {
      EGLint n = 0;
      if (eglQueryDevicesEXT(0, nullptr, &n) && n > 0) {
        std::vector<EGLDeviceEXT> devices(static_cast<size_t>(n));
        if (eglQueryDevicesEXT(n, devices.data(), &n)) {
          for (EGLint i = 0; i < n; ++i)
            if (TryDisplay(eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr)))
              return true;
        }
      }
    }
    return TryDisplay(eglGetDisplay(EGL_DEFAULT_DISPLAY));
  }

  bool ChooseConfig(EGLConfig* config) {
    for (EGLint surfaceType : {EGL_PBUFFER_BIT, static_cast<EGLint>(EGL_DONT_CARE)}) {
      const EGLint attrs[] = {EGL_SURFACE_TYPE, surfaceType, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                              EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_NONE};
      EGLint n = 0;
      if (eglChooseConfig(display_, attrs, config, 1, &n) && n > 0) return true;
    }
    return false;
  }

  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLContext context_ = EGL_NO_CONTEXT;
  EGLSurface surface_ = EGL_NO_SURFACE;
};

}  // namespace

std::unique_ptr<EglContext> EglContext::Create(std::string* error, int* errorNumber) {
  auto ctx = std::make_unique<HeadlessEgl>();
  std::string why;
  int n = ctx->Init(&why);
  if (n != 0) {
    if (error) *error = std::string(EngineErrorMessage(n)) + " (" + why + ")";
    if (errorNumber) *errorNumber = n;
    return nullptr;
  }
  return ctx;
}

}  // namespace quellor
