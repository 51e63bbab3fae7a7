#include "tools/state.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// The values of the states of a pair, "a, b and c", with the unit once.
std::string listed(const water::all_results& all, double phase_values::*member, quantity q, unit_system units) {
  const unit& u = output_unit(q, units);
  std::string s;
  for (int i = 0; i < all.count; ++i)
    s += (i == 0 ? "" : i + 1 == all.count ? " and " : ", ") + number(from_si(all.states[i].*member, u), "%.6g");
  return s + " " + std::string(u.symbol);
}

// The one state of a pair that may have several ((T, h), (T, s), (h, x),
// (s, x)), from the library's search for all of them; where there is none
// or more than one, `why` says so (what: the quantity's description).
water::result one_of(const water::all_results& all, bool along_isotherm, const char* what, unit_system units,
                     std::string& why) {
  if (all.count == 1) return {water::status::ok, all.states[0]};
  if (all.count == 0 && all.status != water::status::no_state_of_pair) return {all.status, {}};
  if (all.count == 0) {
    why = along_isotherm ? "no state at this temperature has this " + std::string(what)
                         : "no saturated state with this vapour fraction has this " + std::string(what);
  } else if (along_isotherm) {
    why = std::to_string(all.count) + " states at this temperature have this " + what + " (at p = " +
          listed(all, &phase_values::p, quantity::pressure, units) + "); give p instead of T";
  } else {
    why = std::to_string(all.count) + " saturated states with this vapour fraction have this " + what + " (at T = " +
          listed(all, &phase_values::T, quantity::temperature, units) + "); give p or T instead";
  }
  return {water::status::no_state_of_pair, {}};
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
                                                {"--x", in.x.has_value()}, {"--rho", in.rho.has_value()},
                                                {"--u", in.u.has_value()}};
  std::string names;
  int n = 0;
  for (const auto& [name, is_given] : given) {
    if (!is_given) continue;
    names += (n++ ? ", " : "") + std::string(name);
  }
  // rho goes with p, T, h, s or u; u with p or rho; a phase with (p, T), (p, h) or (p, s).
  const bool pair_of_rho = in.rho && !in.x;
  const bool pair_of_u = in.u && (in.p || in.rho);
  if (n == 2 && (!in.rho || pair_of_rho) && (!in.u || pair_of_u))
    return in.phase && !(in.p && (in.T || in.h || in.s)) ? "--phase goes with --p and one of --T, --h, --s" : "";
  return "give two of --p, --T, --h, --s, --x, or --rho with one of --p, --T, --h, --s, --u, or --u with --p; got " +
         (n == 0 ? std::string("none") : names);
}

water::result solve_state(const state_inputs& in, unit_system units, std::string& why) {
  why.clear();
  if (in.T && in.rho) return water::Trho(*in.T, *in.rho);
  if (in.phase && in.p && in.T) return water::pT(*in.p, *in.T, *in.phase);
  if (in.phase && in.p && in.h) return water::ph(*in.p, *in.h, *in.phase);
  if (in.phase && in.p && in.s) return water::ps(*in.p, *in.s, *in.phase);
  if (in.rho && in.u) return water::rhou(*in.rho, *in.u);
  if (in.rho && in.h) return water::rhoh(*in.rho, *in.h);
  if (in.rho && in.s) return water::rhos(*in.rho, *in.s);
  if (in.p && in.rho) return water::prho(*in.p, *in.rho);
  if (in.p && in.u) return water::pu(*in.p, *in.u);
  if (in.p && in.T) return water::pT(*in.p, *in.T);
  if (in.p && in.h) return water::ph(*in.p, *in.h);
  if (in.p && in.s) return water::ps(*in.p, *in.s);
  if (in.p && in.x) return water::px(*in.p, *in.x);
  if (in.h && in.s) return water::hs(*in.h, *in.s);
  if (in.T && in.x) return water::Tx(*in.T, *in.x);
  if (in.T && in.h) return one_of(water::Th_all(*in.T, *in.h), true, "specific enthalpy", units, why);
  if (in.T && in.s) return one_of(water::Ts_all(*in.T, *in.s), true, "specific entropy", units, why);
  if (in.x && in.h) return one_of(water::hx_all(*in.h, *in.x), false, "specific enthalpy", units, why);
  if (in.x && in.s) return one_of(water::sx_all(*in.s, *in.x), false, "specific entropy", units, why);
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
  if (in.u) s += (s.empty() ? "" : ", ") + std::string("u = ") + with_unit(*in.u, quantity::energy, units);
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
