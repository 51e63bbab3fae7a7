// The subcommands of the command-line program. Each writes its report to
// standard output and returns the exit status: 0 done, 1 a property failed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/plugin.hpp"
#include "tools/properties.hpp"

namespace kvtool {

// The host's phase codes; auto picks vapour below the vapour pressure and
// above the critical temperature, liquid otherwise.
enum class phase_choice { automatic, liquid, vapour };

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
  std::optional<double> V;              // m3/kmol; else the volume at (T, P) in the same region
  std::optional<std::int64_t> region;   // given: the dispatcher is asked for this region
  std::optional<phase_choice> phase;    // without a region: the region finder settles the state
  unit_scale units = unit_scale::host;
};
int run_prop(const plugin& lib, const prop_options& o);

int run_region(const plugin& lib, double T, double P, phase_choice phase);

struct table_options {
  bool over_pressure = false;  // rows by pressure (Pa), else by temperature (K)
  double from, to, step;
  bool csv = false;
  unit_scale units = unit_scale::host;
};
int run_table(const plugin& lib, const table_options& o);

struct map_request {
  double T, P;
  phase_choice phase;
};
int run_map(const plugin& lib, const std::vector<map_request>& marks, const std::string& output);

// A few representative states through the region finder and the
// equation-of-state entry.
int run_demo(const plugin& lib);

}  // namespace kvtool
