#pragma once
namespace quellor {
// Asks the current GLX context's drawable to present once per vertical retrace.
// Kept apart from the toolkit headers, which bring their own GL declarations.
bool SetGlxSwapIntervalOne();
// Refresh rate in Hz of the current GLX drawable's display; 0 when GLX cannot tell.
double GlxRefreshHz();
}
