#include "tools/region_map.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"

namespace kvtool {
namespace {

// IAPWS-IF97 R7-97(2012), Section 4 and Fig. 1: the range of the regions.
constexpr double T_low = 273.15;              // K, lowest temperature of regions 1 and 2
constexpr double T_r1 = if97::T_region1_max;  // K, region 1 ends, B23 begins
constexpr double T_b23 = if97::T_b23_max;     // K, B23 ends at 100 MPa
constexpr double T_r2 = if97::T_region2_max;  // K, region 2 ends, region 5 begins
constexpr double T_r5 = 2273.15;              // K, region 5 ends
constexpr double P_high = 1e8;                // Pa, top of regions 1 to 3
constexpr double P_r5 = 5e7;                  // Pa, top of region 5
constexpr double T_crit = if97::T_c;          // K
constexpr double P_crit = if97::p_c * 1e6;    // Pa

constexpr double width = 1100.0;            // px, the whole picture
constexpr double key_top = 580.0;           // px, first line of the key of the marks
constexpr double key_line = 18.0;           // px, per mark
constexpr double legend_left = 730.0;       // px
constexpr double asked_radius = 5.5;        // px
constexpr double used_radius = 3.5;         // px
constexpr std::size_t label_chars = 80;     // code points kept of a label
constexpr double same_state = 1e-9;         // -, relative change below which a state counts as not moved
constexpr double region_label_size = 14.0;  // px, font size
constexpr double label_char_width = 0.62;   // -, of the font size, a generous average for DejaVu Sans
constexpr double critical_label_P = 2.5e6;  // Pa, baseline of the critical point's name
constexpr double line_label_size = 10.5;    // px, font size of the lines' names
constexpr std::string_view critical_point_values = "647.096 K, 22.064 MPa";

using svg::circle;
using svg::line;
using svg::num;
using svg::text;

std::string point(double T, double P) { return num(map_axes::x_of_T(T)) + "," + num(map_axes::y_of_P(P)); }

double psat_pa(double T) { return if97::psat(T) * 1e6; }
double pb23_pa(double T) { return if97::pb23(T) * 1e6; }

// Points along a curve p(T) from T0 to T1, both ends included.
template <class curve>
std::string along(curve p, double T0, double T1, int steps) {
  std::string s;
  for (int i = 0; i <= steps; ++i) {
    const double T = T0 + (T1 - T0) * i / steps;
    s += point(T, p(T)) + " ";
  }
  return s;
}

bool vapour(const map_mark& m) { return m.phase == 1; }
const char* phase_colour(bool is_vapour) { return is_vapour ? "#a3165a" : "#153e8c"; }
const char* mark_colour(const map_mark& m) { return phase_colour(vapour(m)); }

bool has_nan(double T, double P) { return std::isnan(T) || std::isnan(P); }

bool moved(const map_mark& m) {
  // A NaN on either side counts as a change.
  const auto differ = [](double a, double b) {
    return !(std::abs(a - b) <= same_state * std::max(std::abs(a), std::abs(b)));
  };
  return differ(m.T, m.T_used) || differ(m.P, m.P_used);
}

struct region_fill {
  const char* fill;
  const char* ink;  // the label's colour
};
constexpr region_fill region1{"#c9def5", "#1b4f8a"};
constexpr region_fill region2{"#fbe7b5", "#8a5a00"};
constexpr region_fill region3{"#dcd0f2", "#4b2a8a"};
constexpr region_fill region5{"#f6cfc9", "#8a2a1b"};

std::string polygon(const std::string& points, const region_fill& r) {
  return "<polygon points=\"" + points + "\" fill=\"" + r.fill + "\" stroke=\"#ffffff\" stroke-width=\"1.5\"/>\n";
}

std::string regions() {
  const double b = map_axes::P_min;
  std::string s = "<g id=\"regions\">\n";
  s += polygon(along(psat_pa, T_low, T_r1, 60) + point(T_r1, P_high) + " " + point(T_low, P_high), region1);
  s += polygon(point(T_low, b) + " " + along(psat_pa, T_low, T_r1, 60) + along(pb23_pa, T_r1, T_b23, 40) +
                   point(T_r2, P_high) + " " + point(T_r2, b),
               region2);
  s += polygon(along(pb23_pa, T_r1, T_b23, 40) + point(T_r1, P_high), region3);
  s += polygon(point(T_r2, b) + " " + point(T_r2, P_r5) + " " + point(T_r5, P_r5) + " " + point(T_r5, b), region5);
  return s + "</g>\n";
}

// Decades of pressure and steps of temperature; the light lines over the
// fills help to read a mark's state off the axes.
std::string axes_and_grid() {
  const double L = map_axes::left, R = map_axes::right, top = map_axes::top, bot = map_axes::bottom;
  std::string s = "<g id=\"axes\" font-size=\"12\" fill=\"#222222\">\n";
  const char* decade_names[] = {"100 Pa", "1 kPa", "10 kPa", "100 kPa", "1 MPa", "10 MPa", "100 MPa"};
  for (int e = 2; e <= 8; ++e) {
    const double y = map_axes::y_of_P(std::pow(10.0, e));
    s += line(L, y, R, y, "stroke=\"#000000\" stroke-opacity=\"0.12\"");
    s += line(L - 6, y, L, y, "stroke=\"#222222\"");
    s += text(L - 9, y + 4, decade_names[e - 2], "text-anchor=\"end\"");
    for (int k = 2; k <= 9; ++k) {
      for (const int decade : {e - 1, e}) {
        const double P = k * std::pow(10.0, decade);
        if (decade == e && e != 8) continue;
        if (P < map_axes::P_min || P > map_axes::P_max) continue;
        const double yk = map_axes::y_of_P(P);
        s += line(L - 3, yk, L, yk, "stroke=\"#222222\"");
      }
    }
  }
  for (int T = 300; T <= 2300; T += 100) {
    const bool labelled = T <= 1000 || T % 500 == 0;
    const double x = map_axes::x_of_T(T);
    if (labelled) s += line(x, top, x, bot, "stroke=\"#000000\" stroke-opacity=\"0.12\"");
    s += line(x, bot, x, bot + (labelled ? 6 : 3), "stroke=\"#222222\"");
    if (labelled) s += text(x, bot + 18, std::to_string(T), "text-anchor=\"middle\"");
  }
  // The break in the temperature scale: a dotted line and a mark on the axis.
  const double xb = map_axes::x_of_T(map_axes::T_break);
  s += line(xb, top, xb, bot, "stroke=\"#555555\" stroke-dasharray=\"1,3\"");
  s += "<path d=\"M" + num(xb - 4) + "," + num(bot + 5) + " L" + num(xb) + "," + num(bot - 5) + " M" + num(xb + 1) +
       "," + num(bot + 5) + " L" + num(xb + 5) + "," + num(bot - 5) + "\" stroke=\"#222222\" stroke-width=\"1.2\"/>\n";
  s += text(xb + 5, top + 14, "scale 4&#215; compressed &#8594;", "font-size=\"12\" fill=\"#555555\"");
  s += "<rect x=\"" + num(L) + "\" y=\"" + num(top) + "\" width=\"" + num(R - L) + "\" height=\"" + num(bot - top) +
       "\" fill=\"none\" stroke=\"#222222\"/>\n";
  s += text((L + R) / 2, bot + 38, "temperature, K (linear; above 1073.15 K the scale is 4&#215; compressed)",
            "text-anchor=\"middle\" font-size=\"12\"");
  const double ym = (top + bot) / 2;
  s += text(22, ym, "pressure (logarithmic scale)",
            "text-anchor=\"middle\" font-size=\"12\" transform=\"rotate(-90 22 " + num(ym) + ")\"");
  return s + "</g>\n";
}

// The saturation line up to the critical point, B23 and the bounds a
// one-phase call is moved into.
std::string lines_and_bounds() {
  std::string s = "<g id=\"lines\" fill=\"none\">\n";
  s += "<polyline points=\"" + along(psat_pa, T_low, T_crit, 120) +
       "\" stroke=\"#1f5fd1\" stroke-width=\"2.2\" stroke-linejoin=\"round\"/>\n";
  s += "<polyline points=\"" + along(pb23_pa, T_r1, T_b23, 40) + "\" stroke=\"#6a35c9\" stroke-width=\"1.6\"/>\n";
  const double b = map_axes::P_min;
  s += "<polyline points=\"" + point(T_low, b) + " " + point(T_low, P_high) + " " + point(T_r2, P_high) + " " +
       point(T_r2, P_r5) + " " + point(T_r5, P_r5) + " " + point(T_r5, b) +
       "\" stroke=\"#111111\" stroke-width=\"1.6\" stroke-dasharray=\"7,4\"/>\n";
  s += "</g>\n<g id=\"line-labels\" font-size=\"" + num(line_label_size) + "\">\n";
  // The saturation line's name runs along the chord of the curve from 380 K
  // over the length of the text, on the side of region 2: the curve bows away
  // from the chord towards region 1, so 12 px off the chord clears it.
  constexpr double label_length = 150.0;  // px
  const double x0 = map_axes::x_of_T(380), y0 = map_axes::y_of_P(psat_pa(380));
  double x1 = x0, y1 = y0;
  for (double T = 380; T < T_crit && std::hypot(x1 - x0, y1 - y0) < label_length; T += 1.0) {
    x1 = map_axes::x_of_T(T);
    y1 = map_axes::y_of_P(psat_pa(T));
  }
  const double chord = std::hypot(x1 - x0, y1 - y0);
  const double along_x = (x1 - x0) / chord, along_y = (y1 - y0) / chord;
  const double angle = std::atan2(along_y, along_x) * 180.0 / 3.141592653589793;
  const double xs = x0 - 12 * along_y, ys = y0 + 12 * along_x;
  s += text(xs, ys, "saturation line (region 4)",
            "fill=\"#1f5fd1\" transform=\"rotate(" + num(angle) + " " + num(xs) + " " + num(ys) + ")\"");
  s += text(map_axes::x_of_T(812), map_axes::y_of_P(pb23_pa(800)) + 12, "B23", "fill=\"#6a35c9\"");
  s += text(map_axes::x_of_T(880), map_axes::y_of_P(P_high) - 5, "P &#8804; 100 MPa", "fill=\"#111111\"");
  s += text(map_axes::x_of_T(1900), map_axes::y_of_P(P_r5) - 5, "P &#8804; 50 MPa", "fill=\"#111111\"");
  const double xl = map_axes::x_of_T(T_low) - 3, yl = map_axes::y_of_P(300);
  s += text(xl, yl, "T &#8805; 273.15 K", "fill=\"#111111\" transform=\"rotate(-90 " + num(xl) + " " + num(yl) + ")\"");
  const double xr = map_axes::x_of_T(T_r5) - 5, yr = map_axes::y_of_P(300);
  s += text(xr, yr, "vapour T &#8804; 2273.15 K",
            "fill=\"#111111\" transform=\"rotate(-90 " + num(xr) + " " + num(yr) + ")\"");
  // The critical point, named below it in region 2: region 3 above is too
  // narrow, and a liquid moved to the critical point arrives from the right.
  const double xc = map_axes::x_of_T(T_crit), yc = map_axes::y_of_P(P_crit);
  const double yt = map_axes::y_of_P(critical_label_P);
  s += line(xc, yc + 4, xc, yt - 11, "stroke=\"#111111\" stroke-width=\"0.8\"");
  s += circle(xc, yc, 4, "fill=\"#111111\"");
  s += text(xc - 6, yt, "critical point", "fill=\"#111111\"");
  s += text(xc - 6, yt + 13, critical_point_values, "fill=\"#111111\"");
  return s + "</g>\n";
}

struct region_label {
  const char* name;
  double T, P;  // K, Pa: the middle of the text's baseline
  const region_fill* colours;
};
const region_label region_labels_at[] = {
    {"Region 1", 420, 1.2e7, &region1},
    {"Region 2", 560, 2.5e3, &region2},
    {"Region 3", 715, 6.2e7, &region3},
    {"Region 5", 1680, 1.5e4, &region5},
};

std::string region_labels() {
  std::string s = "<g id=\"region-labels\" font-size=\"" + num(region_label_size) +
                  "\" font-weight=\"bold\" text-anchor=\"middle\">\n";
  for (const region_label& r : region_labels_at)
    s += text(map_axes::x_of_T(r.T), map_axes::y_of_P(r.P), r.name, std::string("fill=\"") + r.colours->ink + "\"");
  return s + "</g>\n";
}

using svg::box;

// Where the fixed names in the plot are, for the marks' numbers to avoid.
std::vector<box> fixed_labels() {
  std::vector<box> boxes;
  for (const region_label& r : region_labels_at) {
    const double x = map_axes::x_of_T(r.T), y = map_axes::y_of_P(r.P);
    const double half = 0.5 * static_cast<double>(std::strlen(r.name)) * label_char_width * region_label_size;
    boxes.push_back({x - half, y - region_label_size, x + half, y + 3});
  }
  const double x = map_axes::x_of_T(T_crit) - 6, y = map_axes::y_of_P(critical_label_P);
  const double longer_line = static_cast<double>(critical_point_values.size());
  boxes.push_back({x, y - line_label_size, x + longer_line * label_char_width * line_label_size, y + 16});
  return boxes;
}

// Where a state belongs on the map: beyond an edge (by a pixel, which gives
// the direction of the pointer drawn there) when it is off the scale.
std::pair<double, double> place(double T, double P) {
  double x = map_axes::x_of_T(T), y = map_axes::y_of_P(P);
  if (!(T >= map_axes::T_min)) x -= 1.0;
  if (T > map_axes::T_max) x += 1.0;
  if (!(P >= map_axes::P_min)) y += 1.0;
  if (P > map_axes::P_max) y -= 1.0;
  return {x, y};
}

// The marks: a hollow ring where the caller asked (a pointer at the edge when
// that is off the scale), a dot where the library went, an arrow between
// them, and the mark's number beside the ring, clear of the other names.
std::string marks_layer(const std::vector<map_mark>& marks) {
  std::string s = "<g id=\"marks\" font-size=\"12\">\n";
  std::vector<box> taken = fixed_labels();
  std::vector<svg::mark_place> asked;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const map_mark& m = marks[i];
    const char* colour = m.region == 0 ? "#555555" : mark_colour(m);
    const bool draw_asked = !has_nan(m.T, m.P);
    const bool draw_used = m.region != 0 && !has_nan(m.T_used, m.P_used);
    const double xa = map_axes::x_of_T(m.T), ya = map_axes::y_of_P(m.P);
    const double xu = map_axes::x_of_T(m.T_used), yu = map_axes::y_of_P(m.P_used);
    if (draw_asked && draw_used && moved(m)) {
      const double dx = xu - xa, dy = yu - ya, d = std::hypot(dx, dy);
      // The shaft runs from the ring to short of the dot and is drawn only
      // when at least 4 px of it would show beside the arrowhead.
      const double start = asked_radius + 1, end = used_radius + 2;
      if (d > start + end + 4)
        s += line(xa + dx * start / d, ya + dy * start / d, xu - dx * end / d, yu - dy * end / d,
                  std::string("class=\"move\" stroke=\"") + colour +
                      "\" stroke-width=\"1.5\" marker-end=\"url(#arrow-" + (vapour(m) ? "v" : "l") + ")\"");
    }
    if (draw_used) s += circle(xu, yu, used_radius, std::string("class=\"used\" fill=\"") + colour + "\"");
    if (!draw_asked) continue;
    const auto [x, y] = place(m.T, m.P);
    asked.push_back({x, y, static_cast<int>(i + 1), colour});
    if (m.region == 0 && map_axes::on_scale(m.T, m.P)) {
      const double c = asked_radius * 0.7;
      s += "<path d=\"M" + num(xa - c) + "," + num(ya - c) + " L" + num(xa + c) + "," + num(ya + c) + " M" +
           num(xa - c) + "," + num(ya + c) + " L" + num(xa + c) + "," + num(ya - c) +
           "\" stroke=\"#555555\" stroke-width=\"1.4\"/>\n";
    }
  }
  const box frame{map_axes::left, map_axes::top, map_axes::right, map_axes::bottom};
  s += svg::mark_layer(asked, frame, asked_radius, taken, "fill=\"#ffffff\" fill-opacity=\"0.6\" stroke-width=\"1.8\"");
  return s + "</g>\n";
}

std::string legend() {
  const double x = legend_left, sw = x + 30;
  double y = map_axes::top + 4;
  std::string s = "<g id=\"legend\" font-size=\"12\" fill=\"#222222\">\n";
  s += text(x, y, "Legend", "font-size=\"13\" font-weight=\"bold\"");
  y += 22;
  const auto swatch = [&](const region_fill& r, const char* name, const char* range) {
    s += "<rect x=\"" + num(x) + "\" y=\"" + num(y - 10) + "\" width=\"20\" height=\"13\" fill=\"" + r.fill +
         "\" stroke=\"#888888\" stroke-width=\"0.6\"/>\n";
    s += text(sw, y, name, "font-weight=\"bold\"");
    s += text(sw, y + 15, range, "fill=\"#444444\"");
    y += 35;
  };
  swatch(region1, "Region 1, liquid", "273.15&#8211;623.15 K, psat(T) to 100 MPa");
  swatch(region2, "Region 2, vapour", "273.15&#8211;1073.15 K, 0 Pa to psat, B23, 100 MPa");
  swatch(region3, "Region 3, near-critical", "623.15&#8211;863.15 K, B23 to 100 MPa");
  swatch(region5, "Region 5, hot vapour", "1073.15&#8211;2273.15 K, 0 Pa to 50 MPa");
  const auto entry = [&](const std::string& symbol, const char* name) {
    s += symbol;
    s += text(sw, y + 4, name);
    y += 20;
  };
  entry(line(x, y, x + 20, y, "stroke=\"#1f5fd1\" stroke-width=\"2.2\""), "saturation line, region 4, Eq. (30)");
  entry(line(x, y, x + 20, y, "stroke=\"#6a35c9\" stroke-width=\"1.6\""), "B23 boundary, Eq. (5)");
  entry(line(x, y, x + 20, y, "stroke=\"#111111\" stroke-width=\"1.6\" stroke-dasharray=\"7,4\""),
        "bounds of a one-phase call");
  entry(circle(x + 10, y, 4, "fill=\"#111111\""), "critical point");
  entry(circle(x + 5, y, asked_radius, "fill=\"#ffffff\" stroke=\"#153e8c\" stroke-width=\"1.8\"") +
            circle(x + 18, y, asked_radius, "fill=\"#ffffff\" stroke=\"#a3165a\" stroke-width=\"1.8\""),
        "state asked for: liquid, vapour");
  entry(circle(x + 10, y, used_radius, "fill=\"#153e8c\""), "state the library used");
  entry(line(x, y, x + 17, y, "stroke=\"#153e8c\" stroke-width=\"1.5\" marker-end=\"url(#arrow-l)\""),
        "moved by the library");
  entry(circle(x + 10, y, asked_radius, "fill=\"#ffffff\" stroke=\"#555555\" stroke-width=\"1.6\"") + "<path d=\"M" +
            num(x + 6) + "," + num(y - 4) + " L" + num(x + 14) + "," + num(y + 4) + " M" + num(x + 6) + "," +
            num(y + 4) + " L" + num(x + 14) + "," + num(y - 4) + "\" stroke=\"#555555\" stroke-width=\"1.4\"/>\n",
        "failed");
  y += 8;
  s += text(x, y, "A one-phase call is moved into range:", "font-weight=\"bold\"");
  y += 18;
  struct rule {
    bool continued;  // the second line of a rule, indented
    const char* words;
  };
  constexpr rule rules[] = {
      {false, "T below 273.15 K: up to 273.15 K"},
      {false, "P above 100 MPa (T &lt; 1073.15 K) or above"},
      {true, "50 MPa (T &#8805; 1073.15 K): down to it"},
      {false, "vapour above 2273.15 K, or above 1073.15 K"},
      {true, "beyond 50 MPa: down to that temperature"},
      {false, "liquid above 647.096 K: to 647.096 K"},
      {false, "liquid below psat(T): raised to psat"},
      {false, "vapour above psat(T), T &#8804; 647.096 K:"},
      {true, "lowered to psat"},
  };
  for (const rule& r : rules) {
    s += text(r.continued ? x + 10 : x, y, r.words);
    y += 16;
  }
  return s + "</g>\n";
}

std::string key(const std::vector<map_mark>& marks) {
  std::string s = "<g id=\"key\" font-size=\"12\" fill=\"#222222\">\n";
  double y = key_top;
  s += text(map_axes::left - 40, y,
            marks.empty() ? "No states to show." : "States: asked for &#8594; where the library settled them",
            "font-weight=\"bold\"");
  for (std::size_t i = 0; i < marks.size(); ++i) {
    y += key_line;
    s += text(map_axes::left - 40, y, std::to_string(i + 1),
              std::string("font-weight=\"bold\" fill=\"") + mark_colour(marks[i]) + "\"");
    s += text(map_axes::left - 14, y, xml_escape(map_key_text(marks[i])));
  }
  return s + "</g>\n";
}

}  // namespace

double map_axes::x_of_T(double T) {
  if (!(T > T_min)) return left;
  if (T >= T_max) return right;
  const double below = T_break - T_min, above = (T_max - T_break) / compression;
  const double per_kelvin = (right - left) / (below + above);  // px/K below the break
  if (T <= T_break) return left + (T - T_min) * per_kelvin;
  return left + (below + (T - T_break) / compression) * per_kelvin;
}

double map_axes::y_of_P(double P) {
  if (!(P > P_min)) return bottom;
  if (P >= P_max) return top;
  const double f = std::log10(P / P_min) / std::log10(P_max / P_min);
  return bottom - f * (bottom - top);
}

bool map_axes::on_scale(double T, double P) { return T >= T_min && T <= T_max && P >= P_min && P <= P_max; }

std::string map_key_text(const map_mark& mark) {
  std::string label;
  if (mark.label.empty()) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %g K, %g Pa", vapour(mark) ? "vapour" : "liquid", mark.T, mark.P);
    label = buffer;
  } else {
    label = cut_text(mark.label, label_chars);
  }
  label += mark.region == 0 ? " \u2192 failed" : " \u2192 region " + std::to_string(mark.region);
  if (mark.region != 0 && moved(mark)) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " at %g K, %g Pa", mark.T_used, mark.P_used);
    label += buffer;
  }
  if (has_nan(mark.T, mark.P))
    label += " (not a number, not drawn)";
  else if (!map_axes::on_scale(mark.T, mark.P))
    label += " (off scale, drawn at the edge)";
  if (mark.region != 0 && !has_nan(mark.T_used, mark.P_used) && !map_axes::on_scale(mark.T_used, mark.P_used))
    label += " (state used off scale)";
  return label;
}

std::string region_map_svg(const std::vector<map_mark>& marks) {
  const double height = key_top + key_line * static_cast<double>(marks.size()) + 20;
  std::string s = svg::document(width, height, "IAPWS-IF97 regions of water, with the states asked for and used") +
                  "<defs>\n";
  for (const bool is_vapour : {false, true})
    s += std::string("<marker id=\"arrow-") + (is_vapour ? "v" : "l") +
         "\" viewBox=\"0 0 10 10\" refX=\"8\" refY=\"5\" markerWidth=\"6\" markerHeight=\"6\" orient=\"auto\">"
         "<path d=\"M0,0 L10,5 L0,10 Z\" fill=\"" +
         phase_colour(is_vapour) + "\"/></marker>\n";
  s += "<clipPath id=\"plot\"><rect x=\"" + num(map_axes::left) + "\" y=\"" + num(map_axes::top) + "\" width=\"" +
       num(map_axes::right - map_axes::left) + "\" height=\"" + num(map_axes::bottom - map_axes::top) +
       "\"/></clipPath>\n</defs>\n";
  s += text(map_axes::left, 32, "Water in the p&#8211;T plane: IAPWS-IF97 regions and the states used",
            "font-size=\"17\" font-weight=\"bold\" fill=\"#111111\"");
  s += "<g clip-path=\"url(#plot)\">\n" + regions() + "</g>\n";
  s += axes_and_grid();
  s += "<g clip-path=\"url(#plot)\">\n" + lines_and_bounds() + "</g>\n";
  s += region_labels();
  s += marks_layer(marks);
  s += legend();
  s += key(marks);
  return s + "</svg>\n";
}

}  // namespace kvtool
