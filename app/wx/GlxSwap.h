#pragma once
namespace quellor {
// Asks the current GLX context's drawable to present once per vertical retrace.
// Kept apart from the toolkit headers, which bring their own GL declarations.
bool SetGlxSwapIntervalOne();
}
