// The engineers' diagrams of water as SVG: T-s, h-s (Mollier) and p-h, with
// the saturation dome and the critical point, isobars, isotherms and lines of
// constant vapour fraction at round values, and marked states, joined in
// order on request. Every point drawn is a state of the SI state API.
#pragma once

#include <string>
#include <vector>

#include "tools/state.hpp"

namespace kvtool {

enum class chart_kind { Ts, hs, ph };

// One axis of a diagram in the units it is labelled in (those of --units:
// K, Pa, J/kg, J/(kg K), or degC, bar, kJ/kg, kJ/(kg K)); a logarithmic axis
// for pressure.
struct chart_axis {
  double min, max;
  bool logarithmic;
};

struct chart_layout {
  // The plot box, px.
  static constexpr double left = 80.0, right = 760.0, top = 60.0, bottom = 600.0;
  chart_axis x, y;
};

// A diagram's own frame in the units it is shown in; one frame in every unit system.
chart_layout layout_of(chart_kind kind, unit_system units = unit_system::eng);

// A diagram in a frame and units: its own (layout_of), or the ranges an
// engineer gave, in the units of its axes, its lines and its key (eng unless
// told; the program passes its --units, si by default).
struct chart_view {
  chart_kind kind;
  chart_layout layout;
  unit_system units = unit_system::eng;
  chart_view(chart_kind k, unit_system u = unit_system::eng)  // NOLINT: a diagram is its default view
      : kind(k), layout(layout_of(k, u)), units(u) {}
  chart_view(chart_kind k, const chart_layout& l, unit_system u = unit_system::eng) : kind(k), layout(l), units(u) {}
  operator chart_kind() const { return kind; }  // NOLINT
};

// A state's place on a diagram, px; beyond the box when the state is.
struct chart_point {
  double x, y;
};
chart_point place_on(const chart_view& view, const kviapws97::water::state& st);

// A marked state: what was given, and the state or why there is none.
struct chart_mark {
  state_inputs given;
  kviapws97::water::result state;
  std::string why;  // when the state failed
};
chart_mark solve_mark(const state_inputs& given);

// The SVG document, drawn 1000 units wide and shown `shown_width` px wide,
// one line of key per mark below the plot.
inline constexpr double chart_width = 1000.0;  // px as drawn
std::string chart_svg(const chart_view& view, const std::vector<chart_mark>& marks, bool path,
                      double shown_width = chart_width);

// The `chart` subcommand: the picture to `output` ("-" standard output), a
// line per mark as report; 1 when a mark has no state, 2 when the file
// cannot be written.
int run_chart(const chart_view& view, const std::vector<state_inputs>& marks, bool path, const std::string& output,
              double shown_width = chart_width);

}  // namespace kvtool
