// Every property of a single-phase state in IF97 units, from one evaluation
// of a region's basic equation: what a state of water carries, with the two
// derivatives of v that flashes and the thermal conductivity need.
#pragma once

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

}  // namespace if97
