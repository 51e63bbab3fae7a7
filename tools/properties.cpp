#include "tools/properties.hpp"

#include <limits>

#include "adapter/property_table.hpp"

namespace kvtool {
namespace {

property_info info(int code) {
  const kviapws97::property_code& row = kviapws97::property_row(code);
  return {code, row.name, row.description, row.host_unit, row.mass_unit, row.per_kg, row.shift};
}

}  // namespace

std::optional<property_info> find_property(const std::string& name_or_code) {
  for (int code = kviapws97::first_code; code <= kviapws97::last_code; ++code) {
    const property_info p = info(code);
    if (name_or_code == p.name || name_or_code == std::to_string(code)) return p;
  }
  return std::nullopt;
}

std::string property_names() {
  std::string names;
  for (int code = kviapws97::first_code; code <= kviapws97::last_code; ++code) {
    if (!names.empty()) names += ", ";
    names += std::to_string(code) + " " + info(code).name;
  }
  return names;
}

double on_scale(const property_info& p, double host_value, double T, unit_scale scale) {
  if (scale == unit_scale::host) return host_value;
  double offset = 0.0;
  if (p.shift != kviapws97::reference_shift::none) {
    std::int64_t error = 0;
    const kviapws97::ideal_gas_terms g = kviapws97::host_ideal_gas(T, p.shift, nullptr, &error);
    if (error != 0) return std::numeric_limits<double>::quiet_NaN();
    offset = kviapws97::shift_to_host(0.0, 0.0, T, p.shift, g);
  }
  return (host_value - offset) / p.per_kg;
}

const char* unit_of(const property_info& p, unit_scale scale) {
  return scale == unit_scale::host ? p.host_unit : p.kg_unit;
}

}  // namespace kvtool
