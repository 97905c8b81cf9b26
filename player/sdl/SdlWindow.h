#pragma once
// The exported intro's window: a plain SDL2 window with an OpenGL 3.3 core context,
// windowed or full screen at the intro's resolution, optionally on top of the others
// and draggable by any point. Input goes to the engine as DIK codes.
#include <string>

#include "engine/Engine.h"

struct SDL_Window;

namespace quellor {

class SdlWindow {
 public:
  SdlWindow() = default;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;
  ~SdlWindow();

  // Set before Open.
  void SetTitle(const std::string& title) { title_ = title; }
  void SetOnTop(bool on) { onTop_ = on; }
  void SetDragByAnyPoint(bool on) { drag_ = on; }

  // Opens the window w x h (full screen: that display mode) and makes its GL context
  // current. False with the reason when SDL, the window or the context fails.
  bool Open(int w, int h, bool full, std::string* err);
  void Present();
  // Takes every pending event: keys and buttons go to the engine, a drag moves the
  // window. False once the window was asked to close.
  bool Pump(Engine& e);
  void MousePosition(int& x, int& y) const;
  bool Focused() const;

  // The start-up question of an intro that lets the viewer choose: true for full
  // screen. A requester that cannot be shown answers "windowed".
  static bool AskFullScreen(const std::string& title);

 private:
  SDL_Window* window_ = nullptr;
  void* context_ = nullptr;
  bool sdlStarted_ = false;
  std::string title_ = "Quellor";
  bool onTop_ = false, drag_ = false;
  bool dragging_ = false;
  int grabX_ = 0, grabY_ = 0;
};

}  // namespace quellor
