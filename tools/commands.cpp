#include "tools/commands.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "if97/constants.hpp"
#include "if97/region4_operations.hpp"
#include "if97/saturation.hpp"
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

}  // namespace

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
  return failed ? 1 : 0;
}

// The IF97 region (1, 2, 3 or 5) that the library itself gives a single
// phase at (T, P), or 0 outside its range.
int own_region(double T, double P) {
  const if97::settled_request s = if97::settle_region4_request(P / 1e5, T, -1.0, if97::thermodynamic_limits);
  return s.kind == if97::settled_kind::single ? s.point.region : 0;
}

int run_prop(const plugin& lib, const prop_options& o) {
  double T = o.T, P = o.P;
  std::int64_t region = saturation_region;
  std::int64_t phase = no_phase;
  std::string where, note;
  std::vector<std::string> warnings;
  if (o.region) {
    region = *o.region;
    if (o.phase) phase = *o.phase == phase_choice::vapour ? vapour : *o.phase == phase_choice::liquid ? liquid : no_phase;
    if (region == saturation_region) {
      where = phase == no_phase ? "region 4 without a phase: IF97 region " + std::to_string(own_region(T, P)) +
                                      " chosen by the library"
                                : std::string("region 4: saturated ") + phase_name(phase);
    } else {
      where = "region " + std::to_string(region);
      // The region equations check nothing: the caller names the region.
      const int own = own_region(T, P);
      const bool any_region = o.property.code == KVIAPWS97_PSAT || o.property.code == KVIAPWS97_SURFACE ||
                              o.property.code == KVIAPWS97_PRESSURE;
      if (own != 0 && own != region && !any_region)
        note = "note: (T, P) lies in IF97 region " + std::to_string(own) + "; the region-" + std::to_string(region) +
               " equation is used outside its range";
    }
  } else if (o.phase) {
    phase = resolve(lib, *o.phase, o.T, o.P);
    const region_result found = lib.find_region(o.T, o.P, phase);
    warnings = found.warnings;
    T = found.T_used;
    P = found.P_used;
    region = found.region;
    where = found.region == 0 ? std::string(phase_name(phase)) + ": the region finder failed"
                              : std::string(phase_name(phase)) + " in region " + std::to_string(region) +
                                    " found by the library";
  } else {
    where = "IF97 region " + std::to_string(own_region(T, P)) + " chosen by the library";
  }

  double V = 0.0;
  if (o.V) {
    V = *o.V;
  } else {
    const property_result volume = lib.property(KVIAPWS97_VOLUME, T, P, 0.0, phase, region);
    V = volume.value;
  }
  const property_result r = lib.property(o.property.code, T, P, V, phase, region);
  if (o.property.code == KVIAPWS97_PRESSURE && own_region(T, P) != 3)
    note = "note: the pressure from T and V is the region-3 equation's, which holds in IF97 region 3 only";
  // A saturated state may leave T or P out (negative).
  const bool on_line = region == saturation_region && phase != no_phase;
  const std::string at = "(code " + std::to_string(o.property.code) + ", " + where + ", at " +
                         (on_line && T < 0.0   ? "P = " + value_or_failed(P) + " Pa"
                          : on_line && P < 0.0 ? "T = " + value_or_failed(T) + " K"
                                               : state_text(T, P)) +
                         ")";
  // The dispatcher moved the value onto the host's reference state at the
  // saturation temperature when T was left out: so is it taken off.
  const double T_shift = !(on_line && T < 0.0) ? T : P >= p_crit_sat ? T_crit : if97::tsat(P / 1e6);
  const double value = r.ok() ? on_scale(o.property, r.value, T_shift, o.units) : missing_value();
  if (!is_missing(value)) {
    const char* unit = unit_of(o.property, o.units);
    std::printf("%s = %s%s%s %s\n", o.property.name, number(value).c_str(), *unit ? " " : "", unit, at.c_str());
  } else {
    std::printf("%s: failed, error flag %lld %s\n", o.property.name, static_cast<long long>(r.error), at.c_str());
  }
  if (!note.empty()) std::printf("%s\n", note.c_str());
  print_warnings(warnings);
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
  return is_missing(r.V) ? 1 : 0;
}

int run_table(const plugin& lib, const table_options& o) {
  // The caller has checked that the range is finite and not too long.
  const double intervals = std::floor((o.to - o.from) / o.step * (1.0 + 1e-12));
  const long rows = static_cast<long>(std::min(intervals, static_cast<double>(max_rows))) + 1;
  struct column {
    const char* name;
    int code;
    std::int64_t phase;
  };
  const column columns[] = {{"v'", KVIAPWS97_VOLUME, liquid},       {"v\"", KVIAPWS97_VOLUME, vapour},
                            {"h'", KVIAPWS97_ENTHALPY, liquid},     {"h\"", KVIAPWS97_ENTHALPY, vapour},
                            {"s'", KVIAPWS97_ENTROPY, liquid},      {"s\"", KVIAPWS97_ENTROPY, vapour},
                            {"cp'", KVIAPWS97_CP, liquid},          {"mu'", KVIAPWS97_VISCOSITY, liquid},
                            {"mu\"", KVIAPWS97_VISCOSITY, vapour},  {"lambda'", KVIAPWS97_CONDUCTIVITY, liquid},
                            {"lambda\"", KVIAPWS97_CONDUCTIVITY, vapour}, {"sigma", KVIAPWS97_SURFACE, liquid}};

  // Header: the running variable, the other one of the saturation line, then the columns.
  std::vector<std::string> names{o.over_pressure ? "P" : "T", o.over_pressure ? "Tsat" : "psat"};
  std::vector<std::string> units{o.over_pressure ? "Pa" : "K", o.over_pressure ? "K" : "Pa"};
  for (const column& c : columns) {
    names.emplace_back(c.name);
    units.emplace_back(unit_of(*find_property(std::to_string(c.code)), o.units));
  }
  constexpr int width = 13;
  const auto print_row = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (o.csv)
        std::printf("%s%s", i ? "," : "", cells[i].c_str());
      else
        std::printf("%s%*s", i ? " " : "", width, cells[i].c_str());
    }
    std::printf("\n");
  };
  if (o.csv) {
    std::vector<std::string> header;
    for (std::size_t i = 0; i < names.size(); ++i) header.push_back(names[i] + " [" + units[i] + "]");
    print_row(header);
  } else {
    print_row(names);
    print_row(units);
  }

  const auto cell = [&](double value) {
    if (is_missing(value)) return std::string(o.csv ? "" : "failed");
    char text[32];
    std::snprintf(text, sizeof text, o.csv ? "%.10g" : "%.6g", value);
    return std::string(text);
  };
  bool any_failed = false;
  for (long i = 0; i < rows; ++i) {
    const double x = o.from + static_cast<double>(i) * o.step;
    double T = x, P = x;
    if (o.over_pressure) {
      // IAPWS-IF97 Eq. (31); the plug-in has no property code for it.
      T = (P >= p_triple && P <= p_crit) ? if97::tsat(P / 1e6) : -1.0;
    } else {
      P = lib.property(KVIAPWS97_PSAT, T, 0.0, 0.0, no_phase, saturation_region).value;
    }
    const bool on_line = T > 0.0 && !is_missing(P);
    any_failed = any_failed || !on_line;
    std::vector<std::string> cells{cell(x), cell(o.over_pressure ? (on_line ? T : missing_value()) : P)};
    for (const column& c : columns) {
      // Both T and P are given: the saturated-state operations check that they
      // lie on the saturation line, and the reference shift needs T.
      property_result r{missing_value(), 1};
      if (on_line) r = lib.property(c.code, T, P, 0.0, c.phase, saturation_region);
      const property_info p = *find_property(std::to_string(c.code));
      const double value = r.ok() ? on_scale(p, r.value, T, o.units) : missing_value();
      any_failed = any_failed || is_missing(value);
      cells.push_back(cell(value));
    }
    print_row(cells);
  }
  return any_failed ? 1 : 0;
}

int run_map(const plugin& lib, const std::vector<map_request>& requests, const std::string& output) {
  // The file first: a path that cannot be written is a bad argument, told
  // before anything is computed.
  const bool to_stdout = output == "-";
  std::FILE* file = to_stdout ? stdout : std::fopen(output.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "kviapws97: map: cannot write %s: %s\n", output.c_str(), std::strerror(errno));
    return 2;
  }
  std::FILE* report = to_stdout ? stderr : stdout;
  std::vector<map_mark> marks;
  bool any_failed = false;
  for (const map_request& m : requests) {
    const std::int64_t phase = resolve(lib, m.phase, m.T, m.P);
    const region_result r = lib.find_region(m.T, m.P, phase);
    marks.push_back({m.T, m.P, phase, r.region, r.T_used, r.P_used, ""});
    any_failed = any_failed || r.region == 0;
    std::fprintf(report, "%s\n", map_key_text(marks.back()).c_str());
    for (const std::string& line : r.warnings) std::fprintf(report, "%s\n", line.c_str());
  }
  const std::string svg = region_map_svg(marks);
  const bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
  const bool closed = to_stdout || std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "kviapws97: map: cannot write %s\n", to_stdout ? "the picture" : output.c_str());
    return 1;
  }
  if (!to_stdout) std::fprintf(report, "wrote %s\n", output.c_str());
  return any_failed ? 1 : 0;
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
