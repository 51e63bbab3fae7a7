#include "adapter/property_table.hpp"

#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "adapter/host_units.hpp"
#include "if97/region4_operations.hpp"
#include "if97/region5.hpp"
#include "transport/operations.hpp"
#include "transport/surface_tension.hpp"
#include "transport/viscosity.hpp"

namespace kviapws97 {
namespace {

// Adapters from the dispatcher's state to each operation's argument list.
// The region equations check nothing, so the adapters refuse, as a failure,
// a temperature, pressure or volume that is not positive: no such state has
// a property. The region-4 operations and those of a single temperature
// check their own arguments (a negative pressure or temperature means "not
// given" there).
template <double (*F)(double, double)>
double at_pT(const if97_state& s) {
  if (!(s.p > 0.0 && s.T > 0.0)) return -1.0;
  return F(s.p, s.T);
}

template <double (*F)(double, double)>
double at_Tv(const if97_state& s) {
  if (!(s.T > 0.0 && s.v > 0.0)) return -1.0;
  return F(s.T, s.v);
}

// The viscosity of the given volume (the pressure is not read).
double viscosity(const if97_state& s) {
  if (!(s.T > 0.0 && s.v > 0.0)) return -1.0;
  return transport::viscosity(s.T, 1.0 / s.v);
}

template <double (*F)(double, double, double)>
double at_pTv(const if97_state& s) {
  if (!(s.p > 0.0 && s.T > 0.0 && s.v > 0.0)) return -1.0;
  return F(s.p, s.T, s.v);
}

template <double (*F)(double, double, double)>
double saturated(const if97_state& s) {
  return F(s.p, s.T, s.x);
}

template <double (*F)(double)>
double at_T(const if97_state& s) {
  return F(s.T);
}

// The conductivity that IF97_TCOND returns as its fourth output.
double conductivity(const if97_state& s) {
  if (!(s.p > 0.0 && s.T > 0.0 && s.v > 0.0)) return -1.0;
  return transport::conductivity_in_region(s.p, s.T, s.v, s.region).value.lambda;
}

constexpr operation absent = nullptr;

using enum reference_shift;
using namespace if97;

// Index = property code; columns IF97 regions 1 to 5. Code 1 is the fugacity
// (the dispatcher forms ln f/p); code 4 is served by the rows of codes 2 and 3.
constexpr std::array<property_code, last_code + 1> table{{
    /* unused */ {{absent, absent, absent, absent, absent}, false, 1.0, none, "", "", "", "", 1.0},
    /* KVIAPWS97_LNPHI */
    {{at_pT<fug1>, at_pT<fug2>, at_pTv<fug3>, saturated<fug4>, at_pT<fug5>}, false, 1.0, none,
     "lnphi", "ln of the fugacity coefficient", "", "", 1.0},
    /* KVIAPWS97_ENTHALPY */
    {{at_pT<h1>, at_pT<h2>, at_Tv<h3>, saturated<h4>, at_pT<h5>}, false, per_kmol, enthalpy,
     "enthalpy", "enthalpy", "J/kmol", "kJ/kg", per_kmol},
    /* KVIAPWS97_ENTROPY */
    {{at_pT<s1>, at_pT<s2>, at_Tv<s3>, saturated<s4>, at_pT<s5>}, false, per_kmol, entropy,
     "entropy", "entropy", "J/(kmol K)", "kJ/(kg K)", per_kmol},
    /* KVIAPWS97_GIBBS */
    {{absent, absent, absent, absent, absent}, false, per_kmol, gibbs,
     "gibbs", "Gibbs energy", "J/kmol", "kJ/kg", per_kmol},
    /* KVIAPWS97_VOLUME */
    {{at_pT<v1>, at_pT<v2>, at_pT<v3pt>, saturated<v4>, at_pT<v5>}, false, molar_mass, none,
     "volume", "volume", "m3/kmol", "m3/kg", molar_mass},
    /* KVIAPWS97_VISCOSITY */
    {{viscosity, viscosity, viscosity, saturated<transport::viscosity_region4>, viscosity}, false, 1.0, none,
     "viscosity", "viscosity", "Pa s", "Pa s", 1.0},
    /* KVIAPWS97_CONDUCTIVITY */
    {{conductivity, conductivity, conductivity, saturated<transport::conductivity_region4>, conductivity}, false,
     1.0, none, "conductivity", "thermal conductivity", "W/(m K)", "W/(m K)", 1.0},
    /* KVIAPWS97_SURFACE (mN/m) */
    {{at_T<transport::surface_tension>, absent, absent, absent, absent}, true, 1e-3, none,
     "surface-tension", "surface tension", "N/m", "N/m", 1.0},
    /* KVIAPWS97_CP */
    {{at_pT<cp1>, at_pT<cp2>, at_Tv<cp3>, saturated<cp4>, at_pT<cp5>}, false, per_kmol, cp,
     "cp", "isobaric heat capacity", "J/(kmol K)", "kJ/(kg K)", per_kmol},
    /* KVIAPWS97_CV */
    {{at_pT<cv1>, at_pT<cv2>, at_Tv<cv3>, saturated<cv4>, at_pT<cv5>}, false, per_kmol, cv,
     "cv", "isochoric heat capacity", "J/(kmol K)", "kJ/(kg K)", per_kmol},
    /* KVIAPWS97_PSAT (bar) */
    {{at_T<psat_bar>, absent, absent, absent, absent}, true, pa_per_bar, none,
     "psat", "vapour pressure", "Pa", "Pa", 1.0},
    /* KVIAPWS97_ENERGY */
    {{at_pT<u1>, at_pT<u2>, at_Tv<u3>, saturated<u4>, at_pT<u5>}, false, per_kmol, none,
     "internal-energy", "internal energy", "J/kmol", "kJ/kg", per_kmol},
    /* KVIAPWS97_SOUND */
    {{at_pT<w1>, at_pT<w2>, at_Tv<w3>, saturated<w4>, at_pT<w5>}, false, 1.0, none,
     "sound-speed", "speed of sound", "m/s", "m/s", 1.0},
    /* KVIAPWS97_PRESSURE (MPa) */
    {{at_Tv<p3>, absent, absent, absent, absent}, true, pa_per_mpa, none,
     "pressure", "pressure from T and V by the region-3 equation", "Pa", "Pa", 1.0},
}};
static_assert(table.size() == last_code + 1);

}  // namespace

const property_code& property_row(int code) { return table[static_cast<std::size_t>(code)]; }

}  // namespace kviapws97
