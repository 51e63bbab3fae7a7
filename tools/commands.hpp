// The subcommands of the command-line program. Each writes its report to
// standard output and returns the exit status: 0 done, 1 a property failed,
// 2 a bad argument found only with the state in hand (one line on standard
// error, nothing on standard output).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/messages.hpp"
#include "tools/plugin.hpp"
#include "tools/properties.hpp"
#include "tools/units.hpp"

namespace kvtool {

// The host's phase codes; auto picks vapour below the vapour pressure and
// above the critical temperature, liquid otherwise.
enum class phase_choice { automatic, liquid, vapour };

// The units of printed values: the host's molar scale (on its ideal-gas
// reference state), or the mass scale (IF97 reference state) in SI or
// engineering units.
struct value_units {
  unit_scale scale = unit_scale::kg;
  std::optional<unit_system> system = unit_system::si;  // empty on the host's scale

  double value(const property_info& p, double host_value, double T) const;
  std::string unit_text(const property_info& p) const;
  const unit& of(quantity q) const { return output_unit(q, system.value_or(unit_system::si)); }
};

struct eos_options {
  double T, P;
  phase_choice phase = phase_choice::automatic;
  bool saturated = false;
  bool from_formulation = true;
};
int run_eos(const plugin& lib, const eos_options& o);

struct prop_options {
  property_info property;
  double T, P;
  std::optional<double> V;              // m3/kg (m3/kmol on the host's scale); else the volume at (T, P)
  std::optional<std::int64_t> region;   // given (1 to 5): the dispatcher is asked for this region
  std::optional<phase_choice> phase;    // without a region: the region finder settles the state
  value_units units;
  int digits = default_digits;
  // With a region of 1, 2, 3 or 5: evaluate its equation even where (T, P)
  // lies outside it. Values that no physical state has fail all the same.
  bool extrapolate = false;
};
int run_prop(const plugin& lib, const prop_options& o);

int run_region(const plugin& lib, double T, double P, phase_choice phase);

struct table_options {
  bool over_pressure = false;  // rows by pressure (Pa), else by temperature (K)
  double from, to, step;
  // Rows along a single-phase isobar (Pa, rows by temperature) or isotherm
  // (K, rows by pressure) instead of the saturation line.
  std::optional<double> isobar, isotherm;
  bool csv = false;
  value_units units;
  int digits = default_digits;
};
// Why a table's rows, or its isobar or isotherm, lie beyond the library's
// range, naming the bound; "" when they do not.
std::string table_range_problem(const table_options& o);
// 0 with every row printed, 1 when a row failed (the reason on standard error).
int run_table(const plugin& lib, const table_options& o);

struct map_request {
  double T, P;
  phase_choice phase;
};
// Why the map cannot show a mark (T or P not above 0, or beyond what the
// library's warnings can print), or "".
std::string map_mark_problem(const map_request& mark);
int run_map(const plugin& lib, const std::vector<map_request>& marks, const std::string& output);

// An SVG picture to the file `output`, or to standard output for "-", with a
// report of what it shows: after the picture, on standard output, when the
// file is written; on standard error before a picture on standard output.
// 2 when the file cannot be written.
int write_picture(const std::string& command, const std::string& output, const std::string& svg,
                  const std::string& report);

// The IF97 region (1, 2, 3 or 5) that the library gives a single phase at
// (T, P) in K and Pa, or 0 outside its range.
int own_region(double T, double P);

// A few representative states through the region finder and the
// equation-of-state entry.
int run_demo(const plugin& lib);

}  // namespace kvtool
