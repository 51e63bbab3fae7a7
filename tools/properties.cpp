#include "tools/properties.hpp"

#include <array>
#include <limits>

#include "adapter/kviapws97.h"

namespace kvtool {
namespace {

using kviapws97::reference_shift;

constexpr double molar_mass = 18.0152;  // kg/kmol
constexpr double per_kmol = 18015.2;    // J/kmol per kJ/kg

constexpr std::array<property_info, 14> properties{{
    {KVIAPWS97_LNPHI, "lnphi", "ln of the fugacity coefficient", "", "", 1.0, reference_shift::none},
    {KVIAPWS97_ENTHALPY, "enthalpy", "enthalpy", "J/kmol", "kJ/kg", per_kmol, reference_shift::enthalpy},
    {KVIAPWS97_ENTROPY, "entropy", "entropy", "J/(kmol K)", "kJ/(kg K)", per_kmol, reference_shift::entropy},
    {KVIAPWS97_GIBBS, "gibbs", "Gibbs energy", "J/kmol", "kJ/kg", per_kmol, reference_shift::gibbs},
    {KVIAPWS97_VOLUME, "volume", "volume", "m3/kmol", "m3/kg", molar_mass, reference_shift::none},
    {KVIAPWS97_VISCOSITY, "viscosity", "viscosity", "Pa s", "Pa s", 1.0, reference_shift::none},
    {KVIAPWS97_CONDUCTIVITY, "conductivity", "thermal conductivity", "W/(m K)", "W/(m K)", 1.0,
     reference_shift::none},
    {KVIAPWS97_SURFACE, "surface-tension", "surface tension", "N/m", "N/m", 1.0, reference_shift::none},
    {KVIAPWS97_CP, "cp", "isobaric heat capacity", "J/(kmol K)", "kJ/(kg K)", per_kmol, reference_shift::cp},
    {KVIAPWS97_CV, "cv", "isochoric heat capacity", "J/(kmol K)", "kJ/(kg K)", per_kmol, reference_shift::cv},
    {KVIAPWS97_PSAT, "psat", "vapour pressure", "Pa", "Pa", 1.0, reference_shift::none},
    {KVIAPWS97_ENERGY, "internal-energy", "internal energy", "J/kmol", "kJ/kg", per_kmol, reference_shift::none},
    {KVIAPWS97_SOUND, "sound-speed", "speed of sound", "m/s", "m/s", 1.0, reference_shift::none},
    {KVIAPWS97_PRESSURE, "pressure", "pressure from T and V by the region-3 equation", "Pa", "Pa", 1.0,
     reference_shift::none},
}};

}  // namespace

std::optional<property_info> find_property(const std::string& name_or_code) {
  for (const property_info& p : properties)
    if (name_or_code == p.name || name_or_code == std::to_string(p.code)) return p;
  return std::nullopt;
}

std::string property_names() {
  std::string names;
  for (const property_info& p : properties) {
    if (!names.empty()) names += ", ";
    names += std::to_string(p.code) + " " + p.name;
  }
  return names;
}

double on_scale(const property_info& p, double host_value, double T, unit_scale scale) {
  if (scale == unit_scale::host) return host_value;
  double offset = 0.0;
  if (p.shift != reference_shift::none) {
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
