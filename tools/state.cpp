#include "tools/state.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

#include "if97/constants.hpp"
#include "tools/csv.hpp"

namespace kvtool {
namespace {

namespace water = kviapws97::water;
using water::phase_values;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double T_transport_max = 1173.15;  // K, IAPWS R12-08 and R15-11
// The lowest pressure searched along an isotherm; IF97 region 2 holds down to 0.
constexpr double p_search_min = 1.0;  // Pa
constexpr int scan_points = 48;       // per branch of a line searched

struct row {
  const char* name;
  const char* description;
  double phase_values::*member;
  quantity q;
};
constexpr row rows[] = {
    {"p", "pressure", &phase_values::p, quantity::pressure},
    {"T", "temperature", &phase_values::T, quantity::temperature},
    {"rho", "density", &phase_values::rho, quantity::density},
    {"v", "specific volume", &phase_values::v, quantity::volume},
    {"h", "specific enthalpy", &phase_values::h, quantity::energy},
    {"s", "specific entropy", &phase_values::s, quantity::entropy},
    {"u", "specific internal energy", &phase_values::u, quantity::energy},
    {"cp", "isobaric heat capacity", &phase_values::cp, quantity::entropy},
    {"cv", "isochoric heat capacity", &phase_values::cv, quantity::entropy},
    {"w", "speed of sound", &phase_values::w, quantity::speed},
    {"mu", "viscosity", &phase_values::mu, quantity::viscosity},
    {"lambda", "thermal conductivity", &phase_values::lambda, quantity::conductivity},
};

std::string number(double value, const char* format) {
  char text[40];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string with_unit(double si, quantity q, unit_system units) {
  const unit& u = output_unit(q, units);
  return number(from_si(si, u), "%.7g") + (u.symbol.empty() ? "" : " " + std::string(u.symbol));
}

// The parameters in [a, b] where f changes sign, each refined by bisection
// until the bracket no longer shrinks. Points where f is NaN split the scan.
std::vector<double> sign_changes(double a, double b, bool logarithmic, const std::function<double(double)>& f,
                                 std::vector<double>& seen) {
  const auto at = [&](int i) {
    if (i == 0) return a;
    if (i == scan_points) return b;
    const double u = static_cast<double>(i) / scan_points;
    return logarithmic ? a * std::pow(b / a, u) : a + (b - a) * u;
  };
  std::vector<double> found;
  double t0 = a, f0 = f(a);
  seen.push_back(f0);
  for (int i = 1; i <= scan_points; ++i) {
    const double t1 = at(i), f1 = f(t1);
    seen.push_back(f1);
    if (f0 == 0.0) found.push_back(t0);
    if (f0 * f1 < 0.0) {
      double lo = t0, hi = t1, flo = f0;
      for (int k = 0; k < 200; ++k) {
        const double mid = logarithmic ? std::sqrt(lo * hi) : 0.5 * (lo + hi);
        if (!(mid > lo && mid < hi)) break;
        const double fm = f(mid);
        if (std::isnan(fm)) break;
        if ((fm < 0.0) == (flo < 0.0)) {
          lo = mid;
          flo = fm;
        } else {
          hi = mid;
        }
      }
      found.push_back(std::fabs(flo) <= std::fabs(f(hi)) ? lo : hi);
    }
    t0 = t1;
    f0 = f1;
  }
  if (f0 == 0.0) found.push_back(t0);
  return found;
}

// The range that the sampled values of a search spanned, for a message.
std::string spanned(const std::vector<double>& seen, double target, quantity q, unit_system units) {
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (const double d : seen) {
    if (std::isnan(d)) continue;
    lo = std::fmin(lo, d + target);
    hi = std::fmax(hi, d + target);
  }
  if (!(lo <= hi)) return "";
  return " (the states there span " + with_unit(lo, q, units) + " to " + with_unit(hi, q, units) + ")";
}

// The values found by a search, "a, b and c", with the unit once.
std::string listed(std::vector<double> values, double one_more, quantity q, unit_system units) {
  if (!std::isnan(one_more)) values.push_back(one_more);
  std::sort(values.begin(), values.end());
  const unit& u = output_unit(q, units);
  std::string s;
  for (std::size_t i = 0; i < values.size(); ++i)
    s += (i == 0 ? "" : i + 1 == values.size() ? " and " : ", ") + number(from_si(values[i], u), "%.6g");
  return s + " " + std::string(u.symbol);
}

// T with h or s: the isotherm from p_search_min to its highest pressure, the
// two-phase states at psat(T) in between.
water::result along_isotherm(double T, double target, const row& of, unit_system units, std::string& why) {
  if (const water::result bounds = water::pT(1e5, T); !bounds) return bounds;
  const double p_top = 1e6 * (T > if97::T_region2_max ? if97::p_region5_max : if97::p_max);
  const auto f = [&](double p) { return water::pT(p, T).state.*of.member - target; };
  std::vector<double> seen, found;
  const auto scan = [&](double a, double b) {
    for (const double p : sign_changes(a, b, true, f, seen)) found.push_back(p);
  };
  water::result two_phase{water::status::not_converged, {}};
  if (T < if97::T_c) {
    const water::result liquid = water::Tx(T, 0.0), vapour = water::Tx(T, 1.0);
    const double y0 = liquid.state.*of.member, y1 = vapour.state.*of.member;
    const double psat = liquid.state.p;
    seen.push_back(y0 - target);
    seen.push_back(y1 - target);
    if ((target - y0) * (target - y1) <= 0.0) two_phase = water::Tx(T, (target - y0) / (y1 - y0));
    scan(std::nextafter(psat, 0.0) < p_search_min ? psat : p_search_min, std::nextafter(psat, 0.0));
    scan(psat, p_top);
  } else {
    scan(p_search_min, p_top);
  }
  const std::size_t n = found.size() + (two_phase ? 1 : 0);
  if (n == 1) return two_phase ? two_phase : water::pT(found.front(), T);
  why = n == 0 ? "no state at this temperature has this " + std::string(of.description) +
                     spanned(seen, target, of.q, units)
               : std::to_string(n) + " states at this temperature have this " + of.description +
                     " (at p = " + listed(found, two_phase ? two_phase.state.p : nan, quantity::pressure, units) +
                     "); give p instead of T";
  return {water::status::not_converged, {}};
}

// x with h or s: the saturation line from 273.15 K up to the critical point.
water::result along_saturation(double x, double target, const row& of, unit_system units, std::string& why) {
  if (const water::result bounds = water::Tx(300.0, x); !bounds) return bounds;
  const auto f = [&](double T) { return water::Tx(T, x).state.*of.member - target; };
  std::vector<double> seen;
  const std::vector<double> found = sign_changes(if97::T_min, std::nextafter(if97::T_c - 1e-7, 0.0), false, f, seen);
  if (found.size() == 1) return water::Tx(found.front(), x);
  why = found.empty()
            ? "no saturated state with this vapour fraction has this " + std::string(of.description) +
                  spanned(seen, target, of.q, units)
            : std::to_string(found.size()) + " saturated states with this vapour fraction have this " + of.description +
                  " (at T = " + listed(found, nan, quantity::temperature, units) + "); give p or T instead";
  return {water::status::not_converged, {}};
}

const row& row_named(const char* name) {
  for (const row& r : rows)
    if (std::string(r.name) == name) return r;
  return rows[0];
}

// Why a value is not available, or "".
std::string reason_missing(const row& r, const water::state& st, bool mixture) {
  if (mixture && st.phase == water::phase::two_phase) return "not defined for a two-phase mixture";
  if ((r.member == &phase_values::mu || r.member == &phase_values::lambda) && st.T > T_transport_max)
    return "IAPWS R12-08 (mu) and R15-11 (lambda) hold up to 1173.15 K";
  return "not available";
}

}  // namespace

std::string pair_problem(const state_inputs& in) {
  const std::pair<const char*, bool> given[] = {{"--p", in.p.has_value()}, {"--T", in.T.has_value()},
                                                {"--h", in.h.has_value()}, {"--s", in.s.has_value()},
                                                {"--x", in.x.has_value()}, {"--rho", in.rho.has_value()}};
  std::string names;
  int n = 0;
  for (const auto& [name, is_given] : given) {
    if (!is_given) continue;
    names += (n++ ? ", " : "") + std::string(name);
  }
  if (n == 2 && (!in.rho || in.T))
    return in.phase && !(in.p && (in.T || in.h || in.s)) ? "--phase goes with --p and one of --T, --h, --s" : "";
  return "give two of --p, --T, --h, --s, --x, or --T with --rho; got " + (n == 0 ? std::string("none") : names);
}

water::result solve_state(const state_inputs& in, unit_system units, std::string& why) {
  why.clear();
  if (in.T && in.rho) return water::Trho(*in.T, *in.rho);
  if (in.phase && in.p && in.T) return water::pT(*in.p, *in.T, *in.phase);
  if (in.phase && in.p && in.h) return water::ph(*in.p, *in.h, *in.phase);
  if (in.phase && in.p && in.s) return water::ps(*in.p, *in.s, *in.phase);
  if (in.p && in.T) return water::pT(*in.p, *in.T);
  if (in.p && in.h) return water::ph(*in.p, *in.h);
  if (in.p && in.s) return water::ps(*in.p, *in.s);
  if (in.p && in.x) return water::px(*in.p, *in.x);
  if (in.h && in.s) return water::hs(*in.h, *in.s);
  if (in.T && in.x) return water::Tx(*in.T, *in.x);
  if (in.T && in.h) return along_isotherm(*in.T, *in.h, row_named("h"), units, why);
  if (in.T && in.s) return along_isotherm(*in.T, *in.s, row_named("s"), units, why);
  if (in.x && in.h) return along_saturation(*in.x, *in.h, row_named("h"), units, why);
  if (in.x && in.s) return along_saturation(*in.x, *in.s, row_named("s"), units, why);
  why = pair_problem(in);
  return {water::status::not_converged, {}};
}

std::string describe_inputs(const state_inputs& in, unit_system units) {
  const std::pair<const char*, const row*> named[] = {
      {"p", &row_named("p")}, {"T", &row_named("T")}, {"h", &row_named("h")}, {"s", &row_named("s")}};
  const std::optional<double>* values[] = {&in.p, &in.T, &in.h, &in.s};
  std::string s;
  for (std::size_t i = 0; i < 4; ++i)
    if (*values[i])
      s += (s.empty() ? "" : ", ") + std::string(named[i].first) + " = " +
           with_unit(**values[i], named[i].second->q, units);
  if (in.x) s += (s.empty() ? "" : ", ") + std::string("x = ") + number(*in.x, "%.7g");
  if (in.rho) s += (s.empty() ? "" : ", ") + std::string("rho = ") + with_unit(*in.rho, quantity::density, units);
  return s;
}

int run_state(const state_inputs& in, unit_system units, record_format format) {
  std::string why;
  const water::result r = solve_state(in, units, why);
  if (!r) {
    std::fprintf(stderr, "kviapws97: state: no state at %s: %s\n",
                 in.typed.empty() ? describe_inputs(in, units).c_str() : in.typed.c_str(),
                 why.empty() ? r.reason() : why.c_str());
    return 1;
  }
  const water::state& st = r.state;
  const bool two_phase = st.phase == water::phase::two_phase;
  const phase_values* columns[] = {&st, &st.liquid, &st.vapour};
  const std::size_t n_columns = two_phase ? 3 : 1;
  const auto value = [&](const row& rw, std::size_t column) { return columns[column]->*rw.member; };
  const char* precise = "%.12g";

  if (format == record_format::json) {
    const auto json_number = [&](double si, quantity q) {
      return std::isnan(si) ? std::string("null") : number(from_si(si, output_unit(q, units)), precise);
    };
    const auto object = [&](std::size_t column) {
      std::string s = "{";
      for (const row& rw : rows)
        s += std::string(&rw == rows ? "" : ", ") + "\"" + rw.name + "\": " + json_number(value(rw, column), rw.q);
      return s + "}";
    };
    std::string units_object = "{";
    for (const row& rw : rows)
      units_object += std::string(&rw == rows ? "" : ", ") + "\"" + rw.name + "\": \"" +
                      std::string(output_unit(rw.q, units).symbol) + "\"";
    std::string body = object(0);
    body.pop_back();
    std::printf("{\"region\": %d, \"phase\": \"%s\", \"x\": %s, %s, \"liquid\": %s, \"vapour\": %s, \"units\": %s}}\n",
                st.region, water::phase_text(st.phase), json_number(st.x, quantity::fraction).c_str(), body.c_str() + 1,
                two_phase ? object(1).c_str() : "null", two_phase ? object(2).c_str() : "null", units_object.c_str());
    return 0;
  }

  if (format == record_format::csv) {
    std::vector<std::string> header{"region", "phase", "x"},
        record{std::to_string(st.region), water::phase_text(st.phase), std::isnan(st.x) ? "" : number(st.x, precise)};
    for (std::size_t column = 0; column < 3; ++column) {
      for (const row& rw : rows) {
        if (column > 0 && (rw.member == &phase_values::p || rw.member == &phase_values::T)) continue;
        const unit& u = output_unit(rw.q, units);
        header.push_back(std::string(rw.name) +
                         (column == 1   ? "'"
                          : column == 2 ? "\""
                                        : "") +
                         " [" + std::string(u.symbol) + "]");
        const double v = column < n_columns ? value(rw, column) : nan;
        record.push_back(std::isnan(v) ? "" : number(from_si(v, u), precise));
      }
    }
    std::printf("%s%s", csv_record(header).c_str(), csv_record(record).c_str());
    return 0;
  }

  std::printf("%s%s, IF97 region %d, at %s\n", water::phase_text(st.phase), r.metastable ? " metastable" : "", st.region,
              describe_inputs(in, units).c_str());
  if (two_phase) std::printf("  %-6s %-26s %14s %14s %14s\n", "", "", "mixture", "sat. liquid", "sat. vapour");
  std::printf("  %-6s %-26s %14s\n", "x", "vapour fraction", std::isnan(st.x) ? "n/a" : number(st.x, "%.7g").c_str());
  std::vector<std::pair<std::string, std::string>> notes;  // reason, names
  if (std::isnan(st.x)) notes.push_back({"a single phase has no vapour fraction", "x"});
  for (const row& rw : rows) {
    const unit& u = output_unit(rw.q, units);
    std::printf("  %-6s %-26s", rw.name, rw.description);
    for (std::size_t column = 0; column < n_columns; ++column) {
      const double v = value(rw, column);
      std::printf(" %14s", std::isnan(v) ? "n/a" : number(from_si(v, u), "%.7g").c_str());
      if (!std::isnan(v)) continue;
      const std::string reason = reason_missing(rw, st, column == 0);
      bool known = false;
      for (auto& [text, names] : notes) {
        if (text != reason) continue;
        known = true;
        if (names.find(rw.name) == std::string::npos) names += std::string(", ") + rw.name;
      }
      if (!known) notes.push_back({reason, rw.name});
    }
    std::printf("  %s\n", std::string(u.symbol).c_str());
  }
  for (const auto& [reason, names] : notes) std::printf("n/a: %s: %s\n", names.c_str(), reason.c_str());
  return 0;
}

}  // namespace kvtool
