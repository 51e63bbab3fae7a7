// The property codes of KVIAPWS_IF97PROP as a user names them, with their
// units on the host's molar scale and on the mass scale of the IF97 tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "adapter/reference_shift.hpp"

namespace kvtool {

struct property_info {
  std::int32_t code;
  const char* name;
  const char* description;
  const char* host_unit;
  const char* kg_unit;
  double per_kg;                       // host value / per_kg = mass-scale value
  kviapws97::reference_shift shift;    // how the dispatcher moved it onto the host's reference state
};

// By name (enthalpy, viscosity, ...) or by code, 1 to 14. (The dispatcher
// serves any other code as 1; a user who types one has mistyped.)
std::optional<property_info> find_property(const std::string& name_or_code);

// The names in code order, for help texts.
std::string property_names();

enum class unit_scale { host, kg };

// A host value on the requested scale. On the mass scale, enthalpy, entropy,
// Gibbs energy and heat capacities go back onto the IF97 reference state
// (internal energy and entropy of the liquid at the triple point zero): the
// offset that the dispatcher added is asked of the host's ideal-gas routines
// (NaN when they fail).
double on_scale(const property_info& p, double host_value, double T, unit_scale scale);
const char* unit_of(const property_info& p, unit_scale scale);

}  // namespace kvtool
