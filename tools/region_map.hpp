// The picture of the `map` subcommand: the IAPWS-IF97 regions of water in the
// p-T plane, the bounds the library enforces on a one-phase call, and the
// states a caller asked for next to the states the library used.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/svg.hpp"

namespace kvtool {

struct map_mark {
  double T, P;            // the state asked for: K, Pa
  std::int64_t phase;     // 1 vapour, any other value liquid
  std::int64_t region;    // IF97 region the library settled it in: 1, 2, 3 or 5 (0 if it failed)
  double T_used, P_used;  // the state the library moved it to: K, Pa
  std::string label;      // short text, e.g. "liquid 700 K, 1e7 Pa"
};

// The plot box of the picture and its two axes. Pressure is logarithmic.
// Temperature is linear in two pieces: the regions below 1073.15 K hold the
// detail (regions 1 and 3 are 350 K and 240 K wide), so beyond 1073.15 K,
// where region 5 begins, the same kelvin takes a quarter of the width; the
// axis says so.
struct map_axes {
  static constexpr double left = 80.0;        // px
  static constexpr double right = 710.0;      // px
  static constexpr double top = 62.0;         // px
  static constexpr double bottom = 502.0;     // px
  static constexpr double T_min = 240.0;      // K
  static constexpr double T_break = 1073.15;  // K, where the scale changes: region 5 begins
  static constexpr double T_max = 2350.0;     // K
  static constexpr double compression = 4.0;  // -, kelvin per px above T_break over that below
  static constexpr double P_min = 50.0;       // Pa
  static constexpr double P_max = 3e8;        // Pa

  // Coordinates, always finite and inside the box: a value beyond an axis
  // (infinities included) sits on that edge, a NaN on the low edge.
  static double x_of_T(double T);
  static double y_of_P(double P);
  // Within the plotted ranges (and not NaN).
  static bool on_scale(double T, double P);
};

// The line that describes a mark in the picture's key (before escaping): its
// label, or one made from its phase and state when the label is empty; then
// "-> region N" or "-> failed" (with a real arrow); then whether a state is
// off the scale (drawn at the frame's edge) or not a number. Labels longer
// than 80 characters are cut.
std::string map_key_text(const map_mark& mark);

// A complete standalone SVG 1.1 document, 1100 px wide; its height
// grows by one line per mark. A state asked for is a ring, one beyond the
// axes a pointer on the frame's edge; marks at one place are rings around
// each other.
std::string region_map_svg(const std::vector<map_mark>& marks);

}  // namespace kvtool
