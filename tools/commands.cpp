#include "tools/commands.hpp"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "if97/constants.hpp"
#include "if97/region4_operations.hpp"
#include "if97/saturation.hpp"
#include "tools/csv.hpp"
#include "transport/range.hpp"
#include "tools/region_map.hpp"

namespace kvtool {
namespace {

constexpr std::int64_t vapour = 1;  // host phase codes
constexpr std::int64_t liquid = 2;
constexpr std::int64_t no_phase = 0;
constexpr std::int64_t saturation_region = 4;  // region 4: saturated states, or the region chosen by the library
constexpr double T_crit = if97::T_c;           // K
constexpr double p_triple = 611.213;           // Pa, where IAPWS-IF97 Eq. (31) starts
constexpr double p_crit = 1e6 * if97::p_c;     // Pa, where it ends
constexpr double p_crit_sat = 1e6 * if97::p_c_sat;  // Pa, where the library's saturated states become critical
constexpr long max_rows = 100000;  // as the command line allows

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string value_or_failed(double value) { return is_missing(value) ? "failed" : number(value); }

const char* phase_name(std::int64_t phase) { return phase == vapour ? "vapour" : "liquid"; }

// The host phase code of a choice: automatic takes vapour below the vapour
// pressure and above the critical temperature.
std::int64_t resolve(const plugin& lib, phase_choice choice, double T, double P) {
  if (choice == phase_choice::liquid) return liquid;
  if (choice == phase_choice::vapour) return vapour;
  if (!(T <= T_crit)) return vapour;
  const property_result psat = lib.property(KVIAPWS97_PSAT, T, 0.0, 0.0, no_phase, saturation_region);
  return psat.ok() && P < psat.value ? vapour : liquid;
}

void print_warnings(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  std::printf("warnings from the library:\n");
  for (const std::string& line : warnings) std::printf("%s\n", line.c_str());
}

std::string state_text(double T, double P) {
  return "T = " + value_or_failed(T) + " K, P = " + value_or_failed(P) + " Pa";
}

// Why no single phase lies at (T, P) for a property code (0: any), or "".
std::string outside_range(double T, double P, int code);
}  // namespace

double value_units::value(const property_info& p, double host, double T) const {
  const double v = on_scale(p, host, T, scale);
  const unit* u = system ? find_unit(p.kg_unit) : nullptr;
  return u == nullptr ? v : from_si(to_si(v, *u), output_unit(u->of, *system));
}

std::string value_units::unit_text(const property_info& p) const {
  const unit* u = system ? find_unit(p.kg_unit) : nullptr;
  return u == nullptr ? unit_of(p, scale) : std::string(output_unit(u->of, *system).symbol);
}

int run_eos(const plugin& lib, const eos_options& o) {
  const std::int64_t phase = resolve(lib, o.phase, o.T, o.P);
  const eos_result r = lib.eos(o.T, o.P, phase, o.saturated, o.from_formulation);
  std::printf("%s water at %s%s; ln phi from %s\n", phase_name(phase), state_text(o.T, o.P).c_str(),
              o.saturated ? " (saturated at T; P not used)" : "", o.from_formulation ? "the formulation" : "the vapour pressure");
  const struct {
    const char* name;
    double value;
    const char* unit;
  } rows[] = {{"ln phi", r.lnphi, ""},
              {"H", r.H, "J/kmol"},
              {"S", r.S, "J/(kmol K)"},
              {"G", r.G, "J/kmol"},
              {"V", r.V, "m3/kmol"}};
  bool failed = false;
  for (const auto& row : rows) {
    failed = failed || is_missing(row.value);
    std::printf("  %-7s %20s%s%s\n", row.name, value_or_failed(row.value).c_str(), *row.unit ? "  " : "", row.unit);
  }
  print_warnings(r.warnings);
  if (failed) {
    const std::string why = outside_range(o.T, o.P, 0);
    std::fprintf(stderr, "kviapws97: eos: no %s state at %s: %s\n", phase_name(phase), state_text(o.T, o.P).c_str(),
                 why.empty() ? "the library gives no value here" : why.c_str());
  }
  return failed ? 1 : 0;
}

// The IF97 region (1, 2, 3 or 5) that the library itself gives a single
// phase at (T, P), or 0 outside its range.
int own_region(double T, double P) {
  const if97::settled_request s = if97::settle_region4_request(P / 1e5, T, -1.0, if97::thermodynamic_limits);
  return s.kind == if97::settled_kind::single ? s.point.region : 0;
}

namespace {

// What the library accepts, a little more than IAPWS-IF97 itself (see
// if97/region4_operations.cpp); the messages name the bounds of the releases.
constexpr double T_accepted_min = 273.0;      // K
constexpr double T_accepted_max = if97::thermodynamic_limits.T_max;  // K
constexpr double T_saturated_max = 647.3;     // K
constexpr double T_transport_max = if97::transport_limits.T_max;  // K, a little above transport::T_max
constexpr double P_accepted_min = 610.0;      // Pa
constexpr double P_accepted_max = 100.01e6;   // Pa
constexpr double P_region5_accepted = 1e6 * if97::thermodynamic_limits.p_max;  // Pa, above 1073.15 K
constexpr double P_transport_r5 = 1e6 * if97::transport_limits.p_max;        // Pa
constexpr double P_saturated_max = 22.12e6;   // Pa
constexpr double T_sat_mismatch = 0.1;        // K
// A volume belongs to (T, P) when it differs from the one there by at most this fraction.
constexpr double volume_tolerance = 1e-4;

bool is_transport(int code) { return code == KVIAPWS97_VISCOSITY || code == KVIAPWS97_CONDUCTIVITY; }

const char* transport_release(int code) {
  return code == KVIAPWS97_VISCOSITY ? "IAPWS R12-08 (viscosity)" : "IAPWS R15-11 (thermal conductivity)";
}

// Why no single phase of IAPWS-IF97 (or of the transport releases) lies at
// (T, P), or "".
std::string outside_range(double T, double P, int code) {
  const std::string t = "T = " + number(T) + " K", p = "P = " + number(P) + " Pa";
  if (!(T > 0.0)) return t + " is not above 0 K";
  if (!(P > 0.0)) return p + " is not above 0 Pa";
  if (T < T_accepted_min) return t + " is below 273.15 K, where IAPWS-IF97 begins";
  if (T > T_accepted_max) return t + " is above 2273.15 K, where IAPWS-IF97 ends";
  if (P < P_accepted_min) return p + " is below 610 Pa, the lowest pressure the library takes";
  if (P > P_accepted_max) return p + " is above 100 MPa, the highest pressure of IAPWS-IF97";
  if (T > if97::T_region2_max && P > P_region5_accepted)
    return p + " is above 50 MPa, the highest pressure of IAPWS-IF97 above 1073.15 K";
  if (is_transport(code) && T > T_transport_max)
    return t + " is above " + number(transport::T_max) + " K, where " + transport_release(code) + " ends";
  if (is_transport(code) && T > if97::T_region2_max && P > P_transport_r5)
    return p + " is above 50 MPa, the highest pressure of " + transport_release(code) + " above 1073.15 K";
  return "";
}

// Why (T, P), either of them negative for "not given", is no saturated state, or "".
std::string off_saturation(double T, double P) {
  const std::string t = "T = " + number(T) + " K", p = "P = " + number(P) + " Pa";
  if (T < 0.0 && P < 0.0) return "neither T nor P is given";
  if (T >= 0.0 && !(T >= T_accepted_min && T <= T_saturated_max))
    return t + " is off the saturation line, which runs from 273.15 K to 647.096 K";
  if (P >= 0.0 && !(P >= P_accepted_min && P <= P_saturated_max))
    return p + " is off the saturation line, which runs from 611.2 Pa to 22.064 MPa";
  if (T >= 0.0 && P >= 0.0 && P < p_crit_sat && T < T_crit) {
    const double T_sat = if97::tsat(P / 1e6);
    if (std::fabs(T - T_sat) > T_sat_mismatch)
      return t + " and " + p + " are not one saturated state: Tsat(P) = " + number(T_sat) + " K, " +
             number(std::fabs(T - T_sat)) + " K away, more than 0.1 K";
  }
  return "";
}

// Whether the dispatcher computes a code in a region from T and V alone,
// without P: the region-3 equation and the transport equations of density.
bool of_T_and_V_alone(int code, std::int64_t region) {
  if (code == KVIAPWS97_PRESSURE || code == KVIAPWS97_VISCOSITY) return true;
  const int region3_codes[] = {KVIAPWS97_ENTHALPY, KVIAPWS97_ENTROPY, KVIAPWS97_GIBBS, KVIAPWS97_CP,
                               KVIAPWS97_CV,       KVIAPWS97_ENERGY,  KVIAPWS97_SOUND};
  return region == 3 && std::find(std::begin(region3_codes), std::end(region3_codes), code) != std::end(region3_codes);
}

// A value that no physical state has: a pressure, density, viscosity,
// conductivity or heat capacity that is not positive (heat capacities on the
// IF97 scale, not as departures), or "".
std::string unphysical(const property_info& p, double kg_value) {
  switch (p.code) {
    case KVIAPWS97_PRESSURE:
    case KVIAPWS97_PSAT: return kg_value > 0.0 ? "" : "a pressure not above 0";
    case KVIAPWS97_VOLUME: return kg_value > 0.0 ? "" : "a volume (density) not above 0";
    case KVIAPWS97_VISCOSITY: return kg_value > 0.0 ? "" : "a viscosity not above 0";
    case KVIAPWS97_CONDUCTIVITY: return kg_value > 0.0 ? "" : "a thermal conductivity not above 0";
    case KVIAPWS97_CP:
    case KVIAPWS97_CV: return kg_value > 0.0 ? "" : "a heat capacity not above 0";
    case KVIAPWS97_SOUND: return kg_value > 0.0 ? "" : "a speed of sound not above 0";
    default: return "";
  }
}

}  // namespace

namespace {

// Where a property is evaluated: the state (the region finder may move it),
// the region and phase asked of the dispatcher, and what to say about them.
struct prop_site {
  double T = 0.0, P = 0.0;
  std::int64_t region = saturation_region;
  std::int64_t phase = no_phase;
  std::string where, note, why;
  std::string refused;  // a bad argument: the state lies outside the region named
  std::vector<std::string> warnings;
};

// With --region: that region, refused outside it unless --extrapolate. The
// region equations check nothing: the caller names the region.
void in_region_named(const prop_options& o, prop_site& at) {
  const int code = o.property.code;
  at.region = *o.region;
  if (o.phase) at.phase = *o.phase == phase_choice::vapour ? vapour : *o.phase == phase_choice::liquid ? liquid : no_phase;
  if (at.region == saturation_region) {
    at.where = at.phase == no_phase ? "region 4 without a phase: the region chosen by the library"
                                    : std::string("region 4: saturated ") + phase_name(at.phase);
    return;
  }
  at.where = "region " + std::to_string(at.region);
  const bool any_region = code == KVIAPWS97_PSAT || code == KVIAPWS97_SURFACE || code == KVIAPWS97_PRESSURE;
  const int own = own_region(at.T, at.P);
  const std::string range = outside_range(at.T, at.P, code);
  const std::string asked = "--region " + std::to_string(at.region) + ": ";
  const std::string anyway = !(at.T > 0.0 && at.P > 0.0) ? "" : "; --extrapolate evaluates the region-" +
                                                                     std::to_string(at.region) + " equation there";
  const std::string elsewhere = own == 0 ? range : state_text(at.T, at.P) + " lies in IF97 region " + std::to_string(own);
  if (!any_region && own != at.region) {
    if (!o.extrapolate) at.refused = asked + elsewhere + anyway;
    at.note = "note: " + elsewhere + "; the region-" + std::to_string(at.region) + " equation is extrapolated";
  } else if (!any_region && is_transport(code) && !range.empty()) {
    if (!o.extrapolate) at.refused = asked + range + anyway;
    at.note = "note: " + range + "; its equation is extrapolated";
  }
}

prop_site locate(const plugin& lib, const prop_options& o) {
  prop_site at;
  at.T = o.T;
  at.P = o.P;
  if (o.region) {
    in_region_named(o, at);
  } else if (o.phase) {
    // The region finder settles the state first.
    at.phase = resolve(lib, *o.phase, o.T, o.P);
    const region_result found = lib.find_region(o.T, o.P, at.phase);
    at.warnings = found.warnings;
    at.T = found.T_used;
    at.P = found.P_used;
    at.region = found.region;
    at.where = std::string(phase_name(at.phase)) + (found.region == 0 ? ": the region finder failed"
                                                                        : " in region " + std::to_string(at.region) +
                                                                              " found by the library");
    if (found.region == 0) at.why = outside_range(o.T, o.P, o.property.code);
  } else {
    const int own = own_region(at.T, at.P);
    at.where = own == 0 ? std::string("outside the range of the library")
                        : "IF97 region " + std::to_string(own) + " chosen by the library";
  }
  return at;
}

// Why the dispatcher gave no value at a site, or "".
std::string no_value_reason(const prop_options& o, const prop_site& at, double V, const property_result& own_volume) {
  const int code = o.property.code;
  const bool on_line = at.region == saturation_region && at.phase != no_phase;
  std::string why;
  if (code == KVIAPWS97_PSAT || code == KVIAPWS97_SURFACE)
    why = at.T >= T_accepted_min && at.T <= T_saturated_max
              ? ""
              : "T = " + number(at.T) + " K is off the saturation line, which runs from 273.15 K to 647.096 K";
  else if (code == KVIAPWS97_PRESSURE)
    why = !(at.T > 0.0 && V > 0.0) ? "T and V must be above 0" : "";
  else if (on_line)
    why = off_saturation(at.T, at.P);
  else
    why = outside_range(at.T, at.P, code);
  if (why.empty() && o.extrapolate && !o.V && !(own_volume.ok() && own_volume.value > 0.0))
    why = "the equation gives a volume not above 0, which no physical state has";
  else if (why.empty() && code == KVIAPWS97_SOUND && o.extrapolate)
    why = "the equation gives a negative squared speed of sound, which no physical state has";
  return why;
}

}  // namespace

int run_prop(const plugin& lib, const prop_options& o) {
  const int code = o.property.code;
  prop_site at = locate(lib, o);
  if (!at.refused.empty()) return refuse(at.refused);
  const double T = at.T, P = at.P;
  const bool on_line = at.region == saturation_region && at.phase != no_phase;

  const property_info volume_info = *find_property(std::to_string(KVIAPWS97_VOLUME));
  const property_result own_volume = lib.property(KVIAPWS97_VOLUME, T, P, 0.0, at.phase, at.region);
  double V = own_volume.value;
  if (o.V) {
    V = o.units.scale == unit_scale::kg ? *o.V * volume_info.per_kg : *o.V;
    // A volume of another state would give a property of no state at all.
    const double there = own_volume.value;
    if (own_volume.ok() && !of_T_and_V_alone(code, at.region) && !(std::fabs(V - there) <= volume_tolerance * there)) {
      const std::string unit = o.units.unit_text(volume_info);
      return refuse("--volume: " + number(*o.V) + " " + unit + " does not belong to " + state_text(T, P) +
                    ", where the volume is " + number(o.units.value(volume_info, there, T)) + " " + unit +
                    " (only pressure, viscosity and region 3's h, s, g, u, cp, cv, w are of T and V alone)");
    }
  }
  const property_result r = lib.property(code, T, P, V, at.phase, at.region);
  if (code == KVIAPWS97_PRESSURE && own_region(T, P) != 3)
    at.note = "note: the pressure from T and V is the region-3 equation's, which holds in IF97 region 3 only";
  if (code == KVIAPWS97_CP && o.units.scale == unit_scale::host)
    at.note = "note: on the host's scale cp is the departure cp - cp0(T) from its ideal gas, cv is not; "
              "--units si or eng gives both as IF97 values";
  const std::string where = "(code " + std::to_string(code) + ", " + at.where + ", at " +
                            (on_line && T < 0.0   ? "P = " + value_or_failed(P) + " Pa"
                             : on_line && P < 0.0 ? "T = " + value_or_failed(T) + " K"
                                                  : state_text(T, P)) +
                            ")";
  // The dispatcher moved the value onto the host's reference state at the
  // saturation temperature when T was left out: so is it taken off.
  const double T_shift = !(on_line && T < 0.0) ? T : P >= p_crit_sat ? T_crit : if97::tsat(P / 1e6);
  double value = r.ok() ? o.units.value(o.property, r.value, T_shift) : missing_value();
  std::string why = at.why;
  if (!is_missing(value)) {
    const std::string bad = unphysical(o.property, on_scale(o.property, r.value, T_shift, unit_scale::kg));
    if (!bad.empty()) {
      why = "the equation gives " + bad + ", which no physical state has";
      value = missing_value();
    }
  } else if (why.empty()) {
    why = no_value_reason(o, at, V, own_volume);
  }
  if (!is_missing(value)) {
    const std::string unit = o.units.unit_text(o.property);
    std::printf("%s = %s%s%s %s\n", o.property.name, shown(value, o.digits).c_str(), unit.empty() ? "" : " ",
                unit.c_str(), where.c_str());
  } else {
    const std::string flag = r.ok() ? "" : ", error flag " + std::to_string(r.error);
    std::fprintf(stderr, "kviapws97: prop: %s: failed%s: %s %s\n", o.property.name, flag.c_str(),
                 printable(why.empty() ? "the library gives no value here" : why).c_str(), where.c_str());
  }
  if (!at.note.empty()) std::printf("%s\n", at.note.c_str());
  print_warnings(at.warnings);
  return is_missing(value) ? 1 : 0;
}

int run_region(const plugin& lib, double T, double P, phase_choice choice) {
  const std::int64_t phase = resolve(lib, choice, T, P);
  const region_result r = lib.find_region(T, P, phase);
  std::printf("%s at %s\n", phase_name(phase), state_text(T, P).c_str());
  std::printf("  IF97 region    %lld\n", static_cast<long long>(r.region));
  std::printf("  state used     %s\n", state_text(r.T_used, r.P_used).c_str());
  std::printf("  molar volume   %s\n", is_missing(r.V) ? "failed" : (number(r.V) + " m3/kmol").c_str());
  print_warnings(r.warnings);
  if (is_missing(r.V)) {
    const std::string why = outside_range(T, P, 0);
    std::fprintf(stderr, "kviapws97: region: no region for the %s at %s: %s\n", phase_name(phase),
                 state_text(T, P).c_str(), why.empty() ? "the library gives no state here" : why.c_str());
  }
  return is_missing(r.V) ? 1 : 0;
}

namespace {

// A column of a table: a property of the saturated liquid or vapour, of the
// single phase of the row, or the latent heat h" - h'.
struct column {
  const char* name;
  int code;
  std::int64_t phase;  // vapour, liquid, or no_phase for the library's own region
  bool latent = false;
};

}  // namespace

std::string table_range_problem(const table_options& o) {
  const std::string rows = o.over_pressure ? "--pressure: " : "--temperature: ";
  std::string why;
  if (o.isobar) {
    if (!(why = outside_range(T_crit, *o.isobar, 0)).empty()) return "--isobar: " + why;
    for (const double T : {o.from, o.to})
      if (!(why = outside_range(T, *o.isobar, 0)).empty()) return rows + why;
  } else if (o.isotherm) {
    if (!(why = outside_range(*o.isotherm, 1e5, 0)).empty()) return "--isotherm: " + why;
    for (const double P : {o.from, o.to})
      if (!(why = outside_range(*o.isotherm, P, 0)).empty()) return rows + why;
  } else if (o.over_pressure) {
    if (o.from < p_triple) return rows + "P = " + number(o.from) + " Pa is below " + number(p_triple) + " Pa, where the saturation line begins";
    if (o.to > p_crit) return rows + "P = " + number(o.to) + " Pa is above " + number(p_crit) + " Pa, where the saturation line ends";
  } else {
    if (o.from < if97::T_min) return rows + "T = " + number(o.from) + " K is below " + number(if97::T_min) + " K, where the saturation line begins";
    if (o.to > T_crit) return rows + "T = " + number(o.to) + " K is above " + number(T_crit) + " K, where the saturation line ends";
  }
  return "";
}

namespace {

const std::vector<column> saturated_columns{
    {"v'", KVIAPWS97_VOLUME, liquid},         {"v\"", KVIAPWS97_VOLUME, vapour},
    {"h'", KVIAPWS97_ENTHALPY, liquid},       {"h\"", KVIAPWS97_ENTHALPY, vapour},
    {"h\"-h'", KVIAPWS97_ENTHALPY, no_phase, true},
    {"s'", KVIAPWS97_ENTROPY, liquid},        {"s\"", KVIAPWS97_ENTROPY, vapour},
    {"u'", KVIAPWS97_ENERGY, liquid},         {"u\"", KVIAPWS97_ENERGY, vapour},
    {"cp'", KVIAPWS97_CP, liquid},            {"w'", KVIAPWS97_SOUND, liquid},
    {"w\"", KVIAPWS97_SOUND, vapour},         {"mu'", KVIAPWS97_VISCOSITY, liquid},
    {"mu\"", KVIAPWS97_VISCOSITY, vapour},    {"lambda'", KVIAPWS97_CONDUCTIVITY, liquid},
    {"lambda\"", KVIAPWS97_CONDUCTIVITY, vapour}, {"sigma", KVIAPWS97_SURFACE, liquid}};
const std::vector<column> single_phase_columns{
    {"v", KVIAPWS97_VOLUME, no_phase},     {"h", KVIAPWS97_ENTHALPY, no_phase},  {"s", KVIAPWS97_ENTROPY, no_phase},
    {"u", KVIAPWS97_ENERGY, no_phase},     {"cp", KVIAPWS97_CP, no_phase},       {"cv", KVIAPWS97_CV, no_phase},
    {"w", KVIAPWS97_SOUND, no_phase},      {"mu", KVIAPWS97_VISCOSITY, no_phase},
    {"lambda", KVIAPWS97_CONDUCTIVITY, no_phase}};

// A table as it is printed: aligned text or CSV, a row of cells at a time.
class table_printer {
 public:
  table_printer(const plugin& lib, const table_options& o)
      : lib_(lib), o_(o), single_phase_(o.isobar || o.isotherm),
        columns_(single_phase_ ? single_phase_columns : saturated_columns),
        T_unit_(o.units.of(quantity::temperature)), P_unit_(o.units.of(quantity::pressure)),
        format_("%." + std::to_string(o.csv ? record_digits : o.digits) + "g") {}

  // The running variable, the other one (of the saturation line, or the
  // isobar's or isotherm's own), the region of a single phase, then the columns.
  void header() {
    std::vector<std::string> names{o_.over_pressure ? "P" : "T"};
    std::vector<std::string> units{std::string(o_.over_pressure ? P_unit_.symbol : T_unit_.symbol)};
    names.push_back(single_phase_ ? (o_.over_pressure ? "T" : "P") : (o_.over_pressure ? "Tsat" : "psat"));
    units.emplace_back(o_.over_pressure ? T_unit_.symbol : P_unit_.symbol);
    if (single_phase_) {
      names.emplace_back("region");
      units.emplace_back("");
    }
    for (const column& c : columns_) {
      names.emplace_back(c.name);
      units.push_back(o_.units.unit_text(*find_property(std::to_string(c.code))));
    }
    if (!o_.csv) {
      print(names);
      print(units);
      return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) names[i] += units[i].empty() ? "" : " [" + units[i] + "]";
    print(names);
  }

  // The row at x (K or Pa): printed, and on failure its reason on standard error; false then.
  bool row(double x) {
    double T = x, P = x;
    if (o_.isobar) {
      P = *o_.isobar;
    } else if (o_.isotherm) {
      T = *o_.isotherm;
    } else if (o_.over_pressure) {
      // IAPWS-IF97 Eq. (31); the plug-in has no property code for it.
      T = (P >= p_triple && P <= p_crit) ? if97::tsat(P / 1e6) : -1.0;
    } else {
      P = lib_.property(KVIAPWS97_PSAT, T, 0.0, 0.0, no_phase, saturation_region).value;
    }
    const bool on_line = T > 0.0 && !is_missing(P);
    const int region = single_phase_ ? own_region(T, P) : 4;
    const double other = o_.over_pressure ? (on_line ? T : missing_value()) : P;
    cells_.assign({cell(from_si(x, o_.over_pressure ? P_unit_ : T_unit_)),
                   is_missing(other) ? cell(other) : cell(from_si(other, o_.over_pressure ? T_unit_ : P_unit_))});
    if (single_phase_) cells_.push_back(region == 0 ? cell(missing_value()) : std::to_string(region));
    std::string failed_columns = on_line && region != 0 ? "" : "the row";
    double h_saturated[2] = {missing_value(), missing_value()};  // liquid, vapour
    for (const column& c : columns_) {
      double value = missing_value();
      if (c.latent) {
        // The host's reference shift, the same at one T, cancels in the difference.
        if (!is_missing(h_saturated[0]) && !is_missing(h_saturated[1])) value = h_saturated[1] - h_saturated[0];
      } else if (is_transport(c.code) && T > transport::T_max) {
        value = std::numeric_limits<double>::quiet_NaN();  // not defined there, as in `state`
        beyond_transport_ = true;
      } else if (on_line && region != 0) {
        // Both T and P are given: the saturated-state operations check that
        // they lie on the saturation line, and the reference shift needs T.
        const property_result r = lib_.property(c.code, T, P, 0.0, c.phase, saturation_region);
        if (r.ok()) value = o_.units.value(*find_property(std::to_string(c.code)), r.value, T);
        if (c.code == KVIAPWS97_ENTHALPY && c.phase != no_phase) h_saturated[c.phase == vapour ? 1 : 0] = value;
      }
      if (is_missing(value) && !std::isnan(value) && failed_columns != "the row")
        failed_columns += (failed_columns.empty() ? "" : ", ") + std::string(c.name);
      cells_.push_back(cell(value));
    }
    print(cells_);
    if (failed_columns.empty()) return true;
    // The rows' range was checked before the first row: this is the library's own refusal.
    const std::string why = outside_range(T, P, 0);
    std::fprintf(stderr, "kviapws97: table: %s failed at %s: %s\n", failed_columns.c_str(), state_text(T, P).c_str(),
                 why.empty() ? "the library gives no value there" : why.c_str());
    return false;
  }

  // What n/a means, below a text table.
  void notes() const {
    if (beyond_transport_ && !o_.csv)
      std::printf("n/a: mu, lambda: IAPWS R12-08 (mu) and R15-11 (lambda) hold up to %s K\n",
                  number(transport::T_max).c_str());
  }

 private:
  static constexpr std::size_t width = 13;

  void print(const std::vector<std::string>& cells) {
    line_.clear();
    if (o_.csv) {
      line_ = csv_record(cells);
    } else {
      for (std::size_t i = 0; i < cells.size(); ++i)
        line_ += std::string(i ? " " : "") + std::string(cells[i].size() < width ? width - cells[i].size() : 0, ' ') +
                 cells[i];
      line_ += '\n';
    }
    std::fwrite(line_.data(), 1, line_.size(), stdout);
  }

  std::string cell(double value) const {
    if (std::isnan(value)) return o_.csv ? "" : "n/a";
    if (is_missing(value)) return o_.csv ? "" : "failed";
    char text[40];
    std::snprintf(text, sizeof text, format_.c_str(), value);
    return text;
  }

  const plugin& lib_;
  const table_options& o_;
  const bool single_phase_;
  const std::vector<column>& columns_;
  const unit& T_unit_;
  const unit& P_unit_;
  const std::string format_;
  bool beyond_transport_ = false;
  std::vector<std::string> cells_;
  std::string line_;
};

}  // namespace

int run_table(const plugin& lib, const table_options& o) {
  // The caller has checked the range: finite, in the library's range, not too long.
  const double intervals = std::floor((o.to - o.from) / o.step * (1.0 + 1e-12));
  const long rows = static_cast<long>(std::min(intervals, static_cast<double>(max_rows))) + 1;
  table_printer table(lib, o);
  table.header();
  bool all_rows = true;
  for (long i = 0; i < rows; ++i) all_rows = table.row(o.from + static_cast<double>(i) * o.step) && all_rows;
  table.notes();
  return all_rows ? 0 : 1;
}

int write_picture(const std::string& command, const std::string& output, const std::string& svg,
                  const std::string& report) {
  const bool to_stdout = output == "-";
  if (to_stdout) {
    std::fputs(report.c_str(), stderr);
    std::fwrite(svg.data(), 1, svg.size(), stdout);
    return 0;  // main checks that standard output was written
  }
  // The file is written whole before the report, so that a file that cannot
  // be written is told as a bad argument, alone.
  errno = 0;
  std::FILE* file = std::fopen(output.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
  written = written && std::fflush(file) == 0;
  const int error = errno;
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "kviapws97: %s: -o %s: cannot write: %s\n", command.c_str(), output.c_str(),
                 std::strerror(error != 0 ? error : errno));
    return 2;
  }
  std::printf("%swrote %s\n", report.c_str(), output.c_str());
  return 0;
}

std::string map_mark_problem(const map_request& mark) {
  // The library's warnings print a temperature in seven places with two decimals (see adapter/warnings.cpp).
  constexpr double T_printable = 1e4;  // K
  if (!(mark.T > 0.0)) return "T = " + number(mark.T) + " K is not above 0 K";
  if (!(mark.P > 0.0)) return "P = " + number(mark.P) + " Pa is not above 0 Pa";
  if (mark.T >= T_printable) return "T = " + number(mark.T) + " K: the map takes temperatures below 10000 K";
  return "";
}

int run_map(const plugin& lib, const std::vector<map_request>& requests, const std::string& output) {
  std::vector<map_mark> marks;
  std::string report;
  bool any_failed = false;
  for (const map_request& m : requests) {
    const std::int64_t phase = resolve(lib, m.phase, m.T, m.P);
    const region_result r = lib.find_region(m.T, m.P, phase);
    marks.push_back({m.T, m.P, phase, r.region, r.T_used, r.P_used, ""});
    any_failed = any_failed || r.region == 0;
    report += map_key_text(marks.back()) + "\n";
    for (const std::string& line : r.warnings) report += line + "\n";
  }
  const int status = write_picture("map", output, region_map_svg(marks), report);
  return status != 0 ? status : any_failed ? 1 : 0;
}

int run_demo(const plugin& lib) {
  const struct {
    double T, P;
    std::int64_t phase;
  } states[] = {{300.0, 1e5, liquid},  {500.0, 1e6, vapour},  {640.0, 2.5e7, liquid}, {750.0, 3e7, vapour},
                {1500.0, 1e6, vapour}, {300.0, 1000.0, liquid}, {700.0, 1e7, liquid}};
  std::printf("region and state used from KVIAPWS_FDREGION; V, H and S from KVIAPWS_ES15D for the state asked\n");
  std::printf("%-26s %6s %10s %14s %14s %16s %16s\n", "state", "region", "T used/K", "P used/Pa", "V/(m3/kmol)",
              "H/(J/kmol)", "S/(J/(kmol K))");
  bool any_failed = false;
  for (const auto& s : states) {
    const region_result r = lib.find_region(s.T, s.P, s.phase);
    const eos_result e = lib.eos(s.T, s.P, s.phase, false, true);
    const std::string state = std::string(phase_name(s.phase)) + " " + number(s.T) + " K, " + number(s.P) + " Pa";
    std::printf("%-26s %6lld %10s %14s %14s %16s %16s\n", state.c_str(), static_cast<long long>(r.region),
                number(r.T_used).c_str(), number(r.P_used).c_str(), value_or_failed(e.V).c_str(),
                value_or_failed(e.H).c_str(), value_or_failed(e.S).c_str());
    for (const std::string& line : e.warnings) std::printf("  %s\n", line.c_str());
    any_failed = any_failed || is_missing(r.V) || is_missing(e.V) || is_missing(e.H) || is_missing(e.S);
  }
  return any_failed ? 1 : 0;
}

}  // namespace kvtool
