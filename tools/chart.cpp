#include "tools/chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

#include "if97/constants.hpp"
#include "tools/commands.hpp"
#include "tools/svg.hpp"

namespace kvtool {
namespace {

namespace water = kviapws97::water;
using svg::num;
using point = std::pair<double, double>;
using polyline = std::vector<point>;

constexpr double width = chart_width;                    // px
constexpr double legend_left = 785.0;                    // px
constexpr double key_top = chart_layout::bottom + 62.0;  // px
constexpr double key_line = 18.0;                        // px
constexpr double T_top = if97::T_region2_max;            // K, 800 degC, the top of the lines
constexpr double p_line_min = 1e3;                       // Pa, the lowest pressure of the lines
constexpr double p_line_max = 1e8;                       // Pa
constexpr double T_below_critical = if97::T_c - 1e-4;    // K, where the saturated states end their lines
constexpr double kelvin_at_0C = 273.15;
constexpr double coordinate_limit = 5000.0;  // px, beyond the page in every direction
constexpr double mark_clearance = 12.0;      // px from a mark or a pointer's tip kept clear of the lines' names

const char* const dome_colour = "#1f5fd1";
const char* const isobar_colour = "#2a8a7e";
const char* const isotherm_colour = "#d0602f";
const char* const fraction_colour = "#7d6aa8";
const char* const mark_colour = "#d1105a";  // used by the marks alone
const char* const path_colour = "#5b0b2e";

const svg::box frame{chart_layout::left, chart_layout::top, chart_layout::right, chart_layout::bottom};

// A value on an axis, px from the axis's start along its length.
double along(const chart_axis& a, double v, double length) {
  const double f = a.logarithmic ? std::log10(v / a.min) / std::log10(a.max / a.min) : (v - a.min) / (a.max - a.min);
  return std::clamp(f * length, -coordinate_limit, coordinate_limit);
}

std::optional<point> project(const chart_view& kind, const water::result& r) {
  if (!r) return std::nullopt;
  const chart_point p = place_on(kind, r.state);
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
  return point{p.x, p.y};
}

// A line of states t -> f(t) over [a, b], sampled until no chord strays more
// than a quarter pixel from the curve; a failed state breaks the line.
std::vector<polyline> trace(const chart_view& kind, const std::function<water::result(double)>& f, double a, double b,
                            int pieces = 16) {
  std::vector<polyline> lines(1);
  const std::function<void(double, point, double, point, int)> refine = [&](double t0, point p0, double t1, point p1,
                                                                            int depth) {
    const double tm = 0.5 * (t0 + t1);
    const std::optional<point> pm = project(kind, f(tm));
    if (!pm) {
      // The line breaks here: a new one from the far end.
      lines.emplace_back(1, p1);
      return;
    }
    const double dx = p1.first - p0.first, dy = p1.second - p0.second, chord = std::hypot(dx, dy);
    const double off = chord > 0.0 ? std::fabs(dx * (pm->second - p0.second) - dy * (pm->first - p0.first)) / chord
                                   : std::hypot(pm->first - p0.first, pm->second - p0.second);
    if (depth < 14 && (off > 0.25 || chord > 40.0)) {
      refine(t0, p0, tm, *pm, depth + 1);
      refine(tm, *pm, t1, p1, depth + 1);
      return;
    }
    lines.back().push_back(p1);
  };
  std::optional<point> previous;
  double t_previous = a;
  for (int i = 0; i <= pieces; ++i) {
    const double t = i == pieces ? b : a + (b - a) * i / pieces;
    const std::optional<point> p = project(kind, f(t));
    if (p && previous) {
      refine(t_previous, *previous, t, *p, 0);
    } else if (p) {
      if (!lines.back().empty()) lines.emplace_back();
      lines.back().push_back(*p);
    }
    previous = p;
    t_previous = t;
  }
  std::erase_if(lines, [](const polyline& l) { return l.size() < 2; });
  return lines;
}

void append(std::vector<polyline>& to, std::vector<polyline> more) {
  for (polyline& l : more) to.push_back(std::move(l));
}

// Joins lines whose ends meet: the pieces of one isobar or isotherm.
polyline joined(const std::vector<polyline>& pieces) {
  polyline all;
  for (const polyline& l : pieces) all.insert(all.end(), l.begin(), l.end());
  return all;
}

// The isobar of p from 273.15 K to 800 degC: liquid, the straight two-phase
// line between the saturated states, vapour; or one supercritical line.
std::vector<polyline> isobar(const chart_view& kind, double p) {
  if (p >= 1e6 * if97::p_c)
    return trace(
        kind, [p](double T) { return water::pT(p, T); }, if97::T_min, T_top);
  const double T_sat = water::px(p, 0.0).state.T;
  if (!std::isfinite(T_sat)) return {};
  std::vector<polyline> pieces = trace(
      kind, [p, T_sat](double T) { return T < T_sat ? water::pT(p, T) : water::px(p, 0.0); }, if97::T_min, T_sat);
  append(pieces,
         trace(
             kind, [p, T_sat](double T) { return T > T_sat ? water::pT(p, T) : water::px(p, 1.0); }, T_sat, T_top));
  return {joined(pieces)};
}

// The isotherm of T from the lowest to the highest pressure of the lines,
// through its two-phase line.
std::vector<polyline> isotherm(const chart_view& kind, double T) {
  const double lo = std::log10(p_line_min), hi = std::log10(p_line_max);
  const auto at = [T](double u) { return water::pT(std::pow(10.0, u), T); };
  if (T >= if97::T_c) return trace(kind, at, lo, hi);
  const double u_sat = std::log10(water::Tx(T, 0.0).state.p);
  std::vector<polyline> pieces = trace(
      kind, [&](double u) { return u < u_sat ? at(u) : water::Tx(T, 1.0); }, lo, std::max(lo, u_sat));
  append(pieces, trace(
                     kind, [&](double u) { return u > u_sat ? at(u) : water::Tx(T, 0.0); }, u_sat, hi));
  return {joined(pieces)};
}

// By (p, T): at (T_c, rho_c) itself IF97's (dp/drho)_T is -6e-13 MPa m3/kg,
// which (T, rho) refuses.
water::result critical_state() { return water::pT(1e6 * if97::p_c, if97::T_c); }

// The saturated states of one vapour fraction from 273.15 K to the critical point.
std::vector<polyline> fraction_line(const chart_view& kind, double x) {
  std::vector<polyline> l = trace(
      kind, [x](double T) { return water::Tx(T, x); }, if97::T_min, T_below_critical);
  if (const auto c = project(kind, critical_state()); c && !l.empty()) l.back().push_back(*c);
  return l;
}

// The dome: saturated liquid up to the critical point, saturated vapour back down.
polyline dome(const chart_view& kind) {
  polyline all = joined(fraction_line(kind, 0.0));
  polyline vapour = joined(fraction_line(kind, 1.0));
  all.insert(all.end(), vapour.rbegin(), vapour.rend());
  return all;
}

// A round value as a label: 5 significant digits, a power of ten written
// short ("1e6", not "1e+06") so that SI values stay narrow.
std::string round_number(double v) {
  if (v == 0.0) v = 0.0;  // not "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.5g", v);
  std::string s = text;
  if (const std::size_t e = s.find('e'); e != std::string::npos) {
    std::size_t digits = e + 1;
    if (s[digits] == '+') s.erase(digits, 1);
    if (s[digits] == '-') ++digits;
    while (digits + 1 < s.size() && s[digits] == '0') s.erase(digits, 1);
  }
  return s;
}

// The quantities of a diagram's axes and the units they are shown in.
quantity x_quantity(chart_kind kind) { return kind == chart_kind::ph ? quantity::energy : quantity::entropy; }
quantity y_quantity(chart_kind kind) {
  return kind == chart_kind::Ts   ? quantity::temperature
         : kind == chart_kind::hs ? quantity::energy
                                  : quantity::pressure;
}
std::string symbol(quantity q, unit_system units) { return std::string(output_unit(q, units).symbol); }
double converted(double v, quantity q, unit_system from, unit_system to) {
  return from_si(to_si(v, output_unit(q, from)), output_unit(q, to));
}

bool inside(const point& p, double margin = 0.0) {
  return p.first >= frame.x0 + margin && p.first <= frame.x1 - margin && p.second >= frame.y0 + margin &&
         p.second <= frame.y1 - margin;
}

// A line's name beside it, at the first point inside the frame counted from
// one end (and further along while it would cover another name).
struct label_style {
  bool from_end;  // start counting at the line's last point
  double dx, dy;  // px from the point to the text's anchor
  const char* anchor;
  bool vertical;  // read upwards
};

std::string label(const polyline& l, const std::string& words, const char* colour, const label_style& style,
                  std::vector<svg::box>& taken) {
  constexpr double size = 11.0, char_width = 0.62 * size, margin = 4.0;
  const double w = char_width * static_cast<double>(words.size()), h = size;
  const std::size_t n = l.size();
  for (std::size_t k = 0; k < n; ++k) {
    const point& p = l[style.from_end ? n - 1 - k : k];
    if (!inside(p, margin)) continue;
    const double x = p.first + style.dx, y = p.second + style.dy;
    const double start = std::string(style.anchor) == "end" ? -w : std::string(style.anchor) == "middle" ? -w / 2 : 0.0;
    // Read upwards, the text runs from y - start up to y - start - w.
    const svg::box b = style.vertical ? svg::box{x - h + 2, y - start - w, x + 2, y - start}
                                      : svg::box{x + start, y - h + 2, x + start + w, y + 2};
    const bool fits = b.x0 >= frame.x0 && b.x1 <= frame.x1 && b.y0 >= frame.y0 && b.y1 <= frame.y1;
    if (!fits || std::any_of(taken.begin(), taken.end(), [&](const svg::box& t) { return t.overlaps(b); })) continue;
    taken.push_back(b);
    std::string attributes = "fill=\"" + std::string(colour) + "\" text-anchor=\"" + style.anchor + "\"";
    if (style.vertical) attributes += " transform=\"rotate(-90 " + num(x) + " " + num(y) + ")\"";
    // A halo: the lines beneath stop short of the name, on a box of the page's colour.
    return "<rect x=\"" + num(b.x0 - 1) + "\" y=\"" + num(b.y0 - 1) + "\" width=\"" + num(b.x1 - b.x0 + 2) +
           "\" height=\"" + num(b.y1 - b.y0 + 2) + "\" fill=\"#ffffff\" fill-opacity=\"0.9\"/>\n" +
           svg::text(x, y, words, attributes + " stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }
  return "";
}

std::string path_of(const std::vector<polyline>& lines, const char* colour, double stroke_width,
                    const char* extra = "") {
  std::string s;
  for (const polyline& l : lines)
    s += svg::polyline(l, "fill=\"none\" stroke=\"" + std::string(colour) + "\" stroke-width=\"" + num(stroke_width) +
                              "\" stroke-linejoin=\"round\" " + extra);
  return s;
}

struct axis_text {
  std::string title;
  double major;  // step of the labelled ticks of a linear axis, in the axis's unit
};

// An axis's title and tick step in its unit: 100 K, 1 kJ/(kg K), 500 kJ/kg.
axis_text axis_text_of(quantity q, unit_system units) {
  const double scale = output_unit(q, units).scale;
  switch (q) {
    case quantity::temperature: return {"temperature T, " + symbol(q, units), 100.0 / scale};
    case quantity::entropy: return {"specific entropy s, " + symbol(q, units), 1e3 / scale};
    case quantity::energy: return {"specific enthalpy h, " + symbol(q, units), 5e5 / scale};
    default: return {"pressure p, " + symbol(q, units) + " (logarithmic)", 0.0};
  }
}

// Ticks, grid and titles. A logarithmic axis has decades labelled and 2 and 5 ticked.
std::string axes(const chart_view& kind) {
  const chart_layout& L = kind.layout;
  const double width_px = L.right - L.left, height_px = L.bottom - L.top;
  const axis_text xt = axis_text_of(x_quantity(kind), kind.units), yt = axis_text_of(y_quantity(kind), kind.units);
  std::string s = "<g id=\"axes\" font-size=\"12\" fill=\"#222222\">\n";
  const char* grid = "stroke=\"#000000\" stroke-opacity=\"0.10\"";
  // Linear ticks at the round multiples of their step within the range.
  for (double v = std::ceil(L.x.min / xt.major - 1e-9) * xt.major; v <= L.x.max + 1e-9; v += xt.major) {
    const double x = L.left + along(L.x, v, width_px);
    s += svg::line(x, L.top, x, L.bottom, grid) + svg::line(x, L.bottom, x, L.bottom + 6, "stroke=\"#222222\"");
    s += svg::text(x, L.bottom + 20, round_number(v), "text-anchor=\"middle\"");
  }
  if (L.y.logarithmic) {
    for (double decade = L.y.min; decade <= L.y.max * 1.0001; decade *= 10.0) {
      const double y = L.bottom - along(L.y, decade, height_px);
      s += svg::line(L.left, y, L.right, y, grid) + svg::line(L.left - 6, y, L.left, y, "stroke=\"#222222\"");
      s += svg::text(L.left - 9, y + 4, round_number(decade), "text-anchor=\"end\"");
      for (const double k : {2.0, 5.0}) {
        if (decade * k > L.y.max) break;
        const double yk = L.bottom - along(L.y, decade * k, height_px);
        s += svg::line(L.left, yk, L.right, yk, "stroke=\"#000000\" stroke-opacity=\"0.05\"") +
             svg::line(L.left - 3, yk, L.left, yk, "stroke=\"#222222\"");
      }
    }
  } else {
    for (double v = std::ceil(L.y.min / yt.major - 1e-9) * yt.major; v <= L.y.max + 1e-9; v += yt.major) {
      const double y = L.bottom - along(L.y, v, height_px);
      s += svg::line(L.left, y, L.right, y, grid) + svg::line(L.left - 6, y, L.left, y, "stroke=\"#222222\"");
      s += svg::text(L.left - 9, y + 4, round_number(v), "text-anchor=\"end\"");
    }
  }
  s += "<rect x=\"" + num(L.left) + "\" y=\"" + num(L.top) + "\" width=\"" + num(width_px) + "\" height=\"" +
       num(height_px) + "\" fill=\"none\" stroke=\"#222222\"/>\n";
  s += svg::text((L.left + L.right) / 2, L.bottom + 42, xt.title, "text-anchor=\"middle\" font-size=\"13\"");
  const double ym = (L.top + L.bottom) / 2;
  s += svg::text(24, ym, yt.title,
                 "text-anchor=\"middle\" font-size=\"13\" transform=\"rotate(-90 24 " + num(ym) + ")\"");
  return s + "</g>\n";
}

// The round values of each diagram's lines, in the units they are named in.
struct line_set {
  std::vector<double> isobars, isotherms, fractions;
};

line_set lines_of(chart_kind kind, unit_system units) {
  if (units == unit_system::si) {
    // Isobars at the same round values, in Pa; isotherms at round kelvin.
    line_set set = lines_of(kind, unit_system::eng);
    for (double& p : set.isobars) p = converted(p, quantity::pressure, unit_system::eng, units);
    if (kind == chart_kind::hs) set.isotherms = {300, 400, 500, 600, 700, 800, 900, 1000};
    if (kind == chart_kind::ph) set.isotherms = {300, 350, 400, 450, 500, 550, 600, 650, 700, 800, 900, 1000};
    return set;
  }
  const std::vector<double> fractions{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
  switch (kind) {
    case chart_kind::Ts:
      return {{0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}, {}, fractions};
    case chart_kind::hs:
      return {{0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000},
              {0, 100, 200, 300, 400, 500, 600, 700, 800},
              fractions};
    case chart_kind::ph:
      return {{}, {0, 50, 100, 150, 200, 250, 300, 350, 400, 500, 600, 700, 800}, fractions};
  }
  return {};
}

// The legend: what the chart draws, and no more.
std::string legend(const chart_view& kind, bool marks, bool path) {
  const double x = legend_left, sw = x + 30;
  double y = chart_layout::top + 4;
  std::string s = "<g id=\"legend\" font-size=\"12\" fill=\"#222222\">\n";
  s += svg::text(x, y, "Legend", "font-size=\"13\" font-weight=\"bold\"");
  y += 24;
  const auto entry = [&](const std::string& symbol, const std::string& words) {
    s += symbol + svg::text(sw, y + 4, words);
    y += 21;
  };
  const auto stroke = [&](const char* colour, double w, const char* extra = "") {
    return svg::line(x, y, x + 22, y,
                     "stroke=\"" + std::string(colour) + "\" stroke-width=\"" + num(w) + "\" " + extra);
  };
  entry(stroke(dome_colour, 2.2), "saturation dome");
  entry(svg::circle(x + 11, y, 4, "fill=\"#111111\""), "critical point");
  if (kind != chart_kind::ph) entry(stroke(isobar_colour, 1.0), "isobars, " + symbol(quantity::pressure, kind.units));
  if (kind != chart_kind::Ts)
    entry(stroke(isotherm_colour, 1.0), "isotherms, " + symbol(quantity::temperature, kind.units));
  entry(stroke(fraction_colour, 0.9, "stroke-dasharray=\"5,3\""), "vapour fraction x");
  if (marks)
    entry(svg::circle(x + 11, y, 5.5,
                      "fill=\"#ffffff\" stroke=\"" + std::string(mark_colour) + "\" stroke-width=\"2.5\""),
          "marked state");
  if (path) entry(stroke(path_colour, 2.0), "path joining the marks");
  y += 10;
  std::vector<const char*> notes{"Every point is an IAPWS-IF97",
                                 kind == chart_kind::hs ? "state of the library." : "state of the library;"};
  if (kind != chart_kind::hs)
    notes.push_back(kind == chart_kind::Ts ? "grid lines are isotherms." : "grid lines are isobars.");
  for (const char* words : notes) {
    s += svg::text(x, y, words, "fill=\"#444444\"");
    y += 16;
  }
  return s + "</g>\n";
}

std::string value_text(double si, quantity q, unit_system units) {
  const unit& u = output_unit(q, units);
  return round_number(from_si(si, u)) + " " + std::string(u.symbol);
}

// A mark's line of the key and of the report.
std::string key_text(const chart_view& kind, const chart_mark& m) {
  std::string s = describe_inputs(m.given, kind.units);
  if (!m.state) return s + ": no state: " + (m.why.empty() ? m.state.reason() : m.why);
  const water::state& st = m.state.state;
  s += " \u2192 " + std::string(water::phase_text(st.phase));
  if (st.phase == water::phase::two_phase) s += ", x = " + round_number(std::round(st.x * 1e4) / 1e4);
  const unit_system u = kind.units;
  s += " (region " + std::to_string(st.region) + "): T = " + value_text(st.T, quantity::temperature, u) +
       ", p = " + value_text(st.p, quantity::pressure, u) + ", h = " + value_text(st.h, quantity::energy, u) +
       ", s = " + value_text(st.s, quantity::entropy, u);
  const chart_point p = place_on(kind, st);
  if (!inside({p.x, p.y})) s += " (beyond the chart, drawn at its edge)";
  return s;
}

// The line from one mark to the next: along the isobar, isentrope,
// isenthalp or isotherm that they share (to 1e-4, as typed values round),
// else straight.
std::vector<polyline> path_segment(const chart_view& kind, const water::state& a, const water::state& b) {
  const auto same = [](double u, double v) { return std::fabs(u - v) <= 1e-4 * std::fmax(std::fabs(u), std::fabs(v)); };
  const auto log_p = [&](double t) {
    return std::pow(10.0, std::log10(a.p) + t * (std::log10(b.p) - std::log10(a.p)));
  };
  const auto mix = [](double u, double v, double t) { return u + t * (v - u); };
  std::function<water::result(double)> along;
  if (same(a.p, b.p) && !same(a.h, b.h)) {
    along = [&](double t) { return water::ph(log_p(t), mix(a.h, b.h, t)); };
  } else if (same(a.s, b.s) && !same(a.p, b.p)) {
    along = [&](double t) { return water::ps(log_p(t), mix(a.s, b.s, t)); };
  } else if (same(a.h, b.h) && !same(a.p, b.p)) {
    along = [&](double t) { return water::ph(log_p(t), mix(a.h, b.h, t)); };
  } else if (same(a.T, b.T) && !same(a.s, b.s)) {
    along = [&](double t) {
      std::string why;
      state_inputs in;
      in.T = mix(a.T, b.T, t);
      in.s = mix(a.s, b.s, t);
      return solve_state(in, unit_system::si, why);
    };
  } else {
    const chart_point pa = place_on(kind, a), pb = place_on(kind, b);
    return {{{pa.x, pa.y}, {pb.x, pb.y}}};
  }
  return trace(kind, along, 0.0, 1.0, 4);
}

// A path's pieces run backwards.
std::vector<polyline> reversed(std::vector<polyline> lines) {
  std::reverse(lines.begin(), lines.end());
  for (polyline& l : lines) std::reverse(l.begin(), l.end());
  return lines;
}

// Where a path, drawn clipped by the frame, leaves the frame for the last
// time along its points, and its direction there; nothing when it ends
// inside or never shows.
std::optional<svg::edge_exit> exit_towards(const std::vector<polyline>& path) {
  std::optional<svg::edge_exit> exit;
  for (const polyline& l : path)
    for (std::size_t k = 0; k + 1 < l.size(); ++k) {
      const auto [ax, ay] = l[k];
      const auto [bx, by] = l[k + 1];
      const auto part = svg::clipped(frame, ax, ay, bx, by);
      if (!part) continue;
      if (frame.contains(bx, by)) {
        exit.reset();  // back inside
        continue;
      }
      const double length = std::hypot(bx - ax, by - ay);
      exit = svg::edge_exit{ax + part->second * (bx - ax), ay + part->second * (by - ay), (bx - ax) / length,
                            (by - ay) / length};
    }
  return exit;
}

// The diagram's lines and, apart, their names, clear of `taken` (updated).
std::pair<std::string, std::string> named_lines(const chart_view& kind, std::vector<svg::box>& taken) {
  const line_set set = lines_of(kind, kind.units);
  const unit &pressure_unit = output_unit(quantity::pressure, kind.units),
             &temperature_unit = output_unit(quantity::temperature, kind.units);
  std::string lines = "<g id=\"lines\" clip-path=\"url(#plot)\">\n",
              labels = "<g id=\"line-labels\" font-size=\"11\">\n";
  // Every line drawn has its name: a line whose name finds no place beside it is left out.
  for (const double p : set.isobars) {
    const std::vector<polyline> l = isobar(kind, to_si(p, pressure_unit));
    if (l.empty()) continue;
    const std::string name = label(l.front(), round_number(p) + " " + std::string(pressure_unit.symbol), isobar_colour,
                                   {true, -3, -4, "end", false}, taken);
    if (name.empty()) continue;
    lines += path_of(l, isobar_colour, 1.0);
    labels += name;
  }
  for (const double T : set.isotherms) {
    const std::vector<polyline> l = isotherm(kind, to_si(T, temperature_unit));
    if (l.empty()) continue;
    const label_style style =
        kind == chart_kind::ph ? label_style{false, -3, -6, "start", true} : label_style{false, -3, -4, "end", false};
    const std::string name =
        label(l.front(), round_number(T) + " " + std::string(temperature_unit.symbol), isotherm_colour, style, taken);
    if (name.empty()) continue;
    lines += path_of(l, isotherm_colour, 0.9);
    labels += name;
  }
  for (const double x : set.fractions) {
    const std::vector<polyline> l = fraction_line(kind, x);
    lines += path_of(l, fraction_colour, 0.9, "stroke-dasharray=\"5,3\"");
    // On T-s the names stand in a row at 15 degC; elsewhere where the lines enter the plot.
    const auto at_15C = project(kind, water::Tx(kelvin_at_0C + 15.0, x));
    const polyline where = kind == chart_kind::Ts && at_15C ? polyline{*at_15C} : l.empty() ? polyline{} : l.front();
    labels += label(where, round_number(x), fraction_colour,
                    {false, kind == chart_kind::Ts ? 10.0 : 0.0, kind == chart_kind::hs ? 14.0 : -5.0,
                     kind == chart_kind::Ts ? "start" : "middle", false},
                    taken);
  }
  lines += path_of({dome(kind)}, dome_colour, 2.2);
  if (const auto c = project(kind, critical_state())) {
    lines += svg::circle(c->first, c->second, 4, "fill=\"#111111\"");
    taken.push_back({c->first - 6, c->second - 6, c->first + 6, c->second + 6});
  }
  return {lines, labels};
}

// Where the marks are drawn; segments[i] is the path from mark i to mark i + 1.
// A mark beyond the frame has a pointer where each path towards it leaves
// the frame (from the mark before, from the mark after), or one at the
// nearest point of the edge.
std::vector<svg::mark_place> places_of(const chart_view& kind, const std::vector<chart_mark>& marks,
                                       const std::vector<std::vector<polyline>>& segments) {
  std::vector<svg::mark_place> places;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (!marks[i].state) continue;
    const chart_point p = place_on(kind, marks[i].state.state);
    const int number = static_cast<int>(i + 1);
    std::optional<svg::edge_exit> in, out;
    if (!inside({p.x, p.y})) {
      if (i > 0) in = exit_towards(segments[i - 1]);
      out = exit_towards(reversed(segments[i]));
    }
    if (in || !out) places.push_back({p.x, p.y, number, mark_colour, in});
    if (out && (!in || std::hypot(out->x - in->x, out->y - in->y) > 2.0))
      places.push_back({p.x, p.y, number, mark_colour, out});
  }
  return places;
}

}  // namespace

chart_layout layout_of(chart_kind kind, unit_system units) {
  // In degC, bar, kJ/kg and kJ/(kg K).
  const chart_axis entropy{0.0, 10.0, false}, enthalpy{0.0, 4200.0, false};
  chart_layout eng{entropy, enthalpy};
  switch (kind) {
    case chart_kind::Ts:
      eng = {entropy, {0.0, 800.0, false}};
      break;
    case chart_kind::hs:
      // The engineer's Mollier frame: steam from the turbine's inlet to its wet exhaust.
      eng = {{5.0, 9.5, false}, {1800.0, 4000.0, false}};
      break;
    case chart_kind::ph:
      eng = {enthalpy, {0.01, 1000.0, true}};
      break;
  }
  const auto shown = [&](chart_axis a, quantity q) {
    return chart_axis{converted(a.min, q, unit_system::eng, units), converted(a.max, q, unit_system::eng, units),
                      a.logarithmic};
  };
  return {shown(eng.x, x_quantity(kind)), shown(eng.y, y_quantity(kind))};
}

chart_point place_on(const chart_view& view, const water::state& st) {
  const chart_kind kind = view.kind;
  const chart_layout& L = view.layout;
  const auto shown = [&](double si, quantity q) { return from_si(si, output_unit(q, view.units)); };
  const double x = shown(kind == chart_kind::ph ? st.h : st.s, x_quantity(kind));
  const double y = shown(kind == chart_kind::Ts ? st.T : kind == chart_kind::hs ? st.h : st.p, y_quantity(kind));
  return {L.left + along(L.x, x, L.right - L.left), L.bottom - along(L.y, y, L.bottom - L.top)};
}

chart_mark solve_mark(const state_inputs& given) {
  chart_mark m{given, {}, ""};
  m.state = solve_state(given, unit_system::eng, m.why);
  return m;
}

std::string chart_svg(const chart_view& kind, const std::vector<chart_mark>& marks, bool path, double shown_width) {
  const double height = key_top + key_line * static_cast<double>(marks.size()) + 24;
  const char* titles[] = {"Water and steam: temperature\u2013entropy diagram (IAPWS-IF97)",
                          "Water and steam: enthalpy\u2013entropy (Mollier) diagram (IAPWS-IF97)",
                          "Water and steam: pressure\u2013enthalpy diagram (IAPWS-IF97)"};
  const char* title = titles[static_cast<int>(kind.kind)];
  std::string s = svg::document(width, height, title, shown_width / width);
  s += "<defs><clipPath id=\"plot\"><rect x=\"" + num(frame.x0) + "\" y=\"" + num(frame.y0) + "\" width=\"" +
       num(frame.x1 - frame.x0) + "\" height=\"" + num(frame.y1 - frame.y0) + "\"/></clipPath></defs>\n";
  s += svg::text(chart_layout::left, 34, title, "font-size=\"17\" font-weight=\"bold\" fill=\"#111111\"");
  s += axes(kind);

  // The path, under the lines' names (which it stops short of) and the marks.
  // segments[i] joins mark i to mark i + 1.
  std::vector<std::vector<polyline>> segments(marks.size());
  std::string path_drawn;
  if (path) {
    std::string p = "<g id=\"path\" clip-path=\"url(#plot)\">\n";
    for (std::size_t i = 0; i + 1 < marks.size(); ++i)
      if (marks[i].state && marks[i + 1].state) {
        segments[i] = path_segment(kind, marks[i].state.state, marks[i + 1].state.state);
        p += path_of(segments[i], path_colour, 2.0);
      }
    path_drawn = p + "</g>\n";
  }
  const std::vector<svg::mark_place> places = places_of(kind, marks, segments);
  // The lines' names keep clear of the marks and their pointers.
  std::vector<svg::box> taken;
  for (const svg::mark_place& m : places) {
    const double x = m.exit ? m.exit->x : std::clamp(m.x, frame.x0, frame.x1),
                 y = m.exit ? m.exit->y : std::clamp(m.y, frame.y0, frame.y1);
    taken.push_back({x - mark_clearance, y - mark_clearance, x + mark_clearance, y + mark_clearance});
  }
  const auto [lines, labels] = named_lines(kind, taken);
  s += lines + "</g>\n" + path_drawn + labels + "</g>\n";
  // The marks' own layer keeps their numbers clear of the rings it draws, and of the names.
  taken.erase(taken.begin(), taken.begin() + static_cast<std::ptrdiff_t>(places.size()));
  s += "<g id=\"marks\">\n" +
       svg::mark_layer(places, frame, 5.5, taken, "fill=\"#ffffff\" fill-opacity=\"0.7\" stroke-width=\"2.5\"") +
       "</g>\n";
  s += legend(kind, !places.empty(), path);

  std::string key = "<g id=\"key\" font-size=\"12\" fill=\"#222222\">\n";
  double y = key_top;
  key += svg::text(chart_layout::left - 40, y,
                   marks.empty() ? "No states marked." : "Marked states:", "font-weight=\"bold\"");
  for (std::size_t i = 0; i < marks.size(); ++i) {
    y += key_line;
    key += svg::text(chart_layout::left - 40, y, std::to_string(i + 1),
                     "font-weight=\"bold\" fill=\"" + std::string(mark_colour) + "\"");
    key += svg::text(chart_layout::left - 14, y, xml_escape(cut_text(key_text(kind, marks[i]), 150)));
  }
  s += key + "</g>\n";
  return s + "</svg>\n";
}

int run_chart(const chart_view& kind, const std::vector<state_inputs>& given, bool path, const std::string& output,
              double shown_width) {
  std::vector<chart_mark> marks;
  std::string report;
  bool any_failed = false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    marks.push_back(solve_mark(given[i]));
    report += std::to_string(i + 1) + "  " + key_text(kind, marks.back()) + "\n";
    if (!marks.back().state && !any_failed) {
      // No picture with a hole in it: the first mark without a state says why, and no file is written.
      const chart_mark& m = marks.back();
      std::fprintf(stderr, "kviapws97: chart: --mark %s: no state: %s\n", printable(m.given.typed).c_str(),
                   printable(m.why.empty() ? m.state.reason() : m.why).c_str());
      any_failed = true;
    }
  }
  if (any_failed) return 1;
  return write_picture("chart", output, chart_svg(kind, marks, path, shown_width), report);
}

}  // namespace kvtool
