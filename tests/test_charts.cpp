// The pictures as a renderer draws them: rsvg-convert accepts every chart and
// the map whatever the marks, and each mark lands within a pixel of where its
// published state belongs, by the axes' own ranges.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
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
double chart_x(chart_kind k, double v) {
  const auto a = kvtool::layout_of(k).x;
  return linear(v, a.min, a.max, chart_layout::left, chart_layout::right);
}
double chart_y(chart_kind k, double v) {
  const auto a = kvtool::layout_of(k).y;
  return a.logarithmic ? logarithmic(v, a.min, a.max, chart_layout::bottom, chart_layout::top)
                       : linear(v, a.min, a.max, chart_layout::bottom, chart_layout::top);
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

// IAPWS-IF97 Table 5 (500 K, 3 MPa), Table 15 (700 K, 30 MPa) and Table 33
// (650 K, 500 kg/m3): T/degC, p/bar, h/(kJ/kg), s/(kJ/(kg K)).
struct published {
  std::optional<double> p_Pa, T_K, rho;
  double T_C, p_bar, h, s;
};
const published states[] = {
    {3e6, 500.0, std::nullopt, 226.85, 30.0, 975.542239, 2.58041912},
    {30e6, 700.0, std::nullopt, 426.85, 300.0, 2631.49474, 5.17540298},
    {std::nullopt, 650.0, 500.0, 376.85, 255.837018, 1863.43019, 4.05427273},
};

TEST(Charts, MarksLandWithinAPixelOfTheirStates) {
  std::vector<kvtool::chart_mark> marks;
  for (const published& s : states) marks.push_back(mark(s.p_Pa, s.T_K, s.rho));
  for (const chart_kind k : {chart_kind::Ts, chart_kind::hs, chart_kind::ph}) {
    const image im = render(kvtool::chart_svg(k, marks, false), "marks" + std::to_string(static_cast<int>(k)));
    ASSERT_EQ(im.error, "");
    for (const published& s : states) {
      const double x = chart_x(k, k == chart_kind::ph ? s.h : s.s);
      const double y = chart_y(k, k == chart_kind::Ts ? s.T_C : k == chart_kind::hs ? s.h : s.p_bar);
      const found f = centroid(im, chart_mark, x, y, 8.0);
      EXPECT_LE(std::hypot(f.x - x, f.y - y), 1.0)
          << "chart " << static_cast<int>(k) << ", state at " << s.T_C << " degC, " << s.p_bar << " bar: mark at ("
          << f.x << ", " << f.y << "), " << f.pixels << " pixels; belongs at (" << x << ", " << y << ")";
      EXPECT_GT(f.pixels, 40) << "a ring of 5.5 px";
    }
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
