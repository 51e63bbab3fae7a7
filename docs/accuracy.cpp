// The tables of the accuracy page, computed when the documentation is built:
// the library against every published check value the tests use (one
// transcription, tests/support/published_*.hpp), and round trips of the
// flashes over a fixed random sample of states per region. Writes MyST
// Markdown to the file named by its argument; exits with status 1, naming the
// row on standard error, when a value is not reproduced, so that the
// documentation does not build.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "if97/if97.h"
#include "support/published_states.hpp"
#include "support/published_values.hpp"
#include "transport/operations.hpp"
#include "transport/transport.h"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;

// The tables, written once the summary that heads them is known.
std::string body;
int failures = 0;
int checked = 0;

// A line of the summary: one published table, its rows and its worst row.
struct summary_line {
  std::string title;
  int rows = 0;
  double worst_units = 0.0;  // |difference| in units of the last printed digit
  const char* held_to;       // what a row may differ by
};
std::vector<summary_line> summary;

[[gnu::format(printf, 1, 2)]] void emit(const char* fmt, ...) {
  char buffer[1024];
  std::va_list args;
  va_start(args, fmt);
  std::vsnprintf(buffer, sizeof buffer, fmt, args);
  va_end(args);
  body += buffer;
}

std::string format(const char* fmt, double a, double b = 0.0, double c = 0.0) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, fmt, a, b, c);
  return buffer;
}

// The library's value written as the published one is, with three more
// digits: "0.100215168e-2" and 0.00100215168123 give "0.100215168123e-2".
std::string like_printed(double got, const std::string& printed) {
  const kvtest::printed_value p = kvtest::parse_printed(printed);
  const std::size_t e = printed.find_first_of("eE");
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", p.decimals + 3, got / std::pow(10.0, p.exponent));
  return e == std::string::npos ? buffer : buffer + printed.substr(e);
}

void table_head(const char* title, const char* inputs, const char* held_to = "±0.5 of the last digit") {
  emit("\n### %s\n\n| %s | Quantity | Published | Library | Difference |\n|---|---|---|---|---|\n", title, inputs);
  summary.push_back({title, 0, 0.0, held_to});
}

// Within half a unit of the last printed digit (and double rounding), or
// within `relative` of the value where the release gives a relative
// tolerance instead.
bool reproduced(double got, const kvtest::printed_value& p, double relative) {
  const double allowed = relative > 0.0 ? relative * std::fabs(p.value) : kvtest::printed_allowance(p);
  return std::isfinite(got) && std::fabs(got - p.value) <= allowed;
}

// One row: the difference in units of the last printed digit.
void row(const std::string& inputs, const char* quantity, double got, const char* printed, double relative = 0.0) {
  if (printed == nullptr) return;  // the release gives no value of this quantity here
  const kvtest::printed_value p = kvtest::parse_printed(printed);
  const double units = (got - p.value) / (2.0 * p.half_unit);
  const bool ok = reproduced(got, p, relative);
  ++checked;
  ++summary.back().rows;
  summary.back().worst_units = std::max(summary.back().worst_units, std::fabs(units));
  if (!ok) {
    ++failures;
    std::fprintf(stderr, "accuracy: %s, %s: library %.17g, published %s\n", inputs.c_str(), quantity, got, printed);
  }
  emit("| %s | %s | %s | %s | %s%s |\n", inputs.c_str(), quantity, printed, like_printed(got, printed).c_str(),
       format("%+.3f", units).c_str(), ok ? "" : " **not reproduced**");
}

void basic_equations() {
  const char* titles[] = {"", "IAPWS-IF97 Table 5: region 1", "IAPWS-IF97 Table 15: region 2",
                          "IAPWS-IF97 Table 33: region 3", "", "IAPWS-IF97 Table 42 (2007 revision): region 5"};
  std::int64_t region = 0;
  for (const kvtest::published_state& st : kvtest::published_states) {
    if (st.region != region) {
      region = st.region;
      table_head(titles[region], region == 3 ? "T/K, ρ/(kg/m³)" : "p/MPa, T/K");
    }
    const kvtest::region_ops o = kvtest::ops_of(st.region);
    const double v = st.region == 3 ? 1.0 / st.rho : 0.0;
    const auto at = [&](kvtest::region_operation op) { return st.region == 3 ? op(&st.T, &v) : op(&st.p, &st.T); };
    const std::string in = st.region == 3 ? format("%g, %g", st.T, st.rho) : format("%g, %g", st.p, st.T);
    row(in, st.region == 3 ? "p/MPa" : "v/(m³/kg)", at(o.pv), st.pv);
    row(in, "h/(kJ/kg)", at(o.h), st.h);
    row(in, "u/(kJ/kg)", at(o.u), st.u);
    row(in, "s/(kJ/(kg K))", at(o.s), st.s);
    row(in, "cp/(kJ/(kg K))", at(o.cp), st.cp);
    row(in, "cv/(kJ/(kg K))", at(o.cv), st.cv);
    row(in, "w/(m/s)", at(o.w), st.w);
    row(in, "f/MPa", st.region == 3 ? IF97_FUG3(&st.p, &st.T, &v) : at(o.f), st.f);
  }
}

void saturation() {
  table_head("IAPWS-IF97 Tables 35 and 36, Eqs. (5) and (30): saturation line and B23", "T/K or p/MPa");
  for (const kvtest::saturation_row& r : kvtest::saturation_rows)
    row(format("%g", r.x), r.name, r.op(&r.x), r.printed);
}

void backward() {
  std::string title;
  for (const kvtest::backward_row& r : kvtest::backward_rows) {
    const std::string equation = r.equation;
    const std::string table = equation.substr(0, equation.find(':'));
    if (table != title) {
      title = table;
      table_head(title.c_str(), "inputs (MPa, kJ/kg, kJ/(kg K))");
    }
    const std::string in = r.b == 0.0 ? format("%g", r.a) : format("%g, %g", r.a, r.b);
    row(in, equation.substr(equation.find(':') + 2).c_str(), r.function(r.a, r.b), r.printed);
  }
}

void region3_backward() {
  table_head("IAPWS SR5-05 Tables 3 and 11: subregion boundaries of region 3", "p/MPa");
  for (const kvtest::boundary_row& r : kvtest::sr5_05_boundaries)
    row(format("%g", r.p), (std::string(r.name) + "/K").c_str(), r.T_of_p(r.p), r.printed);
  emit("\nSR5-05 prints nine digits of values its equations give to about ten; its own verification "
                    "tolerance, %g relative, holds these rows.\n",
               kvtest::sr5_05_tolerance);
  table_head("IAPWS SR5-05 Tables 5 and 13: v(p,T) of region 3 through the subregion choice", "p/MPa, T/K",
             "1e-9 relative");
  for (const kvtest::sr5_row& r : kvtest::sr5_05_tables5_13)
    row(format("%g, %g", r.p, r.T), (std::string("v/(m³/kg), ") + r.subregion).c_str(), IF97_V3PT(&r.p, &r.T),
        r.printed, kvtest::sr5_05_tolerance);
}

void transport_tables() {
  table_head("IAPWS R12-08 Table 4: viscosity", "T/K, ρ/(kg/m³)");
  for (const kvtest::viscosity_row& r : kvtest::r12_08_table4) {
    const double v = 1.0 / r.rho;
    row(format("%g, %g", r.T, r.rho), "μ/(μPa s)", IF97_VISC(&r.T, &v) * 1e6, r.mu);
  }
  table_head("IAPWS R15-11 Table 4: thermal conductivity without critical enhancement", "T/K, ρ/(kg/m³)");
  for (const kvtest::conductivity_Tv_row& r : kvtest::r15_11_table4) {
    const transport::conductivity c = transport::conductivity_in_region(1.0, r.T, r.v, 5).value;
    row(format("%g, %g", r.T, 1.0 / r.v), "λ̄0·λ̄1/(mW/(m K))", c.lambda * 1e3, r.lambda);
  }
  table_head("IAPWS R15-11 Tables 7 and 8: thermal conductivity in regions 1 and 2", "p/MPa, T/K");
  for (const kvtest::conductivity_pT_row& r : kvtest::r15_11_tables7_8) {
    const double v = r.region == 1 ? IF97_V1(&r.p, &r.T) : IF97_V2(&r.p, &r.T);
    const transport::conductivity c = transport::conductivity_in_region(r.p, r.T, v, r.region).value;
    const std::string in = format("%g, %g", r.p, r.T);
    row(in, "λ/(mW/(m K))", c.lambda * 1e3, r.lambda);
    if (r.lambda0 == nullptr) continue;
    row(in, "λ̄0", c.lambda0, r.lambda0);
    row(in, "λ̄1", c.lambda1, r.lambda1);
    row(in, "λ̄2", c.lambda2, r.lambda2);
  }
  table_head("IAPWS R15-11 Table 9: thermal conductivity in region 3, at 647.35 K", "T/K, ρ/(kg/m³)",
             "by row: 3e-9 relative, ±0.5 of the last digit, 5e-5 relative");
  for (const kvtest::conductivity_region3_row& r : kvtest::r15_11_table9) {
    const transport::conductivity c = transport::conductivity_in_region(22.0, r.T, 1.0 / r.rho, 3).value;
    row(format("%g, %g", r.T, r.rho), "λ/(W/(m K))", c.lambda, r.lambda, r.tolerance);
  }
  emit("\nAt 222 kg/m³ the published value is held to 3e-9 relative, a little more than half a unit "
                    "of its last digit (1.4e-9); the rows at 122 and 750 kg/m³ carry five digits and are held to "
                    "5e-5.\n");
  table_head("IAPWS R1-76(2014) Table 1: surface tension", "T/K");
  for (const kvtest::surface_tension_row& r : kvtest::r1_76_table1)
    row(format("%g", r.T), "σ/(mN/m)", IF97_SIGMA(&r.T), r.sigma);
}

// A uniform draw from [lo, hi] by the bits of the generator, which the C++
// standard fixes, so that every build draws the same states.
double draw(std::mt19937_64& rng, double lo, double hi) {
  return lo + (hi - lo) * static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

struct spread {
  double worst = 0.0, sum = 0.0;
  int count = 0;
  void add(double e) {
    worst = std::max(worst, e);
    sum += e;
    ++count;
  }
};

constexpr int sample_size = 2000;                  // states per region
constexpr double round_trip_tolerance = 1e-9;      // relative T, and x, that fails the build

// Each state of (p, T), or of (T, x) for two-phase states, back through
// (p, h), (p, s) and (h, s): how far T (and x) come back.
void round_trips() {
  struct box {
    const char* name;
    int region;
    double p_lo, p_hi, T_lo, T_hi;  // MPa, K
  };
  const box boxes[] = {
      {"Region 1", 1, 0.1, 100.0, 280.0, 620.0},     {"Region 2", 2, 0.001, 100.0, 300.0, 1070.0},
      {"Region 3", 3, 20.0, 100.0, 630.0, 860.0},    {"Region 5", 5, 0.001, 50.0, 1080.0, 2270.0},
      {"Two-phase", 4, 0.0, 0.0, 280.0, 620.0},
  };
  emit("\n### Round trips of the flashes\n\n%d states per region, drawn uniformly (seed 97) from the "
                    "ranges of the benchmarks, each formed by `pT` (two-phase: `Tx`), then passed through `ph`, `ps` "
                    "and `hs` with its own h and s. |ΔT|/T is the relative difference of the temperature that comes "
                    "back, worst and mean; for two-phase states also |Δx|.\n\n",
               sample_size);
  emit("| States | Range | Flash | Failed | worst \\|ΔT\\|/T | mean \\|ΔT\\|/T | worst \\|Δx\\| |\n"
                    "|---|---|---|---|---|---|---|\n");
  for (const box& b : boxes) {
    std::mt19937_64 rng(97);
    std::vector<water::state> states;
    while (states.size() < sample_size) {
      const water::result r = b.region == 4 ? water::Tx(draw(rng, b.T_lo, b.T_hi), draw(rng, 0.0, 1.0))
                                            : water::pT(1e6 * draw(rng, b.p_lo, b.p_hi), draw(rng, b.T_lo, b.T_hi));
      if (r && r.state.region == b.region) states.push_back(r.state);
    }
    const std::string range = b.region == 4 ? format("%g–%g K, x 0–1", b.T_lo, b.T_hi)
                                            : format("%g–%g MPa, ", b.p_lo, b.p_hi) + format("%g–%g K", b.T_lo, b.T_hi);
    for (const char* flash : {"ph", "ps", "hs"}) {
      spread dT, dx;
      int failed = 0;
      for (const water::state& s : states) {
        const water::result r = flash[1] == 'h' && flash[0] == 'p' ? water::ph(s.p, s.h)
                                : flash[0] == 'p'                  ? water::ps(s.p, s.s)
                                                                   : water::hs(s.h, s.s);
        if (!r) {
          ++failed;
          continue;
        }
        dT.add(std::fabs(r.state.T - s.T) / s.T);
        if (b.region == 4) dx.add(std::fabs(r.state.x - s.x));
      }
      const bool ok = failed == 0 && dT.worst <= round_trip_tolerance && dx.worst <= round_trip_tolerance;
      if (!ok) {
        ++failures;
        std::fprintf(stderr, "accuracy: %s through %s: %d failed, worst |dT|/T %g, worst |dx| %g\n", b.name, flash,
                     failed, dT.worst, dx.worst);
      }
      emit("| %s | %s | `%s` | %d%s | %.1e | %.1e | %s |\n", b.name, range.c_str(), flash, failed,
                   ok ? "" : " **fails**", dT.worst, dT.count > 0 ? dT.sum / dT.count : 0.0,
                   b.region == 4 ? format("%.1e", dx.worst).c_str() : "–");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.md\n", argv[0]);
    return 2;
  }
  // The check itself must tell a value just beyond its allowance, so that a
  // page that builds is a page whose values were checked.
  const kvtest::printed_value probe = kvtest::parse_printed("0.391798509e3");
  if (reproduced(probe.value + 1.01 * kvtest::printed_allowance(probe), probe, 0.0) ||
      reproduced(probe.value * (1.0 + 1.01e-9), probe, 1e-9) || !reproduced(probe.value, probe, 0.0)) {
    std::fprintf(stderr, "accuracy: the check does not tell a value beyond its allowance\n");
    return 1;
  }
  basic_equations();
  saturation();
  region3_backward();
  backward();
  transport_tables();
  const int published_failures = failures;
  round_trips();

  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 2;
  }
  std::fprintf(out, "## Published check values\n\n%d published values checked, %d not reproduced. Each table below "
                    "gives the inputs, the value as the release prints it, the library's value with three more "
                    "digits, and the difference in units of the last printed digit (within ±0.5 is the printed "
                    "value rounded). In short:\n\n| Release and table | Values | Worst difference | Held to |\n|---|---|---|---|\n",
               checked, published_failures);
  for (const summary_line& line : summary)
    std::fprintf(out, "| %s | %d | %.3f | %s |\n", line.title.c_str(), line.rows, line.worst_units, line.held_to);
  std::fputs(body.c_str(), out);
  std::fclose(out);
  if (failures > 0) {
    std::fprintf(stderr, "accuracy: %d checks failed\n", failures);
    return 1;
  }
  return 0;
}
