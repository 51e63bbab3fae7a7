// The pictures as a renderer draws them: rsvg-convert accepts every chart and
// the map whatever the marks, and each mark lands within a pixel of where its
// published state belongs, by the axes' own ranges.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "tools/chart.hpp"
#include "tools/region_map.hpp"

namespace {

using kvtool::chart_kind;
using kvtool::chart_layout;
using kvtool::map_axes;
using kvtool::map_mark;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct rgb {
  int r, g, b;
};
constexpr rgb chart_mark{0xd1, 0x10, 0x5a}, liquid_mark{0x15, 0x3e, 0x8c}, vapour_mark{0xa3, 0x16, 0x5a},
    failed_mark{0x55, 0x55, 0x55};

struct image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  std::string error;  // of the renderer or the reader
};

// The document rendered by rsvg-convert at 1 px per unit.
image render(const std::string& svg, const std::string& name) {
  image im;
  const std::string base = ::testing::TempDir() + name;
  std::ofstream(base + ".svg") << svg;
  const std::string command = std::string(RSVG_CONVERT) + " -o " + base + ".png " + base + ".svg 2>" + base + ".err";
  if (std::system(command.c_str()) != 0) {
    std::ifstream err(base + ".err");
    std::getline(err, im.error);
    im.error = "rsvg-convert: " + im.error;
    return im;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, (base + ".png").c_str())) {
    im.error = png.message;
    return im;
  }
  png.format = PNG_FORMAT_RGBA;
  im.width = static_cast<int>(png.width);
  im.height = static_cast<int>(png.height);
  im.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, im.rgba.data(), 0, nullptr)) im.error = png.message;
  for (const char* ext : {".svg", ".png", ".err"}) std::remove((base + ext).c_str());
  return im;
}

// The centre of the pixels near a colour within `window` px of (x, y), and how many there are.
struct found {
  double x, y;
  int pixels;
};
found centroid(const image& im, rgb colour, double x, double y, double window) {
  double sx = 0.0, sy = 0.0;
  int n = 0;
  for (int j = static_cast<int>(y - window); j <= static_cast<int>(y + window) + 1; ++j)
    for (int i = static_cast<int>(x - window); i <= static_cast<int>(x + window) + 1; ++i) {
      if (i < 0 || j < 0 || i >= im.width || j >= im.height) continue;
      // A pixel's centre is at (i + 0.5, j + 0.5).
      if (std::hypot(i + 0.5 - x, j + 0.5 - y) > window) continue;
      const unsigned char* p = &im.rgba[4 * (static_cast<std::size_t>(j) * im.width + i)];
      if (std::abs(p[0] - colour.r) + std::abs(p[1] - colour.g) + std::abs(p[2] - colour.b) > 60) continue;
      sx += i + 0.5;
      sy += j + 0.5;
      ++n;
    }
  return {n ? sx / n : nan, n ? sy / n : nan, n};
}

// Where a value belongs along an axis, restated from the axes' ranges.
double linear(double v, double lo, double hi, double from, double to) {
  return from + (v - lo) / (hi - lo) * (to - from);
}
double logarithmic(double v, double lo, double hi, double from, double to) {
  return from + std::log10(v / lo) / std::log10(hi / lo) * (to - from);
}
// Each diagram's frame as the pages give it, written out here and not taken
// from the program: with --units eng s in kJ/(kg K), T in degC, h in kJ/kg,
// p in bar; with --units si the same frame in J/(kg K), K, J/kg and Pa.
using kvtool::unit_system;
constexpr unit_system eng = unit_system::eng, si = unit_system::si;
struct frame_ranges {
  double x_min, x_max, y_min, y_max;
  bool y_logarithmic;
};
frame_ranges frame_of(chart_kind k, unit_system u = eng) {
  const bool in_si = u == si;
  const double kJ = in_si ? 1e3 : 1.0, K = in_si ? 273.15 : 0.0, bar = in_si ? 1e5 : 1.0;
  switch (k) {
    case chart_kind::Ts: return {0.0, 10.0 * kJ, 0.0 + K, 800.0 + K, false};
    case chart_kind::hs: return {5.0 * kJ, 9.5 * kJ, 1800.0 * kJ, 4000.0 * kJ, false};  // the engineer's Mollier frame
    case chart_kind::ph: return {0.0, 4200.0 * kJ, 0.01 * bar, 1000.0 * bar, true};
  }
  return {};
}
double chart_x(chart_kind k, double v, unit_system u = eng) {
  const frame_ranges f = frame_of(k, u);
  return linear(v, f.x_min, f.x_max, chart_layout::left, chart_layout::right);
}
double chart_y(chart_kind k, double v, unit_system u = eng) {
  const frame_ranges f = frame_of(k, u);
  return f.y_logarithmic ? logarithmic(v, f.y_min, f.y_max, chart_layout::bottom, chart_layout::top)
                         : linear(v, f.y_min, f.y_max, chart_layout::bottom, chart_layout::top);
}
bool in_frame(chart_kind k, double x, double y) {
  const frame_ranges f = frame_of(k);
  return x >= f.x_min && x <= f.x_max && y >= f.y_min && y <= f.y_max;
}
const char* units_name(unit_system u) { return u == si ? "si" : "eng"; }

// The part of an SVG document in the group of this id.
std::string group(const std::string& svg, const std::string& id) {
  const std::size_t start = svg.find("<g id=\"" + id + "\"");
  if (start == std::string::npos) return "";
  return svg.substr(start, svg.find("</g>", start) - start);
}

// The value of an attribute of the element starting at `at`, or NaN.
double attribute(const std::string& s, std::size_t at, const std::string& name) {
  const std::size_t end = s.find('>', at);
  const std::size_t a = s.find(" " + name + "=\"", at);
  if (a == std::string::npos || a > end) return nan;
  return std::strtod(s.c_str() + a + name.size() + 3, nullptr);
}

// The map: pressure logarithmic; temperature linear, 4 times denser beyond
// 1073.15 K, where region 5 begins (IAPWS-IF97 Fig. 1).
double map_x(double T) {
  constexpr double T_break = 1073.15, compression = 4.0;
  const double below = T_break - map_axes::T_min;
  const double span = below + (map_axes::T_max - T_break) / compression;
  const double kelvin = T <= T_break ? T - map_axes::T_min : below + (T - T_break) / compression;
  return linear(kelvin, 0.0, span, map_axes::left, map_axes::right);
}
double map_y(double P) { return logarithmic(P, map_axes::P_min, map_axes::P_max, map_axes::bottom, map_axes::top); }

kvtool::chart_mark mark(std::optional<double> p, std::optional<double> T, std::optional<double> rho = std::nullopt) {
  kvtool::state_inputs in;
  in.p = p, in.T = T, in.rho = rho;
  return kvtool::solve_mark(in);
}

TEST(Charts, RenderedWhateverTheMarks) {
  const std::vector<std::vector<map_mark>> maps = {
      {},
      {{nan, nan, 1, 0, nan, nan, "<&>\"' \xff"}, {inf, -inf, 2, 2, -inf, inf, ""}, {300.0, 1e5, 2, 1, 300.0, 1e5, ""}},
  };
  for (std::size_t i = 0; i < maps.size(); ++i) {
    const image im = render(kvtool::region_map_svg(maps[i]), "map" + std::to_string(i));
    EXPECT_EQ(im.error, "") << "map with " << maps[i].size() << " marks";
  }
  // Off the chart, no state, a two-phase state, a path through all of them.
  const std::vector<kvtool::chart_mark> marks = {mark(1e5, 2000.0), mark(2e8, 300.0), mark(1e5, 372.0),
                                                 mark(1e3, 1000.0), mark(nan, 300.0)};
  for (const chart_kind k : {chart_kind::Ts, chart_kind::hs, chart_kind::ph}) {
    const image im = render(kvtool::chart_svg(k, marks, true), "chart" + std::to_string(static_cast<int>(k)));
    EXPECT_EQ(im.error, "") << "chart " << static_cast<int>(k);
  }
}

// IAPWS-IF97 Table 5 (500 K, 3 MPa), Table 15 (700 K, 30 MPa; 300 K, 3.5 kPa)
// and Table 33 (650 K, 500 kg/m3): T/degC, p/bar, h/(kJ/kg), s/(kJ/(kg K)).
struct published {
  std::optional<double> p_Pa, T_K, rho;
  double T_C, p_bar, h, s;
};
const published states[] = {
    {3e6, 500.0, std::nullopt, 226.85, 30.0, 975.542239, 2.58041912},
    {30e6, 700.0, std::nullopt, 426.85, 300.0, 2631.49474, 5.17540298},
    {std::nullopt, 650.0, 500.0, 376.85, 255.837018, 1863.43019, 4.05427273},
    {3.5e3, 300.0, std::nullopt, 26.85, 0.035, 2549.91145, 8.52238967},
};

// In either unit system, by that system's axes.
TEST(Charts, MarksLandWithinAPixelOfTheirStates) {
  std::vector<kvtool::chart_mark> marks;
  for (const published& s : states) marks.push_back(mark(s.p_Pa, s.T_K, s.rho));
  for (const unit_system u : {eng, si})
    for (const chart_kind k : {chart_kind::Ts, chart_kind::hs, chart_kind::ph}) {
      const image im = render(kvtool::chart_svg({k, u}, marks, false), "marks" + std::to_string(static_cast<int>(k)));
      ASSERT_EQ(im.error, "");
      int inside = 0;
      for (const published& s : states) {
        const double xv = k == chart_kind::ph ? s.h : s.s;
        const double yv = k == chart_kind::Ts ? s.T_C : k == chart_kind::hs ? s.h : s.p_bar;
        if (!in_frame(k, xv, yv)) continue;  // drawn at the edge
        ++inside;
        // The state's values in the axes' units: kJ as J, degC as K, bar as Pa.
        const double x_shown = u == eng ? xv : 1e3 * xv;
        const double y_shown = u == eng ? yv : k == chart_kind::Ts ? yv + 273.15 : k == chart_kind::hs ? 1e3 * yv : 1e5 * yv;
        const double x = chart_x(k, x_shown, u), y = chart_y(k, y_shown, u);
        const found f = centroid(im, chart_mark, x, y, 8.0);
        EXPECT_LE(std::hypot(f.x - x, f.y - y), 1.0)
            << "chart " << static_cast<int>(k) << " --units " << units_name(u) << ", state at " << s.T_C << " degC, "
            << s.p_bar << " bar: mark at (" << f.x << ", " << f.y << "), " << f.pixels << " pixels; belongs at (" << x
            << ", " << y << ")";
        EXPECT_GT(f.pixels, 40) << "a ring of 5.5 px";
      }
      EXPECT_GE(inside, 2) << "chart " << static_cast<int>(k);
    }
}

// A frame given with --x-range and --y-range: a published state lands where
// those ranges alone put it (IAPWS-IF97 Table 5, 500 K and 3 MPa; Table 15,
// 700 K and 30 MPa).
TEST(Charts, MarksLandByTheRangesGiven) {
  const struct {
    chart_kind kind;
    kvtool::chart_layout frame;
    unit_system units;
    double x_value, y_value;
  } rows[] = {{chart_kind::Ts, {{2.0, 8.0, false}, {100.0, 500.0, false}}, eng, 2.58041912, 226.85},
              {chart_kind::Ts, {{2e3, 8e3, false}, {400.0, 800.0, false}}, si, 2580.41912, 500.0},
              {chart_kind::hs, {{2.0, 6.0, false}, {500.0, 3000.0, false}}, eng, 5.17540298, 2631.49474},
              {chart_kind::ph, {{500.0, 3000.0, false}, {10.0, 400.0, true}}, eng, 975.542239, 30.0},
              {chart_kind::ph, {{5e5, 3e6, false}, {1e6, 4e7, true}}, si, 975542.239, 3e6}};
  for (const auto& r : rows) {
    const kvtool::chart_view view(r.kind, r.frame, r.units);
    const std::vector<kvtool::chart_mark> marks = {
        r.kind == chart_kind::hs ? mark(30e6, 700.0) : mark(3e6, 500.0)};
    const image im = render(kvtool::chart_svg(view, marks, false), "range" + std::to_string(static_cast<int>(r.kind)));
    ASSERT_EQ(im.error, "");
    const double x = linear(r.x_value, r.frame.x.min, r.frame.x.max, chart_layout::left, chart_layout::right);
    const double y = r.frame.y.logarithmic
                         ? logarithmic(r.y_value, r.frame.y.min, r.frame.y.max, chart_layout::bottom, chart_layout::top)
                         : linear(r.y_value, r.frame.y.min, r.frame.y.max, chart_layout::bottom, chart_layout::top);
    const found f = centroid(im, chart_mark, x, y, 8.0);
    EXPECT_LE(std::hypot(f.x - x, f.y - y), 1.0) << "chart " << static_cast<int>(r.kind) << ": mark at (" << f.x
                                                   << ", " << f.y << "), belongs at (" << x << ", " << y << ")";
  }
}

// Each tick label stands where its value belongs by the frame's ranges in the
// units chosen: the labels under the x axis and beside the y axis, and on a
// logarithmic axis the unlabelled ticks at 2 and 5 of each decade. The axes'
// titles, the lines' names, the legend and the key name those units.
TEST(Charts, TickLabelsAndTicksStandAtTheirValues) {
  const struct {
    chart_kind kind;
    unit_system units;
    const char *x_title, *y_title, *line_name, *key_value;
  } rows[] = {
      {chart_kind::Ts, eng, "entropy s, kJ/(kg K)<", "temperature T, \u00b0C<", "10 bar<", "T = 300 \u00b0C"},
      {chart_kind::Ts, si, "entropy s, J/(kg K)<", "temperature T, K<", "1e6 Pa<", "T = 573.15 K"},
      {chart_kind::hs, eng, "entropy s, kJ/(kg K)<", "enthalpy h, kJ/kg<", "300 \u00b0C<", "p = 10 bar"},
      {chart_kind::hs, si, "entropy s, J/(kg K)<", "enthalpy h, J/kg<", "600 K<", "p = 1e6 Pa"},
      {chart_kind::ph, eng, "enthalpy h, kJ/kg<", "pressure p, bar (logarithmic)<", "400 \u00b0C<", "h = 3051.7 kJ/kg"},
      {chart_kind::ph, si, "enthalpy h, J/kg<", "pressure p, Pa (logarithmic)<", "700 K<", "h = 3.0517e6 J/kg"},
  };
  for (const auto& r : rows) {
    const chart_kind k = r.kind;
    const unit_system u = r.units;
    const std::string svg = kvtool::chart_svg({k, u}, {mark(1e6, 573.15)}, false);
    const std::string axes = group(svg, "axes");
    EXPECT_NE(axes.find(r.x_title), std::string::npos) << "chart " << static_cast<int>(k) << " --units " << units_name(u);
    EXPECT_NE(axes.find(r.y_title), std::string::npos) << "chart " << static_cast<int>(k) << " --units " << units_name(u);
    EXPECT_NE(group(svg, "line-labels").find(r.line_name), std::string::npos)
        << "chart " << static_cast<int>(k) << " --units " << units_name(u) << ": no line named " << r.line_name;
    EXPECT_NE(group(svg, "key").find(r.key_value), std::string::npos)
        << "chart " << static_cast<int>(k) << " --units " << units_name(u) << ": the key has no " << r.key_value;
    ASSERT_FALSE(axes.empty());
    int x_labels = 0, y_labels = 0, minor = 0;
    for (std::size_t at = axes.find("<text"); at != std::string::npos; at = axes.find("<text", at + 1)) {
      const double x = attribute(axes, at, "x"), y = attribute(axes, at, "y");
      const std::size_t open = axes.find('>', at) + 1;
      const std::string words = axes.substr(open, axes.find('<', open) - open);
      char* end = nullptr;
      const double value = std::strtod(words.c_str(), &end);
      if (end == words.c_str() || *end != '\0') continue;  // a title
      if (std::abs(y - (chart_layout::bottom + 20)) < 0.05) {
        ++x_labels;
        EXPECT_NEAR(x, chart_x(k, value, u), 0.06)
            << "chart " << static_cast<int>(k) << " --units " << units_name(u) << ": x label " << words;
      } else {
        ++y_labels;
        EXPECT_NEAR(y - 4, chart_y(k, value, u), 0.06)
            << "chart " << static_cast<int>(k) << " --units " << units_name(u) << ": y label " << words;
      }
    }
    EXPECT_GE(x_labels, 4) << "chart " << static_cast<int>(k) << " --units " << units_name(u);
    EXPECT_GE(y_labels, 4) << "chart " << static_cast<int>(k) << " --units " << units_name(u);
    const frame_ranges f = frame_of(k, u);
    if (!f.y_logarithmic) continue;
    // Minor ticks: 3 px long on the y axis.
    std::vector<double> expected;
    for (double decade = f.y_min; decade < f.y_max; decade *= 10.0)
      for (const double m : {2.0, 5.0}) expected.push_back(chart_y(k, m * decade, u));
    for (std::size_t at = axes.find("<line"); at != std::string::npos; at = axes.find("<line", at + 1)) {
      if (std::abs(attribute(axes, at, "x1") - (chart_layout::left - 3)) > 0.05) continue;
      ++minor;
      const double y = attribute(axes, at, "y1");
      const bool matches = std::any_of(expected.begin(), expected.end(), [&](double e) { return std::abs(y - e) < 0.06; });
      EXPECT_TRUE(matches) << "a minor tick at y = " << y << " is at no 2 or 5 of a decade";
    }
    EXPECT_EQ(minor, static_cast<int>(expected.size()));
  }
}

// The legend names the marks and the path only when the chart draws them;
// every line's name stands on a halo.
TEST(Charts, LegendListsWhatIsDrawnAndNamesHaveHalos) {
  const std::vector<kvtool::chart_mark> two = {mark(1e5, 400.0), mark(1e6, 500.0)};
  const struct {
    std::vector<kvtool::chart_mark> marks;
    bool path, lists_marks, lists_path;
  } rows[] = {{{}, false, false, false}, {two, false, true, false}, {two, true, true, true}, {{mark(2e8, 300.0)}, false, false, false}};
  for (const chart_kind k : {chart_kind::Ts, chart_kind::hs, chart_kind::ph}) {
    for (const auto& r : rows) {
      const std::string svg = kvtool::chart_svg(k, r.marks, r.path);
      const std::string legend = group(svg, "legend");
      EXPECT_EQ(legend.find("marked state") != std::string::npos, r.lists_marks)
          << "chart " << static_cast<int>(k) << " with " << r.marks.size() << " marks";
      EXPECT_EQ(legend.find("path joining") != std::string::npos, r.lists_path)
          << "chart " << static_cast<int>(k) << " with " << r.marks.size() << " marks, path " << r.path;
    }
    const std::string labels = group(kvtool::chart_svg(k, {}, false), "line-labels");
    int names = 0;
    for (std::size_t at = labels.find("<text"); at != std::string::npos; at = labels.find("<text", at + 1)) {
      ++names;
      const std::size_t halo = labels.rfind("<rect", at);
      ASSERT_NE(halo, std::string::npos) << "a name without a halo";
      const double hx = attribute(labels, halo, "x"), hy = attribute(labels, halo, "y");
      const double hw = attribute(labels, halo, "width"), hh = attribute(labels, halo, "height");
      const double x = attribute(labels, at, "x"), y = attribute(labels, at, "y");
      // The text's anchor point lies on the edge of the box it reads along.
      EXPECT_TRUE(x >= hx - 4 && x <= hx + hw + 4 && y >= hy - 4 && y <= hy + hh + 4)
          << "chart " << static_cast<int>(k) << ": a name at (" << x << ", " << y << ") off its halo";
    }
    EXPECT_GE(names, 9) << "chart " << static_cast<int>(k);
  }
}

TEST(Charts, MapMarksLandOnTheirStatesAndStayInTheFrame) {
  struct row {
    map_mark m;
    double x, y;  // where it belongs
    rgb colour;
    double window;
  };
  const row rows[] = {
      {{300.0, 3e6, 2, 1, 300.0, 3e6, ""}, map_x(300.0), map_y(3e6), liquid_mark, 7.5},
      {{700.0, 3e7, 1, 3, 700.0, 3e7, ""}, map_x(700.0), map_y(3e7), vapour_mark, 7.5},
      {{1500.0, 5e5, 1, 5, 1500.0, 5e5, ""}, map_x(1500.0), map_y(5e5), vapour_mark, 7.5},
      // Beyond the right edge (failed, so without a dot of the state used): a
      // pointer inside the frame, its centroid 2/3 of 11 px in.
      {{3000.0, 1e5, 1, 0, nan, nan, ""}, map_axes::right - 22.0 / 3.0, map_y(1e5), failed_mark, 9.0},
  };
  std::vector<map_mark> marks;
  for (const row& r : rows) marks.push_back(r.m);
  const image im = render(kvtool::region_map_svg(marks), "map-marks");
  ASSERT_EQ(im.error, "");
  for (const row& r : rows) {
    const found f = centroid(im, r.colour, r.x, r.y, r.window);
    EXPECT_LE(std::hypot(f.x - r.x, f.y - r.y), 1.0) << r.m.T << " K, " << r.m.P << " Pa: mark at (" << f.x << ", "
                                                     << f.y << "), belongs at (" << r.x << ", " << r.y << ")";
  }
  // Nothing of the mark beyond the frame, over the legend.
  EXPECT_EQ(centroid(im, failed_mark, map_axes::right + 12.0, map_y(1e5), 10.0).pixels, 0);
}

}  // namespace
