#include <cstdio>

int main() {
  std::puts("KumaSec window: under construction");
  return 0;
}
