// Every property of a single-phase state in IF97 units, from one evaluation
// of a region's basic equation: what a state of water carries, with the two
// derivatives of v that flashes and the thermal conductivity need.
#pragma once

#include <type_traits>

namespace if97 {

struct properties {
  double p;      // MPa
  double T;      // K
  double v;      // m3/kg
  double h;      // kJ/kg
  double s;      // kJ/(kg K)
  double u;      // kJ/kg
  double cp;     // kJ/(kg K)
  double cv;     // kJ/(kg K)
  double w;      // m/s
  double dv_dp;  // (dv/dp)_T, m3/(kg MPa)
  double dv_dT;  // (dv/dT)_p, m3/(kg K)
};

// How much of a state one evaluation forms: v alone; v, h, s and u; or every
// property. The fields an evaluation does not form are NaN. Each field that
// one forms is the same to the last bit whichever extent formed it: every
// extent sums the same series terms in the same order (if97/series.hpp).
enum class extent : unsigned char { none, volume, caloric, all };

// A caloric property (h in kJ/kg or s in kJ/(kg K)) with cp and its
// temperature derivative, from the cheaper evaluation that a Halley step in T
// at constant p needs: (dh/dT)_p = cp, (ds/dT)_p = cp / T.
struct caloric {
  double value;
  double cp;      // kJ/(kg K)
  double dcp_dT;  // (dcp/dT)_p, kJ/(kg K^2)
};

// h, s and v alone, from the evaluation that a search along the saturation
// line needs.
struct hsv {
  double h;  // kJ/kg
  double s;  // kJ/(kg K)
  double v;  // m3/kg
};

// The first derivatives of a state's volume and its heat capacity, for the
// derivatives of water/: a caller asks for some of them (a set of the bits
// below) and only the second derivatives of the equation that those need are
// summed. Zero where not asked for.
enum gibbs_slope : unsigned {
  want_dv_dp = 1u,  // (dv/dp)_T
  want_dv_dT = 2u,  // (dv/dT)_p
  want_cp = 4u,     // cp
};
struct gibbs_slopes {
  double dv_dp;  // (dv/dp)_T, m3/(kg MPa)
  double dv_dT;  // (dv/dT)_p, m3/(kg K)
  double cp;     // kJ/(kg K)
};

// f(std::integral_constant<unsigned, W>{}) for the set `want` of three bits:
// a run-time choice of the parts to sum, each choice compiled once.
template <class F>
[[gnu::always_inline]] inline auto with_wanted(unsigned want, F&& f) {
  switch (want & 7u) {
    case 1u: return f(std::integral_constant<unsigned, 1u>{});
    case 2u: return f(std::integral_constant<unsigned, 2u>{});
    case 3u: return f(std::integral_constant<unsigned, 3u>{});
    case 4u: return f(std::integral_constant<unsigned, 4u>{});
    case 5u: return f(std::integral_constant<unsigned, 5u>{});
    case 6u: return f(std::integral_constant<unsigned, 6u>{});
    case 7u: return f(std::integral_constant<unsigned, 7u>{});
    default: return f(std::integral_constant<unsigned, 0u>{});
  }
}

}  // namespace if97
