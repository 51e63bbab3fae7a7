// Region-3 specific volume from pressure and temperature by the backward
// equations of the IAPWS supplementary release SR5-05 (2005, revised 2016),
// "Backward Equations for Specific Volume as a Function of Pressure and
// Temperature v(p,T) for Region 3 of IAPWS-IF97": 26 subregion equations
// (3a to 3t and the near-critical auxiliary equations 3u to 3z), the boundary
// temperatures between them and the subregion choice. p in MPa, T in K,
// v in m3/kg. The volume is used as it comes: no iteration on the basic
// equation follows. Nothing is checked; outside region 3 an equation is
// simply evaluated outside its range.
#pragma once

namespace if97 {

enum class subregion3 : unsigned char { a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z };

// The equation of one subregion, whatever (p, T) is.
double v3(subregion3 which, double p, double T);

// The subregion whose equation v3pt evaluates at (p, T) (at the critical
// point v3pt evaluates none).
subregion3 subregion3_of(double p, double T);

// Volume by the subregion choice of SR5-05: in general (a state on the
// saturation line is liquid), on the liquid side and on the vapour side of the
// saturation line. Within 1e-6 MPa and 1e-6 K of (22.064 MPa, 647.096 K) all
// three return the critical volume v_c.
double v3pt(double p, double T);
double v3pt_liq(double p, double T);
double v3pt_vap(double p, double T);

// SR5-05 boundary temperatures between subregions, K, as functions of p.
double t3ab(double p);
double t3cd(double p);
double t3ef(double p);
double t3gh(double p);
double t3ij(double p);
double t3jk(double p);
double t3mn(double p);
double t3op(double p);
double t3qu(double p);
double t3rx(double p);
double t3uv(double p);
double t3wx(double p);

}  // namespace if97
