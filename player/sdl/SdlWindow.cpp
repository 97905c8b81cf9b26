#include "player/sdl/SdlWindow.h"

#include <SDL2/SDL.h>

#include "engine/Input.h"
#include "player/sdl/SdlKeys.h"

namespace quellor {

SdlWindow::~SdlWindow() {
  if (context_) SDL_GL_DeleteContext(context_);
  if (window_) SDL_DestroyWindow(window_);
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Open(int w, int h, bool full, std::string* err) {
  auto fail = [&](const char* what) {
    if (err) *err = std::string(what) + ": " + SDL_GetError();
    return false;
  };
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail("no video");
  sdlStarted_ = true;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (full) flags |= SDL_WINDOW_FULLSCREEN;
  if (onTop_) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
  if (!window_) return fail("no window");
  if (full) {
    // The display mode closest to the intro's resolution.
    SDL_DisplayMode want{};
    want.w = w;
    want.h = h;
    SDL_DisplayMode got{};
    if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(window_), &want, &got))
      SDL_SetWindowDisplayMode(window_, &got);
  }
  context_ = SDL_GL_CreateContext(window_);
  if (!context_) return fail("no OpenGL 3.3 context");
  SDL_GL_MakeCurrent(window_, context_);
  SDL_GL_SetSwapInterval(1);
  SDL_ShowCursor(full ? SDL_DISABLE : SDL_ENABLE);
  return true;
}

void SdlWindow::Present() {
  if (window_) SDL_GL_SwapWindow(window_);
}

bool SdlWindow::Pump(Engine& e) {
  bool open = true;
  SDL_Event ev;
  while (SDL_PollEvent(&ev)) {
    switch (ev.type) {
      case SDL_QUIT: open = false; break;
      case SDL_WINDOWEVENT:
        if (ev.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const int dik = DikFromSdlScancode(ev.key.keysym.scancode);
        if (dik) e.SetKeyState(dik, ev.type == SDL_KEYDOWN);
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const bool down = ev.type == SDL_MOUSEBUTTONDOWN;
        if (ev.button.button == SDL_BUTTON_LEFT) {
          e.SetMouseButton(kMouseLeft, down);
          dragging_ = drag_ && down;
          grabX_ = ev.button.x;
          grabY_ = ev.button.y;
        } else if (ev.button.button == SDL_BUTTON_RIGHT) {
          e.SetMouseButton(kMouseRight, down);
        }
        break;
      }
      case SDL_MOUSEMOTION:
        if (dragging_ && (ev.motion.state & SDL_BUTTON_LMASK)) {
          int gx = 0, gy = 0;
          SDL_GetGlobalMouseState(&gx, &gy);
          SDL_SetWindowPosition(window_, gx - grabX_, gy - grabY_);
        }
        break;
      default: break;
    }
  }
  return open;
}

void SdlWindow::MousePosition(int& x, int& y) const { SDL_GetMouseState(&x, &y); }

bool SdlWindow::Focused() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool SdlWindow::AskFullScreen(const std::string& title) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Windowed"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Fullscreen"},
  };
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION;
  box.title = title.c_str();
  box.message = "Start the intro in full screen?";
  box.numbuttons = 2;
  box.buttons = buttons;
  int chosen = 0;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return false;
  return chosen == 1;
}

}  // namespace quellor
