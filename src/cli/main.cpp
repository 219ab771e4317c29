#include <cstdio>

int main() {
  std::puts("kumasec-cli: under construction");
  return 0;
}
