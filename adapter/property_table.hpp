// The property codes of KVIAPWS_IF97PROP: for each code, the IF97 operation
// that serves each region and how its value becomes a host value.
#pragma once

#include <array>
#include <cstdint>

#include "adapter/kviapws97.h"
#include "adapter/reference_shift.hpp"

namespace kviapws97 {

// The state as the dispatcher hands it to an operation, in IF97 units.
struct if97_state {
  double T;             // K
  double p;             // MPa, or bar in region 4
  double v;             // m3/kg
  double x;             // phase flag of the region-4 operations: 1 vapour, 0 liquid, -1 none
  std::int64_t region;  // as the caller gave it
};

using operation = double (*)(const if97_state&);

struct property_code {
  std::array<operation, 5> by_region;  // IF97 regions 1 to 5; nullptr: not available
  bool any_region;                     // region not read; by_region[0] serves every call
  double to_host;                      // IF97 unit -> host unit
  reference_shift shift;
  // How a user names the code, its unit on the host's molar scale, and its
  // unit and factor on a mass scale (host value = per_kg x mass-scale value).
  const char* name;
  const char* description;
  const char* host_unit;
  const char* mass_unit;
  double per_kg;
};

inline constexpr int first_code = KVIAPWS97_LNPHI;
inline constexpr int last_code = KVIAPWS97_PRESSURE;

// The row of a property code from first_code to last_code.
const property_code& property_row(int code);

}  // namespace kviapws97
