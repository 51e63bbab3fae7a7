// Writes the map picture with a few typical states to the file named by the
// first argument, for the rendering check: a state in range, states moved to
// each kind of bound, one off the scale and a label with markup characters.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/region_map.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.svg\n", argv[0]);
    return 2;
  }
  const std::vector<kvtool::map_mark> marks = {
      {700.0, 1e7, 2, 3, 647.096, 22.064e6, "liquid 700 K, 1e7 Pa"},
      {1500.0, 6e7, 1, 5, 1500.0, 5e7, "vapour 1500 K, 6e7 Pa"},
      {300.0, 1e5, 2, 1, 300.0, 1e5, "liquid 300 K, 1e5 Pa"},
      {250.0, 100.0, 1, 2, 273.15, 100.0, "vapour 250 K, 100 Pa"},
      {2500.0, 1e5, 1, 5, 2273.15, 1e5, "vapour 2500 K & 1e5 Pa <hot>"},
  };
  const std::string svg = kvtool::region_map_svg(marks);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(svg.data(), 1, svg.size(), out) == svg.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
