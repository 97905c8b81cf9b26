#pragma once
// Whether an OpenGL context is current on this thread (EGL or GLX). GL calls through
// epoxy without one would abort the process, so the engine asks first.
namespace quellor {
bool GlContextIsCurrent();
}
