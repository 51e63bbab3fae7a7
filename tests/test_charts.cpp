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
#include "tools/svg.hpp"

namespace {

using kvtool::chart_kind;
using kvtool::chart_layout;
using kvtool::map_axes;
using kvtool::map_mark;
using svg_box = kvtool::svg::box;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct rgb {
  int r, g, b;
};
// The colours of the drawing, as the pages show them.
const char* const isobar_colour = "#2a8a7e";
const char* const isotherm_colour = "#d0602f";
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
        const double y_shown = u == eng                ? yv
                               : k == chart_kind::Ts ? yv + 273.15
                               : k == chart_kind::hs ? 1e3 * yv
                                                     : 1e5 * yv;
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
    const std::string where = "chart " + std::to_string(static_cast<int>(k)) + " --units " + units_name(u);
    EXPECT_NE(axes.find(r.x_title), std::string::npos) << where << ": no axis title " << r.x_title;
    EXPECT_NE(axes.find(r.y_title), std::string::npos) << where << ": no axis title " << r.y_title;
    EXPECT_NE(group(svg, "line-labels").find(r.line_name), std::string::npos) << where << ": no line named " << r.line_name;
    EXPECT_NE(group(svg, "key").find(r.key_value), std::string::npos) << where << ": the key has no " << r.key_value;
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
      // Each entry has its drawing, and each drawing its entry.
      const std::string lines = group(svg, "lines"), marks = group(svg, "marks");
      const struct {
        const char* entry;
        bool drawn;
      } entries[] = {{"isobars, ", lines.find(isobar_colour) != std::string::npos},
                     {"isotherms, ", lines.find(isotherm_colour) != std::string::npos},
                     {"vapour fraction", lines.find("stroke-dasharray") != std::string::npos},
                     {"marked state", marks.find("class=\"mark\"") != std::string::npos ||
                                          marks.find("class=\"pointer\"") != std::string::npos},
                     {"path joining", group(svg, "path").find("<polyline") != std::string::npos}};
      for (const auto& e : entries)
        EXPECT_EQ(legend.find(e.entry) != std::string::npos, e.drawn)
            << "chart " << static_cast<int>(k) << " with " << r.marks.size() << " marks: legend entry " << e.entry;
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


// --- Labels as the renderer sets them -----------------------------------

// Advance widths, em, of the glyphs the charts' names and numbers use, in
// DejaVu Sans (Book and Bold), the family rsvg-convert finds here; measured
// once by rendering runs of each glyph at 100 px. Others count as 0.75 em.
double advance(char32_t c, bool bold) {
  if (c >= U'0' && c <= U'9') return bold ? 0.696 : 0.636;
  switch (c) {
    case U'.': case U',': return bold ? 0.380 : 0.318;
    case U' ': return bold ? 0.348 : 0.318;
    case U'-': return bold ? 0.415 : 0.360;
    case U'a': return bold ? 0.675 : 0.613;
    case U'b': return bold ? 0.716 : 0.635;
    case U'r': return bold ? 0.494 : 0.411;
    case U'e': return bold ? 0.679 : 0.615;
    case U'C': return bold ? 0.734 : 0.698;
    case U'K': return bold ? 0.775 : 0.656;
    case U'P': return bold ? 0.733 : 0.603;
    case U'\u00b0': return 0.500;
    default: return 0.75;
  }
}

// A text element of the picture: where its glyphs stand and the colours it is written in.
struct label {
  std::string words;
  svg_box box;
  std::vector<rgb> colours;
};

rgb colour_of(const std::string& hex) {
  return {std::stoi(hex.substr(1, 2), nullptr, 16), std::stoi(hex.substr(3, 2), nullptr, 16),
          std::stoi(hex.substr(5, 2), nullptr, 16)};
}

std::string text_attribute(const std::string& s, std::size_t at, const std::string& name) {
  const std::size_t end = s.find('>', at);
  const std::size_t a = s.find(" " + name + "=\"", at);
  if (a == std::string::npos || a > end) return "";
  const std::size_t from = a + name.size() + 3;
  return s.substr(from, s.find('"', from) - from);
}

// The text elements of a group (of font size `size` unless they say): each
// one's box from its anchor, its advance widths, an ascent of 0.76 em and a
// descent of 0.15 em; turned with rotate(-90) it reads upwards.
std::vector<label> labels_of(const std::string& g, double size) {
  std::vector<label> found;
  for (std::size_t at = g.find("<text"); at != std::string::npos; at = g.find("<text", at + 1)) {
    label l;
    const double x = attribute(g, at, "x"), y = attribute(g, at, "y");
    const double em = std::isnan(attribute(g, at, "font-size")) ? size : attribute(g, at, "font-size");
    const bool bold = text_attribute(g, at, "font-weight") == "bold";
    const std::string anchor = text_attribute(g, at, "text-anchor");
    const bool upwards = text_attribute(g, at, "transform").starts_with("rotate(-90");
    if (const std::string fill = text_attribute(g, at, "fill"); !fill.empty()) l.colours.push_back(colour_of(fill));
    const std::size_t end = g.find("</text>", at);
    double w = 0.0;
    for (std::size_t i = g.find('>', at) + 1; i < end; ++i) {
      if (g[i] == '<') {
        const std::size_t close = g.find('>', i);
        if (const std::string fill = text_attribute(g, i, "fill"); !fill.empty() && g.compare(i, 6, "<tspan") == 0)
          l.colours.push_back(colour_of(fill));
        i = close;
        continue;
      }
      char32_t c = static_cast<unsigned char>(g[i]);
      if (c == 0xC2 && i + 1 < end) c = static_cast<unsigned char>(g[++i]);  // U+0080 to U+00BF
      l.words += g[i] == '\xb0' ? "\u00b0" : std::string(1, g[i]);
      w += advance(c, bold) * em;
    }
    const double start = anchor == "end" ? -w : anchor == "middle" ? -w / 2 : 0.0;
    const double ascent = 0.76 * em, descent = 0.15 * em;
    l.box = upwards ? svg_box{x - ascent, y - start - w, x + descent, y - start}
                    : svg_box{x + start, y - ascent, x + start + w, y + descent};
    found.push_back(l);
  }
  return found;
}

// The first pixel inside a label's box that is no blend of the page's white
// with one of the label's colours: a line beneath that no halo covers. A
// halo of 90 % white leaves a line beneath within 40 of white.
std::string line_under(const image& im, const label& l) {
  for (int j = static_cast<int>(std::ceil(l.box.y0 - 0.5)); j + 0.5 <= l.box.y1; ++j)
    for (int i = static_cast<int>(std::ceil(l.box.x0 - 0.5)); i + 0.5 <= l.box.x1; ++i) {
      if (i < 0 || j < 0 || i >= im.width || j >= im.height) continue;
      const unsigned char* p = &im.rgba[4 * (static_cast<std::size_t>(j) * im.width + i)];
      double nearest = 1e9;
      for (const rgb& c : l.colours) {
        // The distance from the pixel to the segment from white to c.
        const double d[] = {255.0 - c.r, 255.0 - c.g, 255.0 - c.b}, q[] = {255.0 - p[0], 255.0 - p[1], 255.0 - p[2]};
        const double along = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        const double t = std::clamp(along, 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(q[0] - t * d[0], q[1] - t * d[1], q[2] - t * d[2]));
      }
      if (nearest > 40.0) {
        char where[120];
        std::snprintf(where, sizeof where, "pixel (%d, %d) is rgb(%d, %d, %d)", i, j, p[0], p[1], p[2]);
        return where;
      }
    }
  return "";
}

// A mark's ring as drawn: its centre and outer radius.
struct ring {
  double x, y, r;
};
std::vector<ring> rings_of(const std::string& marks) {
  std::vector<ring> found;
  for (std::size_t at = marks.find("<circle"); at != std::string::npos; at = marks.find("<circle", at + 1))
    found.push_back({attribute(marks, at, "cx"), attribute(marks, at, "cy"), attribute(marks, at, "r")});
  return found;
}
bool box_meets_ring(const svg_box& b, const ring& c) {
  const double dx = std::max({b.x0 - c.x, 0.0, c.x - b.x1}), dy = std::max({b.y0 - c.y, 0.0, c.y - b.y1});
  return std::hypot(dx, dy) < c.r + 1.25;  // half the ring's 2.5 px stroke
}

std::vector<kvtool::chart_mark> rankine() {
  // 0.1 bar and 100 bar, 550 degC: the pump's and the turbine's ends.
  kvtool::state_inputs pumped, expanded, condensed;
  condensed.p = 1e4, condensed.x = 0.0;
  pumped.p = 1e7, pumped.s = 649.2;
  expanded.p = 1e4, expanded.s = 6758.4;
  return {kvtool::solve_mark(condensed), kvtool::solve_mark(pumped), mark(1e7, 823.15), kvtool::solve_mark(expanded),
          kvtool::solve_mark(condensed)};
}

// No name of a line and no mark's number has a line beneath it that its halo
// leaves seen, nor a mark over it, with or without marks and a path, in
// either unit system. A sixth mark stands where the T-s chart would name its
// line of x = 0.4, at 15 degC.
TEST(Charts, LabelsHideTheLinesBeneathThem) {
  std::vector<kvtool::chart_mark> marks = rankine();
  kvtool::state_inputs on_a_name;
  on_a_name.T = 288.15, on_a_name.x = 0.42;
  marks.push_back(kvtool::solve_mark(on_a_name));
  for (const unit_system u : {eng, si})
    for (const chart_kind k : {chart_kind::Ts, chart_kind::hs, chart_kind::ph})
      for (const bool marked : {false, true}) {
        const std::string svg = kvtool::chart_svg({k, u}, marked ? marks : std::vector<kvtool::chart_mark>{}, marked);
        const image im = render(svg, "halo" + std::to_string(static_cast<int>(k)));
        ASSERT_EQ(im.error, "");
        std::vector<label> all = labels_of(group(svg, "line-labels"), 11.0);
        const std::vector<label> numbers = labels_of(group(svg, "marks"), 12.0);
        all.insert(all.end(), numbers.begin(), numbers.end());
        EXPECT_GE(all.size(), marked ? 12u : 9u);
        for (const label& l : all)
          EXPECT_EQ(line_under(im, l), "") << "chart " << static_cast<int>(k) << " --units " << units_name(u)
                                           << (marked ? " with the Rankine cycle" : "") << ": label '" << l.words
                                           << "' at (" << l.box.x0 << ", " << l.box.y0 << ")";
      }
}

// 21 marks a few px apart: every number is drawn once, no two numbers' boxes
// meet, no number covers a ring, and each stands beside its ring or at the
// end of a leader line from it; where each mark belongs comes from its state's
// values and the axes' ranges.
TEST(Charts, CrowdedMarksKeepTheirNumbersApart) {
  const struct {
    chart_kind kind;
    double T_step;  // K between marks along the 10 bar isobar from 300 degC
  } rows[] = {
      {chart_kind::Ts, 5.0}, {chart_kind::hs, 5.0}, {chart_kind::ph, 5.0}, {chart_kind::Ts, 1.5}, {chart_kind::hs, 0.5},
  };
  for (const auto& r : rows) {
    std::vector<kvtool::chart_mark> marks;
    std::vector<std::pair<double, double>> belongs;
    for (int i = 0; i < 21; ++i) {
      marks.push_back(mark(1e6, 573.15 + r.T_step * i));
      const kviapws97::water::state& st = marks.back().state.state;
      const double x = r.kind == chart_kind::ph ? st.h / 1e3 : st.s / 1e3;
      const double y = r.kind == chart_kind::Ts ? st.T - 273.15 : r.kind == chart_kind::hs ? st.h / 1e3 : st.p / 1e5;
      belongs.emplace_back(chart_x(r.kind, x), chart_y(r.kind, y));
    }
    const std::string svg = kvtool::chart_svg(r.kind, marks, false);
    const std::string where = "chart " + std::to_string(static_cast<int>(r.kind)) + ", marks " +
                              std::to_string(r.T_step) + " K apart: ";
    const std::string marks_drawn = group(svg, "marks");
    const std::vector<label> numbers = labels_of(marks_drawn, 12.0);
    const std::vector<ring> rings = rings_of(marks_drawn);
    std::vector<int> seen(22, 0);
    for (std::size_t a = 0; a < numbers.size(); ++a) {
      for (std::size_t b = a + 1; b < numbers.size(); ++b)
        EXPECT_FALSE(numbers[a].box.overlaps(numbers[b].box))
            << where << "numbers '" << numbers[a].words << "' and '" << numbers[b].words << "' overlap";
      for (const ring& c : rings)
        EXPECT_FALSE(box_meets_ring(numbers[a].box, c))
            << where << "number '" << numbers[a].words << "' covers the ring at (" << c.x << ", " << c.y << ")";
      // Each number of the label, and whether it stands by its mark.
      std::size_t from = 0;
      const std::string& w = numbers[a].words;
      while (from < w.size()) {
        const std::size_t comma = std::min(w.find(',', from), w.size());
        const int n = std::stoi(w.substr(from, comma - from));
        from = comma + 2;
        ASSERT_TRUE(n >= 1 && n <= 21) << where << "a number " << n;
        ++seen[n];
        const auto [mx, my] = belongs[n - 1];
        const svg_box& bx = numbers[a].box;
        const auto distance = [&](double x, double y) {
          return std::hypot(std::max({bx.x0 - x, 0.0, x - bx.x1}), std::max({bx.y0 - y, 0.0, y - bx.y1}));
        };
        // The rings around the mark: its own, and those of marks at its place (within 2 px).
        double outer = 0.0;
        for (const ring& c : rings)
          if (std::hypot(c.x - mx, c.y - my) <= 2.5) outer = std::max(outer, c.r + std::hypot(c.x - mx, c.y - my));
        EXPECT_GE(outer, 5.0) << where << "no ring at mark " << n;
        bool joined = distance(mx, my) <= outer + 14.0;
        for (std::size_t at = marks_drawn.find("class=\"leader\""); !joined && at != std::string::npos;
             at = marks_drawn.find("class=\"leader\"", at + 1)) {
          const std::size_t start = marks_drawn.rfind("<line", at);
          const double x1 = attribute(marks_drawn, start, "x1"), y1 = attribute(marks_drawn, start, "y1");
          const double x2 = attribute(marks_drawn, start, "x2"), y2 = attribute(marks_drawn, start, "y2");
          // From the ring of its group (within the rings around each other) to the number's box.
          joined = std::hypot(x1 - mx, y1 - my) <= outer + 3.0 && distance(x2, y2) <= 1.5;
        }
        EXPECT_TRUE(joined) << where << "number " << n << " at (" << bx.x0 << ", " << bx.y0
                            << ") neither beside its mark at (" << mx << ", " << my << ") nor led to it";
      }
    }
    for (int n = 1; n <= 21; ++n) EXPECT_EQ(seen[n], 1) << where << "number " << n << " drawn " << seen[n] << " times";
    // Rendered, no number has a line showing beneath it.
    const image im = render(svg, "crowd" + std::to_string(static_cast<int>(r.kind)));
    ASSERT_EQ(im.error, "");
    for (const label& l : numbers) EXPECT_EQ(line_under(im, l), "") << where << "number '" << l.words << "'";
  }
}

// A mark beyond the axes has a pointer whose tip is where the path towards
// it leaves the frame, and which points along the path; where the path
// leaves comes from the states' values and the axes' ranges: a straight path
// between the two marks' places, or the isobar up to the top of the frame.
TEST(Charts, PointersMeetTheirPathsAtTheFramesEdge) {
  using water_result = kviapws97::water::result;
  const auto pT = [](double p, double T) { return kviapws97::water::pT(p, T); };
  const auto place = [](chart_kind k, const water_result& r) {
    const kviapws97::water::state& st = r.state;
    const double x = k == chart_kind::ph ? st.h / 1e3 : st.s / 1e3;
    const double y = k == chart_kind::Ts ? st.T - 273.15 : k == chart_kind::hs ? st.h / 1e3 : st.p / 1e5;
    return std::pair{chart_x(k, x), chart_y(k, y)};
  };
  const struct {
    chart_kind kind;
    std::vector<std::pair<double, double>> marks;  // (p/Pa, T/K)
    std::size_t beyond;                            // the index of the mark beyond
    bool isobar;                                   // the path follows the isobar to 800 degC, else straight
  } rows[] = {
      {chart_kind::Ts, {{1e6, 573.15}, {1e6, 1273.15}}, 1, true},         // up through the top, along 10 bar
      {chart_kind::Ts, {{1e6, 1273.15}, {1e6, 573.15}}, 0, true},         // the path from the mark after
      {chart_kind::Ts, {{1e5, 473.15}, {2e5, 1473.15}}, 1, false},        // straight, through the top
      {chart_kind::ph, {{1e6, 573.15}, {5e6, 1773.15}}, 1, false},        // straight, through the right edge
      {chart_kind::hs, {{1e7, 773.15}, {1e3, 573.15}, {1e7, 773.15}}, 1, false},  // right, there and back
  };
  for (const auto& r : rows) {
    std::vector<kvtool::chart_mark> marks;
    for (const auto& [p, T] : r.marks) marks.push_back(mark(p, T));
    const std::string svg = kvtool::chart_svg(r.kind, marks, true);
    const image im = render(svg, "pointer" + std::to_string(static_cast<int>(r.kind)));
    ASSERT_EQ(im.error, "");
    const std::string marks_drawn = group(svg, "marks");
    std::vector<std::pair<double, double>> tips;
    for (std::size_t at = marks_drawn.find("class=\"pointer\""); at != std::string::npos;
         at = marks_drawn.find("class=\"pointer\"", at + 1)) {
      const std::string d = text_attribute(marks_drawn, marks_drawn.rfind("<path", at), "d");
      tips.emplace_back(std::strtod(d.c_str() + 1, nullptr), std::strtod(d.c_str() + d.find(',') + 1, nullptr));
    }
    // Each path that reaches the mark beyond: from a mark inside to where it leaves the frame.
    const std::size_t n = r.marks.size();
    std::vector<std::size_t> neighbours;
    if (r.beyond > 0) neighbours.push_back(r.beyond - 1);
    if (r.beyond + 1 < n) neighbours.push_back(r.beyond + 1);
    if (n == 3) neighbours.resize(1);  // both paths come from one place: one pointer
    EXPECT_EQ(tips.size(), neighbours.size()) << "chart " << static_cast<int>(r.kind);
    for (std::size_t k = 0; k < std::min(tips.size(), neighbours.size()); ++k) {
      const auto [p_in, T_in] = r.marks[neighbours[k]];
      const auto [p_out, T_out] = r.marks[r.beyond];
      const auto a = place(r.kind, pT(p_in, T_in));
      std::pair<double, double> exit, towards;
      if (r.isobar) {
        // The 10 bar isobar meets the top of the frame at 800 degC; its direction there from 799 to 801 degC.
        exit = place(r.kind, pT(p_out, 1073.15));
        const auto below = place(r.kind, pT(p_out, 1072.15)), above = place(r.kind, pT(p_out, 1074.15));
        towards = {above.first - below.first, above.second - below.second};
      } else {
        const auto b = place(r.kind, pT(p_out, T_out));
        // The share of the way from a to b at which the line reaches the edge it crosses.
        const auto share = [](double from, double to, double edge, bool beyond) {
          return beyond ? (edge - from) / (to - from) : 1.0;
        };
        const double t = std::min({share(a.first, b.first, chart_layout::right, b.first > chart_layout::right),
                                   share(a.second, b.second, chart_layout::top, b.second < chart_layout::top),
                                   share(a.second, b.second, chart_layout::bottom, b.second > chart_layout::bottom)});
        exit = {a.first + t * (b.first - a.first), a.second + t * (b.second - a.second)};
        towards = {b.first - a.first, b.second - a.second};
      }
      const auto [tx, ty] = tips[k];
      EXPECT_LE(std::hypot(tx - exit.first, ty - exit.second), 1.0)
          << "chart " << static_cast<int>(r.kind) << ", the path from mark " << neighbours[k] + 1
          << ": pointer's tip at (" << tx << ", " << ty << "), the path leaves at (" << exit.first << ", "
          << exit.second << ")";
      // Rendered, the pointer's pixels lie along the path's direction: their
      // centre within a pixel of the line through the tip.
      const double length = std::hypot(towards.first, towards.second);
      const double ux = towards.first / length, uy = towards.second / length;
      const found f = centroid(im, chart_mark, exit.first - 5.0 * ux, exit.second - 5.0 * uy, 5.0);
      EXPECT_GT(f.pixels, 15) << "chart " << static_cast<int>(r.kind) << ": no pointer drawn at the exit";
      EXPECT_LE(std::fabs((f.x - exit.first) * uy - (f.y - exit.second) * ux), 1.0)
          << "chart " << static_cast<int>(r.kind) << ": the pointer at (" << f.x << ", " << f.y
          << ") does not point along the path (" << ux << ", " << uy << ")";
    }
  }
}

}  // namespace
