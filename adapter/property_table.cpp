#include "adapter/property_table.hpp"

#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region4.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"
#include "transport/conductivity.hpp"
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
  return transport::thermal_conductivity(s.p, s.T, s.v, s.region).lambda;
}

constexpr operation absent = nullptr;
constexpr double per_kmol = 18015.2;    // kJ/kg -> J/kmol, kJ/(kg K) -> J/(kmol K)
constexpr double molar_mass = 18.0152;  // kg/kmol: m3/kg -> m3/kmol

using enum reference_shift;
using namespace if97;

// Index = property code; columns IF97 regions 1 to 5. Code 1 is the fugacity
// (the dispatcher forms ln f/p); code 4 is served by the rows of codes 2 and 3.
constexpr std::array<property_code, last_code + 1> table{{
    /* unused */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  1 ln phi  */ {{at_pT<fug1>, at_pT<fug2>, at_pTv<fug3>, saturated<fug4>, at_pT<fug5>}, false, 1.0, none},
    /*  2 H       */ {{at_pT<h1>, at_pT<h2>, at_Tv<h3>, saturated<h4>, at_pT<h5>}, false, per_kmol, enthalpy},
    /*  3 S       */ {{at_pT<s1>, at_pT<s2>, at_Tv<s3>, saturated<s4>, at_pT<s5>}, false, per_kmol, entropy},
    /*  4 G       */ {{absent, absent, absent, absent, absent}, false, per_kmol, gibbs},
    /*  5 V       */ {{at_pT<v1>, at_pT<v2>, at_pT<v3pt>, saturated<v4>, at_pT<v5>}, false, molar_mass, none},
    /*  6 mu      */
    {{at_Tv<transport::viscosity>, at_Tv<transport::viscosity>, at_Tv<transport::viscosity>,
      saturated<transport::viscosity_region4>, at_Tv<transport::viscosity>},
     false, 1.0, none},
    /*  7 lambda  */
    {{conductivity, conductivity, conductivity, saturated<transport::conductivity_region4>, conductivity}, false, 1.0,
     none},
    /*  8 sigma   */ {{at_T<transport::surface_tension>, absent, absent, absent, absent}, true, 1e-3, none},
    /*  9 Cp      */ {{at_pT<cp1>, at_pT<cp2>, at_Tv<cp3>, saturated<cp4>, at_pT<cp5>}, false, per_kmol, cp},
    /* 10 Cv      */ {{at_pT<cv1>, at_pT<cv2>, at_Tv<cv3>, saturated<cv4>, at_pT<cv5>}, false, per_kmol, cv},
    /* 11 Psat    */ {{at_T<psat_bar>, absent, absent, absent, absent}, true, 1e5, none},
    /* 12 U       */ {{at_pT<u1>, at_pT<u2>, at_Tv<u3>, saturated<u4>, at_pT<u5>}, false, per_kmol, none},
    /* 13 w       */ {{at_pT<w1>, at_pT<w2>, at_Tv<w3>, saturated<w4>, at_pT<w5>}, false, 1.0, none},
    /* 14 P(T, V) */ {{at_Tv<p3>, absent, absent, absent, absent}, true, 1e6, none},
}};

}  // namespace

const property_code& property_row(int code) { return table[static_cast<std::size_t>(code)]; }

}  // namespace kviapws97
