#include <cstdio>

int main() {
  std::fputs("Merinkast98: built without its sound device, so the window is not available.\n",
             stderr);
  return 1;
}
