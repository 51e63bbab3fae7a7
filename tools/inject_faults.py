#!/usr/bin/env python3
"""Inject one-line faults into the library, one at a time, and run the test
suite on each: a fault that no test fails shows where the suite is blind.

Usage: tools/inject_faults.py BUILD_DIR [--only N,N,...] [--markdown FILE]

BUILD_DIR is a configured build of this checkout (tests on). Each fault is
a text replacement in one source file; the script applies it, rebuilds,
runs ctest, and restores the file, also when interrupted. A fault whose
text is no longer in its file stops the run: the list must follow the code.
"""

import argparse
import pathlib
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (file, text as it is, text with the fault, what the fault is)
FAULTS = [
    # Coefficients, exponents and reducing quantities of the equations.
    ("if97/region1.cpp", "{0, -2, 0.14632971213167}", "{0, -2, 0.14632971313167}", "region 1: 9th digit of n1"),
    ("if97/region1.cpp", "{8, -11, -0.12734301741641e-8}", "{8, -10, -0.12734301741641e-8}", "region 1: exponent J of n27"),
    ("if97/region1.cpp", "constexpr double p_star = 16.53;", "constexpr double p_star = 16.35;", "region 1: reducing pressure"),
    ("if97/region2.cpp", "{1, 1, -0.17834862292358e-1}", "{1, 1, -0.17834862292358e-2}", "region 2: exponent of a residual coefficient"),
    ("if97/region2_ideal.hpp", "{0, 1, 0.10086655968018e2}", "{0, 1, -0.10086655968018e2}", "region 2: sign of an ideal-gas coefficient"),
    ("if97/region3.cpp", "{0, 1, 0.20944396974307e2}", "{0, 1, 0.20944396974370e2}", "region 3: 13th digit of n3"),
    ("if97/region3.cpp", "constexpr double n1_ln_delta = 0.10658070028513e1;", "constexpr double n1_ln_delta = 0.10658070028531e1;", "region 3: 12th digit of the ln delta coefficient"),
    ("if97/region5.cpp", "{1, 1, 0.15736404855259e-2}", "{1, 1, 0.15736404855259e-1}", "region 5: exponent of a residual coefficient"),
    ("if97/saturation.cpp", "constexpr double n4 = 0.12020824702470e5;", "constexpr double n4 = 0.12020824702407e5;", "saturation: 12th digit of n4"),
    ("if97/saturation.cpp", "constexpr double T_A = 647.0958;", "constexpr double T_A = 647.0950;", "saturation: where Eq. (30) stops"),
    ("if97/saturation.hpp", "inline constexpr double b23_n3 = 0.10192970039326e-2;", "inline constexpr double b23_n3 = 0.10192970039362e-2;", "B23: 13th digit of n3"),
    ("if97/region3_backward.cpp", "  if (p > 25.0) {", "  if (p > 25.5) {", "v(p,T) region 3: a pressure band limit"),
    ("if97/backward12.cpp", "{0, 0, -0.23872489924521e3}", "{0, 0, -0.23872489924512e3}", "T1(p,h): 13th digit of n1"),
    ("if97/backward12.hpp", "inline constexpr double p_2ab = 4.0;", "inline constexpr double p_2ab = 4.5;", "backward region 2: the 2a/2b isobar"),
    # The region-4 operations and their conventions.
    ("if97/region4_operations.cpp", "constexpr double x_pure = 1e-8;", "constexpr double x_pure = 1e-4;", "region 4: a saturated phase's vapour fraction window"),
    ("if97/region4_operations.cpp", "constexpr double T_sat_mismatch = 0.1;", "constexpr double T_sat_mismatch = 0.2;", "region 4: the Tsat mismatch allowed"),
    ("if97/region4_operations.cpp", "constexpr double p_sat_max = 22.12;", "constexpr double p_sat_max = 22.2;", "region 4: the highest saturation pressure"),
    ("if97/region4_operations.cpp", "const double to_unit = ops.fugacity ? 10.0 : 1.0;", "const double to_unit = ops.fugacity ? 1.0 : 1.0;", "region 4: the fugacity in MPa, not bar"),
    # The host adapter.
    ("adapter/host_units.hpp", "inline constexpr double pa_per_bar = 1e5;", "inline constexpr double pa_per_bar = 1e6;", "dispatcher: bar as 1e6 Pa"),
    ("adapter/reference_shift.cpp", "- g.h_T + g.h_ref;", "- g.h_T - g.h_ref;", "reference shift: sign of Hig(Tref)"),
    ("adapter/reference_shift.cpp", "return X - gas_constant * g.w7 + g.cp_ref;", "return X - gas_constant * g.w7 - g.cp_ref;", "reference shift: sign in the Cv form"),
    ("adapter/eos_entry.cpp", "*out.V = -1.217974424788659e-6 * d", "*out.V = -1.217974424788659e-5 * d", "below 273.15 K: a 10-fold volume slope"),
    ("adapter/eos_entry.cpp", "constexpr double volume_damping = 3000.0;", "constexpr double volume_damping = 2000.0;", "two-point loop: the volume damping"),
    ("adapter/eos_entry.cpp", "constexpr double psat_step = 0.01;", "constexpr double psat_step = 0.02;", "vapour-pressure fugacity: the slope step"),
    ("adapter/state_settling.hpp", "V_densest = 0.3 * V_crit;", "V_densest = 0.4 * V_crit;", "volume search: its densest volume"),
    ("adapter/state_settling.cpp", "        r.mode = 5;", "        r.mode = 1;", "volume search: the vapour's mode"),
    ("adapter/warnings.cpp", '" K); LOWER BOUND ASSUMED",', '" K); LOWER LIMIT ASSUMED",', "warning 2: one word of its text"),
    # Transport.
    ("transport/viscosity.cpp", "constexpr double H1 = 2.20462;", "constexpr double H1 = 2.20426;", "viscosity: a digit of H1"),
    ("transport/viscosity.cpp", "{1, 1, 9.99115e-1}", "{1, 2, 9.99115e-1}", "viscosity: an exponent j"),
    ("transport/conductivity.cpp", "constexpr double Lambda = 177.8514;", "constexpr double Lambda = 177.8541;", "conductivity: a digit of Lambda"),
    ("transport/conductivity.hpp", "inline constexpr double region1_line_offset = 751.4;", "inline constexpr double region1_line_offset = 715.4;", "conductivity: where region 1 has the enhancement"),
    ("transport/conductivity.cpp", "{2.443221e-3,", "{2.443212e-3,", "conductivity: a digit of L0"),
    ("transport/surface_tension.cpp", "constexpr double mu = 1.256;", "constexpr double mu = 1.265;", "surface tension: the exponent"),
    # The SI state API.
    ("water/flash.cpp", "constexpr double tolerance = 1e-11;", "constexpr double tolerance = 1e-7;", "flashes: a looser polish"),
    ("water/flash.cpp", "constexpr double rounding = 4.0 * std::numeric_limits<double>::epsilon();", "constexpr double rounding = 4e-9;", "flashes: the rounding taken as the saturation line"),
    ("water/flash.cpp", "return vapour == liquid ? 0.0 : (q - liquid) / (vapour - liquid);", "return vapour == liquid ? 0.0 : (q - liquid) / (vapour + liquid);", "flashes: the vapour fraction"),
    ("transport/range.hpp", "inline constexpr double T_max = 1173.15;", "inline constexpr double T_max = 1073.15;", "state: the transport properties' upper limit"),
    ("water/state.cpp", "if (p > if97::p_c && T > if97::T_c) return phase::supercritical;", "if (p > if97::p_c || T > if97::T_c) return phase::supercritical;", "state: the supercritical label"),
    # Faults 9 and 10 stop the build (a static_assert checks Eq. (30)); these
    # reach the saturation line, the critical window and the fugacity at run time.
    ("if97/region3.cpp", "return std::fabs(R * (a * a / compressibility_term(h) - h.tt));", "return R * (a * a / compressibility_term(h) - h.tt);", "region 3: cp not as its magnitude"),
    ("if97/region3.hpp", "inline constexpr double cp_window_rho = 0.03;", "inline constexpr double cp_window_rho = 0.01;", "region 3: the critical cp window"),
    ("if97/saturation.cpp", "  if (p < p_B) return T_B", "  if (p <= p_A) return T_B", "saturation: Tsat's first straight piece"),
    ("if97/region4_operations.cpp", "constexpr double T_psat_bar_max = 647.301;", "constexpr double T_psat_bar_max = 647.31;", "psat in bar: its upper limit"),
    ("if97/region1.cpp", "const double ideal = region2_ideal_sum<part_f>(region2_T_star / T).f;", "const double ideal = 1.000001 * region2_ideal_sum<part_f>(region2_T_star / T).f;", "region 1: the fugacity's ideal-gas reference"),
    # The saturated phases of the C interface and the program's arguments.
    ("water/water_c.cpp", "const bool region3 = r.state.T > if97::T_region1_max;", "const bool region3 = r.state.T > if97::T_c;", "C saturated phases: the region above 623.15 K"),
    ("water/water_c.cpp", "*vapour = one_phase(r.state.vapour,", "*vapour = one_phase(r.state.liquid,", "C saturated phases: the vapour's values"),
    ("tools/commands.cpp", "if (o.to > T_crit) return rows", "if (o.to > T_crit + 5.0) return rows", "table: the saturation line's end, checked before the rows"),
    ("tools/units.cpp", '{pressure, "kPa", 1e3, 0.0},', '{pressure, "kPa", 1e2, 0.0},', "program: kPa as 100 Pa"),
    ("tools/units.cpp", '{temperature, "C", 1.0, kelvin_at_0C},', '{temperature, "C", 1.0, 0.0},', "program: the degC offset dropped"),
    ("tools/messages.cpp", "length <= 5 ? 1 : 2;", "length <= 5 ? 0 : 2;", "program: the near miss of a short option"),
    ("tools/main.cpp", "if (o.to > o.from && o.from + o.step == o.from)", "if (o.to > o.from && o.from + o.step == o.to)", "table: a step below the resolution of FROM"),
    # The accuracy page of the documentation (the test docs).
    ("docs/accuracy.cpp", "return std::isfinite(got) && std::fabs(got - p.value) <= allowed;", "return std::isfinite(got) && std::fabs(got - p.value) <= 2.0 * allowed;", "accuracy page: twice the allowance"),
    # Derivatives of states.
    ("water/derivatives.cpp", "case H: return v - T * g.v_T;", "case H: return v + T * g.v_T;", "derivatives: (dh/dp)_T of the Gibbs regions"),
    ("water/derivatives.cpp", "const double u_rho = (p - T * h.p_T) * v2;", "const double u_rho = (p + T * h.p_T) * v2;", "derivatives: (du/drho)_T of region 3"),
    ("if97/region3.cpp", "return 1e-3 * R / v * (h.d - h.dt); }", "return 1e-3 * R / v * (h.d + h.dt); }", "derivatives: (dp/dT)_rho of region 3"),
    ("if97/saturation.cpp", "return 4.0 * r * r * r * dr;", "return 3.0 * r * r * r * dr;", "derivatives: dpsat/dT of Eq. (30)"),
    ("water/derivatives.cpp", "return entry(g, k, false) * dpsat + entry(g, k, true);", "return entry(g, k, false) * dpsat - entry(g, k, true);", "derivatives: a saturated phase along the line"),
    ("water/derivatives.cpp", "if (den == 0.0) return nan;", "if (den == 1e300) return nan;", "derivatives: a held quantity that cannot vary"),
    ("if97/region1.cpp", "return v / T - R_by_p_star * g.tau * g.g_pt; }", "return v / T + R_by_p_star * g.tau * g.g_pt; }", "derivatives: (dv/dT)_p of region 1 from the state's v"),
    ("water/derivatives.cpp", "case RHO: return -(st.vapour.v - st.liquid.v) * st.rho * st.rho;", "case RHO: return (st.vapour.v - st.liquid.v) * st.rho * st.rho;", "derivatives: (drho/dx)_T of a two-phase state"),
    ("water/derivatives.cpp", "{0, 0, VT, VT, CP, CP, CP | VT, 0, VT, 0}", "{0, 0, VT, VT, CP, 0, CP | VT, 0, VT, 0}", "derivatives: the slopes that (ds/dT)_p needs"),
    ("water/derivatives.cpp", "if (c == X) return {true, false};", "if (c == X) return {false, true};", "derivatives: the gradient that a derivative at constant x needs"),
    ("if97/series.hpp", "part == part_yy ? 2 : part == part_yyy", "part == part_yy ? 1 : part == part_yyy", "scaled sums: y^2 d2f/dy2 with the factor of y df/dy"),
    ("if97/steam_gibbs.hpp", "by_py = detail::opaque(inv_pi * inv_y);", "by_py = detail::opaque(inv_pi * inv_pi);", "derivatives: gamma^r_pitau of regions 2 and 5 unscaled by 1/pi^2"),
    ("if97/steam_gibbs.hpp", "const double inv_y = T / (T_star - tau_shift * T);", "const double inv_y = T / (T_star + tau_shift * T);", "derivatives: 1/(tau - 0.5) of region 2"),
    # Phase requests: supersaturated vapour by IF97 Eq. (18), superheated liquid.
    ("if97/region2_metastable.cpp", "{3, 16, -0.86043093028588e-1}", "{3, 15, -0.86043093028588e-1}", "metastable vapour: exponent J of n9"),
    ("if97/region2_metastable.cpp", "readjusted(-0.96937268393049e1, 0.10087275970006e2)", "readjusted(-0.96937268393049e1, 0.10087265970006e2)", "metastable vapour: 7th digit of the readjusted n0_2"),
    ("if97/region2_metastable.hpp", "inline constexpr double metastable_moisture_max = 0.05;", "inline constexpr double metastable_moisture_max = 0.06;", "metastable vapour: the 5 % moisture line"),
    ("if97/region2_metastable.hpp", "inline constexpr double p_metastable_max = 10.0;", "inline constexpr double p_metastable_max = 10.5;", "metastable vapour: its 10 MPa"),
    ("water/metastable.cpp", "constexpr double superheat_vapour_fraction_max = 0.05;", "constexpr double superheat_vapour_fraction_max = 0.06;", "superheated liquid: its bound"),
    ("water/metastable.cpp", "if ((p_mpa > if97::p_c && T > if97::T_c) || (asked == phase::vapour) == vapour_stable)", "if ((asked == phase::vapour) == vapour_stable)", "phase requests: the supercritical fluid as stable"),
    ("water/metastable.cpp", "  if (p_mpa == p_line && T >= if97::T_min) {", "  if (false) {", "phase requests: the saturated vapour on the line"),
    ("water/metastable.cpp", "      return detail::single_result(vapour ? sat.vapour : sat.liquid);", "      return r;", "phase requests: a flash on the line as the saturated phase"),
    ("water/state.cpp", "result r = guarded_single_result(s, s.region == 2, outputs::all);", "result r = guarded_single_result(s, false, outputs::all);", "phase requests: supersaturated vapour stopped at 273.15 K"),
    # Every state returned is physical (tests/test_physical.cpp).
    ("water/state.cpp", "if (!(s.pr.p > 0.0 && s.pr.p <= if97::p_max && s.pr.dv_dp < 0.0))", "if (!(s.pr.p <= if97::p_max))", "Trho: region 3 served past its turn-over"),
    ("water/state.cpp", "  if (p < p_triple_Pa()) return found_failure(status::below_triple);", "  if (p / Pa_per_MPa < if97::psat(if97::T_min)) return found_failure(status::below_triple);", "px: the triple pressure compared in MPa"),
    ("water/state.cpp", "const double v_start = b == detail::branch::liquid   ? if97::v3pt_liq(p, T)", "const double v_start = b == detail::branch::vapour   ? if97::v3pt_liq(p, T)", "pT: region 3's start on the other branch"),
    ("water/internal.hpp", "inline constexpr double p_min_Pa = 1e-3;  // Pa", "inline constexpr double p_min_Pa = 0.0;  // Pa", "state: no lowest pressure"),
    ("water/flash.cpp", "  if (!under(s.pr.T, if97::T_region2_max)) return detail::bounded(s);", "  return detail::bounded(s);", "flashes: region 5 below 1073.15 K kept"),
    ("water/state.cpp", "if (T >= if97::T_c) return phase::vapour;", "if (T >= if97::T_c) return phase::liquid;", "state: region 3 above T_c below p_c labelled liquid"),
    ("water/state.cpp", "return detail::found_two_phase(sat, (1.0 / rho - sat.liquid.pr.v) / (sat.vapour.pr.v - sat.liquid.pr.v));", "return detail::found_two_phase(sat, (sat.vapour.pr.v - 1.0 / rho) / (sat.vapour.pr.v - sat.liquid.pr.v));", "Trho: a two-phase state's 1 - x"),
    ("water/state.cpp", 'case status::not_converged: return "the state was not found to the required accuracy";', 'case status::not_converged: return "the state was not found";', "state: the text of not_converged"),
    # The flashes of conservative variables and the pairs with several states.
    ("water/flash_pairs.cpp", "constexpr double negligible_T = 1e-12;", "constexpr double negligible_T = 1e-6;", "pairs: a looser polish of T"),
    ("water/region_verdict.cpp", "return under(p, if97::psat(T), tol.psat_rel); };", "return under(p, 0.9 * if97::psat(T), tol.psat_rel); };", "region verdict: region 1's saturation line"),
    ("water/flash_pairs.cpp", "    x = (v - line.v_liquid) / (line.v_vapour - line.v_liquid);", "    x = (v - line.v_liquid) / (line.v_vapour + line.v_liquid);", "pairs: the vapour fraction of an isochore"),
    ("water/flash_pairs.cpp", "for (; i > 0 && (out.states[i - 1].p > r.state.p ||", "for (; i > 0 && (out.states[i - 1].p < r.state.p ||", "pairs: the order of several states"),
    ("water/flash_pairs.cpp", "  return std::clamp((value - liquid) / (vapour - liquid), 0.0, 1.0);", "  return std::clamp((value - liquid) / (vapour + liquid), 0.0, 1.0);", "pairs: the vapour fraction at a pressure"),
    # The C operations of one subregion equation and of region 5's parts.
    ("if97/region3_backward.cpp", "IF97_V3Q(const double* p, const double* T) noexcept { return if97::v3(if97::subregion3::q,", "IF97_V3Q(const double* p, const double* T) noexcept { return if97::v3(if97::subregion3::r,", "IF97_V3Q: the equation of 3r"),
    ("if97/region5.cpp", "  return std::log(g.pi) + g.g0;", "  return g.g0;", "IF97_G5_ID: without ln pi"),
    ("if97/region5.cpp", "if97::parts5<0, if97::part_yy>(p, T).gr_tt;", "if97::parts5<0, if97::part_y>(p, T).gr_t;", "IF97_G5_RES_TT: the first derivative"),
    # The chemistry properties.
    ("transport/dielectric.cpp", "{3, 10, -0.108863472196}", "{3, 9, -0.108863472196}", "dielectric constant: an exponent j"),
    ("transport/refractive_index.cpp", "constexpr double lambda_UV = 0.229202;", "constexpr double lambda_UV = 0.229220;", "refractive index: the UV resonance"),
    ("transport/ionization.cpp", "constexpr double beta_2 = -0.469920;", "constexpr double beta_2 = -0.469290;", "ionization constant: beta_2"),
    ("transport/henry.cpp", "/* CO2 */ {-8.55445,", "/* CO2 */ {-8.55454,", "Henry: a digit of A for CO2"),
    ("transport/henry.cpp", "0.0, 275.44, 473.46}", "0.0, 275.44, 474.46}", "Henry: the upper end of C2H6's data"),
    ("water/chemistry.cpp", "constexpr double lambda_max = 1.1e-6;", "constexpr double lambda_max = 1.9e-6;", "refractive index: the extrapolated wavelengths accepted"),
    ("water/chemistry.cpp", "{ return dielectric_constant(s.T, s.rho); }", "{ return dielectric_constant(s.T, 1.0 / s.v * 1.0001); }", "dielectric constant of a state: another density"),
    # The Python ufuncs and state() on arrays.
    ("python/ufunc.cpp", "r ? static_cast<std::int8_t>(s.phase) : std::int8_t{-1};", "r ? static_cast<std::int8_t>(s.phase) : std::int8_t{0};", "ufunc: a failed element's phase"),
    ("python/ufunc.cpp", "block_.put(e.index[i], e.liquid[i], e.vapour[i]);", "block_.put(e.index[i], e.vapour[i], e.liquid[i]);", "state() on arrays: the phases kept by index, swapped into the block"),
    ("python/records.cpp", "d[index[e]] = values[e].*fields[i].member;", "d[index[e]] = values[e].*fields[0].member;", "state() on arrays: every saturated field as p"),
    ("python/arrays.hpp", 'std::string_view("biufO")', 'std::string_view("biufOU")', "arrays: a str taken as a number"),
    ("water/flash_pairs.cpp", "    return detail::bounded_result(st);", "    return detail::single_result(st);", "pairs: a state of (rho, u) on a bound not put on it"),
    ("water/flash_pairs.cpp", "return {ln_ratio(xv, xq), dxv / xv - dxq / xq,", "return {ln_ratio(xv, xq), dxv / xv + dxq / xq,", "pairs: the slope of ln x_v - ln x_q along an isochore"),
    ("water/flash_pairs.cpp", "const double dp_dT = if97::dpsat_dT(T);  // MPa/K", "const double dp_dT = 1.001 * if97::dpsat_dT(T);  // MPa/K", "pairs: the slope of the saturation line"),
    ("water/flash_pairs.cpp", "  return high_side ? std::fmax(T, T_623_above) : std::fmin(T, if97::T_region1_max);", "  return high_side ? std::fmin(T, if97::T_region1_max) : std::fmin(T, if97::T_region1_max);", "pairs: (h, x) above 623.15 K on region 3's saturated phases"),
    ("water/flash_pairs.cpp", "constexpr int line_samples = 64;", "constexpr int line_samples = 4;", "pairs: (h, x) sampled too coarsely near the top of the dome"),
    ("water/flash_pairs.cpp", "const double p_b23 = std::fmin(if97::pb23(T), if97::p_max);", "const double p_b23 = if97::pb23(T);", "pairs: (T, h) along region 2 past 100 MPa at 863.15 K"),
    ("water/flash_pairs.cpp", "out.c_inverse[i] = std::log((b + if97::p_max) / (b + liquid_grid::p0)) / fall;", "out.c_inverse[i] = std::log((b + if97::p_max) / (b + liquid_grid::p0)) / (2.0 * fall);", "pairs: Tait's C of region 1's start"),
    ("water/flash_pairs.cpp", "      y_next = y + b_plus_p * exp_less_one(-dy / b_plus_p);", "      y_next = y - dy;", "pairs: region 1's step in p not in ln(B + p)"),
    ("water/flash_pairs.cpp", "    const double p = std::fmin(out.y * if97::v2(out.y, out.T) * rho, if97::p_max);", "    const double p = out.y;", "pairs: region 2's dense start left at the ideal gas"),
    ("water/flash_pairs.cpp", "    g.at[0][j] = {4.0 * (c[1][j].T + c[3][j].T) - 6.0 * c[2][j].T - c[4][j].T,", "    g.at[0][j] = {c[1][j].T,", "pairs: the steam grid's column below rho = 0 not extrapolated"),
    ("water/flash_pairs.cpp", "0.5 * (3.0 * t3 - 5.0 * t2) + 1.0, 0.5 * (4.0 * t2", "0.5 * (3.0 * t3 - 5.0 * t2) + 1.001, 0.5 * (4.0 * t2", "pairs: a weight of the steam grid's cubic"),
    ("water/flash_pairs.cpp", "      g.at[i + 1][j] = {pr.T, pr.p * pr.v / (1e-3 * if97::R * pr.T)};", "      g.at[i + 1][j] = {pr.T, pr.p * pr.v / (1e-3 * if97::R * 1.001 * pr.T)};", "pairs: the steam grid's compression factor"),
    ("water/flash_pairs.cpp", "double steam_w(quantity q, double value, double ln_rho) { return q == quantity::s ? value + if97::R * ln_rho : value; }", "double steam_w(quantity q, double value, double ln_rho) { return q == quantity::s ? value - if97::R * ln_rho : value; }", "pairs: the steam grid's w of s"),
    ("water/flash_pairs.cpp", "if (std::isnan(s2.T) && !grid.formed) s2 = steam_grid_start_stepped(quantity::p, quantity::u, p, u);", "if (std::isnan(s2.T) && !grid.formed) s2 = steam_grid_start_stepped(quantity::rho, quantity::u, p, u);", "pairs: (p, u)'s start from the steam grid of density"),
    ("water/flash_pairs.cpp", "  constexpr double margin = 1.1;", "  constexpr double margin = 3.0;", "pairs: the steam grid's nodes far beyond B23 and the saturation line"),
    ("water/flash_pairs.cpp", "      if (!found && i > 0 && std::isfinite(before.T)) s =", "      if (!found && i > 0 && std::isfinite(before.T) && false) s =", "pairs: the steam grid's dense columns started from their tops"),
    ("water/flash_pairs.cpp", "    const double dT = (pt.value - value) / pt.d_dT;", "    const double dT = (pt.value - value) / (2.0 * pt.d_dT);", "pairs: the slope of region 3's steps along an isochore"),
    ("water/flash_pairs.cpp", "      if (!whole) last.pr = evaluate(region, T, y);", "      if (false) last.pr = evaluate(region, T, y);", "pairs: a polish converged on a partial evaluation not evaluated whole"),
    ("water/flash_pairs.cpp", "T = if97::T2_ph(p, u + (k == 0 ? if97::R * T : p * if97::v2(p, T) * kJ_per_MPa_m3));", "T = if97::T2_ph(p, u + if97::R * T);", "pairs: (p, u) in region 2 started from the ideal gas's p v"),
    ("water/flash_pairs.cpp", "  return q.value > edge + 1e-9 * std::fabs(edge);", "  return q.value < edge + 1e-9 * std::fabs(edge);", "pairs: region 3's (rho, q) sent to region 2 first"),
    ("water/flash_pairs.cpp", "std::fmin(grid.node(i) + b23_clearance, if97::T_b23_max)", "std::fmin(grid.node(i), if97::T_b23_max)", "pairs: steam next to B23 sent to region 2's far start"),
    # Selected outputs and the batch calls.
    ("water/flash.cpp", "out = {region, q, Q::full ? if97::extent::all : if97::extent::none};", "out = {region, q, if97::extent::all};", "outputs: a lean polish's state taken as evaluated"),
    ("water/state.cpp", "if (asks(asked, outputs::T | outputs::volumetric)) out.T = q.T;", "if (asks(asked, outputs::volumetric)) out.T = q.T;", "outputs: T only with the volumetric group"),
    ("water/state.cpp", "if (s.evaluated >= e || s.region == 3) return s;", "if (s.evaluated >= e || s.region != 1) return s;", "outputs: regions 2 and 5 not evaluated for what is asked"),
    ("water/batch.cpp", "if (any({out.h, out.s, out.u})) asked", "if (any({out.h, out.s})) asked", "batch: u alone not computed"),
    ("water/batch.cpp", "if (out.phase) out.phase[k] = r ? static_cast<int>(r.state.phase) : -1;", "if (out.phase) out.phase[k] = static_cast<int>(r.state.phase);", "batch: a failure's phase"),
    ("python/columns.cpp", "{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 10, 11}", "{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 11, 10}", "outputs=: mu and lam swapped"),
    ("water/state.cpp", "if (std::fabs(delta) <= 1e-11 * rho) {", "if (std::fabs(delta) <= 1e-4 * rho) {", "saturated densities: Newton's steps stopped early"),
    # The charts: --units, the pointers of marks beyond the axes, crowded marks' numbers.
    ("tools/chart.cpp", "return from_si(si, output_unit(q, view.units)); };", "return from_si(si, output_unit(q, unit_system::eng)); };", "chart: a state placed in degC and kJ whatever --units"),
    ("tools/chart.cpp", "converted(a.max, q, unit_system::eng, units)", "converted(a.max, q, unit_system::eng, unit_system::eng)", "chart: the SI frame's top in engineering units"),
    ("tools/chart.cpp", "p = converted(p, quantity::pressure, unit_system::eng, units);", "p = converted(p, quantity::pressure, unit_system::eng, unit_system::eng);", "chart: SI isobars at the values of bar, in Pa"),
    ("tools/chart.cpp", "if (i > 0) in = exit_towards(segments[i - 1]);", "if (i > 0) in = std::nullopt;", "chart: a pointer at the nearest edge, not where the path from the mark before leaves"),
    ("tools/svg.cpp", "dx = m.exit->dx, dy = m.exit->dy;", "dx = m.exit->dy, dy = m.exit->dx;", "marks: a pointer across its path"),
    ("tools/svg.cpp", "d <= leader_reach; d += leader_step)", "d <= 0.0; d += leader_step)", "marks: no leader lines, crowded numbers piled"),
    ("tools/svg.cpp", "taken.push_back({g.x - r, g.y - r, g.x + r, g.y + r});", "(void)r;", "marks: numbers not kept off the rings"),
    ("tools/svg.cpp", "digit_width = 8.4;", "digit_width = 7.7;", "marks: a bold digit taken as narrower than it is"),
    ("tools/svg.cpp", '"\\" fill=\\"#ffffff\\" fill-opacity=\\"0.9\\"/>\\n";', '"\\" fill=\\"#ffffff\\" fill-opacity=\\"0.0\\"/>\\n";', "marks: the numbers without their halo"),
    ("tools/chart.cpp", '"\\" fill=\\"#ffffff\\" fill-opacity=\\"0.9\\"/>\\n" +', '"\\" fill=\\"#ffffff\\" fill-opacity=\\"0.0\\"/>\\n" +', "chart: the lines' names without their halo box"),
    ("tools/chart.cpp", 's += lines + "</g>\\n" + path_drawn + labels + "</g>\\n";', 's += lines + "</g>\\n" + labels + "</g>\\n" + path_drawn;', "chart: the path drawn over the lines' names"),
    ("tools/chart.cpp", "constexpr double mark_clearance = 12.0;", "constexpr double mark_clearance = 0.0;", "chart: the lines' names not kept off the marks"),
    ("tools/chart.cpp", "if (kind != chart_kind::Ts)\n    entry(stroke(isotherm_colour", "if (kind != chart_kind::hs)\n    entry(stroke(isotherm_colour", "chart: the legend lists isotherms the T-s chart does not draw"),
    # (h, x) and (s, x): the samples' bounds, the extremum between samples, the noise near T_c.
    ("water/flash_pairs.cpp", "q.value > if97::mixture(in.liquid_max[k], in.vapour_max[k], x) + slack", "q.value > if97::mixture(in.liquid_max[k], in.vapour_min[k], x) + slack", "pairs: (h, x) the mixture's q bounded too low between samples"),
    ("water/flash_pairs.cpp", "a.dq_vapour[k] * b.dq_vapour[k] > 0.0;", "a.dq_vapour[k] * b.dq_vapour[k] > -inf;", "pairs: (h, x) bounds where h'' turns between samples"),
    ("water/flash_pairs.cpp", "const double tm = t_least > t0 && t_least < t1 ? t_least : 0.5 * (lo + hi);", "const double tm = t_least > t0 && t_least < t0 ? t_least : 0.5 * (lo + hi);", "pairs: the extremum between two samples at its bracket's middle"),
    ("water/flash_pairs.cpp", "out, {high_side, true});", "out, {false, true});", "pairs: (h, x) near T_c without the nearest state that reproduced q"),
    # Two-phase (rho, q) from the interpolant of the saturation line below 623.15 K.
    ("water/flash_pairs.cpp", "constexpr int dome_intervals = 256;", "constexpr int dome_intervals = 8;", "pairs: the interpolant of the saturation line too coarse"),
    ("water/flash_pairs.cpp", "constexpr T_grid dome_high{if97::T_region1_max, 645.15, 128};", "constexpr T_grid dome_high{if97::T_region1_max, 645.15, 4};", "pairs: the interpolant of region 3's saturated roots too coarse"),
    ("water/flash_pairs.cpp", "const bool ends_high = vapour || v <= table.v_liquid[dome_high.intervals];", "const bool ends_high = vapour || v < 0.0;", "pairs: an isochore leaving the dome on region 3's liquid line"),
    ("water/flash_pairs.cpp", "h11 = -s * s * r;", "h11 = s * s * r;", "pairs: the interpolant's cubic with a slope term of the wrong sign"),
    ("water/flash_pairs.cpp", "      n.dln_v_vapour = line.dv_vapour / line.v_vapour;", "      n.dln_v_vapour = line.dv_vapour * line.v_vapour;", "pairs: the interpolant's slope of ln v''"),
    ("water/flash_pairs.cpp", "bool on_near_side(double v_node, double v, bool vapour) { return vapour ? v_node >= v : v_node <= v; }", "bool on_near_side(double v_node, double v, bool vapour) { return vapour ? v_node <= v : v_node <= v; }", "pairs: where an isochore leaves the dome"),
    ("water/flash_pairs.cpp", "  if (q.value > q_end + margin) return dome_verdict::dry;", "  if (q.value > q_end - 1e5 * margin) return dome_verdict::dry;", "pairs: a wet isochore near its end on the line taken for dry"),
    ("water/flash_pairs.cpp", "T > T_twins_above : T < T_twins) ?", "T > T_twins_above : T < T_twins + 0.02) ?", "pairs: the interpolant decides among the twins of 623.15 K"),
    ("water/flash_pairs.cpp", "bl.liquid_max[k] = std::fmax(bl.liquid_max[k], in.liquid_max[k]);", "bl.liquid_max[k] = std::fmin(bl.liquid_max[k], in.liquid_max[k]);", "pairs: (h, x) a block of sample intervals bounded too low"),
    # The single calls of (p, rho), (T, h) and (T, s): a line's pieces by their ends.
    ("water/flash_pairs.cpp", "  return minimum == (lo.f < 0.0) ? 0 : unsure;", "  return minimum == (lo.f < 0.0) ? 0 : 0;", "pairs: no state taken where two may lie about an extremum"),
    ("water/flash_pairs.cpp", "(at_lo ? end.f * end.slope > 0.0 : end.f * end.slope < 0.0)", "(at_lo ? end.f * end.slope < 0.0 : end.f * end.slope < 0.0)", "pairs: a monotone piece passed over toward the target"),
    ("water/flash_pairs.cpp", "if (!sure || (polished && n > 1))", "if (!sure)", "pairs: the first of several states polished by the single call"),
    ("water/flash_pairs.cpp", "if (p <= if97::p_region5_max && !(at_1073.f < -1e-3 * rho))", "if (p <= if97::p_region5_max && !(at_1073.f < 1e3 * rho))", "pairs: (p, rho) passes over region 5"),
    ("water/flash_pairs.cpp", "!(rho < (1.0 - 1e-9) * rho_region1_min)", "!(rho < (1.0 + 1e-2) * rho_region1_min)", "pairs: (p, rho) region 1's least density too high"),
    ("water/flash_pairs.cpp", "if (!(q.value > value_of(qq, top) + line.margin))", "if (!(q.value > value_of(qq, top) - 1e3))", "pairs: (T, h) passes over region 1"),
    ("water/flash_pairs.cpp", "} else if (f_b23.f < 0.0 && f_b23.slope < -b23_slope_error) {", "} else if (f_b23.f < 0.0 || f_b23.slope < -b23_slope_error) {", "pairs: (T, h) passes over region 3 from B23"),
    ("water/flash_pairs.cpp", "if (!(std::fabs(f_b23.f) > b23_band * scale + b23_error)) {", "if (!(std::fabs(f_b23.f) > 0.0 * scale + 0.0 * b23_error)) {", "pairs: (T, h) region 3's end at B23 taken as region 2's without a band"),
    ("water/flash_pairs.cpp", "const bool steam = wet && rho < (1.0 - 1e-6) * 1e3 * p / (if97::R * T_s);", "const bool steam = wet && rho < (1.0 - 1e-6) * 3e3 * p / (if97::R * T_s);", "pairs: (p, rho) steam above the ideal gas's density at Tsat"),
    ("water/flash_pairs.cpp", "  constexpr double T_below_cold = 300.0;  // K", "  constexpr double T_below_cold = 200.0;  // K", "pairs: (p, rho) region 1 passed over below its density at 273.15 K"),
    ("water/flash_pairs.cpp", "  pieces line{count, 1e-9 * rho, status::density_out_of_range};", "  pieces line{count, 1e-9 * rho, status::no_state_of_pair};", "pairs: (p, rho) without a state, another status than _all's"),
    # Derivatives formed with the state, and the generic derivative's
    # straight path.
    ("water/derivatives.cpp", "return entry(h, k, false) + entry(h, k, true) * ((dpsat - h.p_T) / h.p_rho);", "return entry(h, k, false) + entry(h, k, true) * ((dpsat + h.p_T) / h.p_rho);", "derivatives: a region-3 saturated phase along the line, for one derivative"),
    ("water/derivatives.cpp", "      case RHO: return -mixed(V) * st.rho * st.rho;", "      case RHO: return mixed(V) * st.rho * st.rho;", "derivatives: (drho/dT)_x of a two-phase state, for one derivative"),
    ("water/derivatives.cpp", "if97::helmholtz_slopes{q.p, -q.dv_dT / q.dv_dp,", "if97::helmholtz_slopes{q.p, q.dv_dT / q.dv_dp,", "derivatives with the flash: (dp/dT)_rho of region 3 from the evaluation"),
    ("water/derivatives.cpp", "if97::gibbs_slopes{q.dv_dp, q.dv_dT, q.cp}", "if97::gibbs_slopes{q.dv_dp, q.dv_dT, q.cv}", "derivatives with the flash: cv taken for cp"),
    ("water/derivatives.cpp", "  if (p / Pa_per_MPa != one.pr.p) return false;", "", "derivatives with the flash: the evaluation at a pressure an ulp away"),
    ("water/derivatives.cpp", "  d.dT_dh_p = -numerator(j, T_, P) * by_p_h;", "  d.dT_dh_p = numerator(j, T_, P) * by_p_h;", "derivatives: (dT/dh)_p's shared denominator"),
    ("water/derivatives.cpp", "    fill_undefined(d);\n    return r;", "    return r;", "derivatives with the flash: a failure's record not NaN"),
    ("water/water_c.cpp", "n.dh_liquid_dp, n.dh_vapour_dp,", "n.dh_vapour_dp, n.dh_liquid_dp,", "C derivatives with the flash: h' and h'' swapped"),
    ("water/flash_pairs.cpp", "count += static_cast<int>(holds(i));", "count += static_cast<int>(!holds(i));", "pairs: the count of the dome's nodes below a two-phase (rho, q)"),
    ("water/flash_pairs.cpp", "    open = stride - 1;", "    open = stride - 2;", "pairs: the last node of each stride's block not counted for two-phase (rho, q)"),
    ("water/flash_pairs.cpp", "  line.q_vapour = value_of(q.q, sat.vapour.pr);\n  line.v_liquid", "  line.q_vapour = value_of(q.q, sat.liquid.pr);\n  line.v_liquid", "pairs: two-phase (rho, q) stepped from the interpolant's root with q' for q''"),
    ("water/flash_pairs.cpp", "    return {sl.p, sl.dp_dT};", "    return {sl.p, 2.0 * sl.dp_dT};", "pairs: (p, rho) region 3's steps along the isochore with twice (dp/dT)_rho"),
    ("water/flash_pairs.cpp", "      along(5, if97::T_region2_max, &at_5_min, if97::T_region5_max, nullptr);", "      along(5, if97::T_region2_max, &at_5_min, 0.5 * (if97::T_region2_max + if97::T_region5_max), nullptr);", "pairs: (p, rho) of hot steam along half of region 5's isobar"),
    ("water/flash_pairs.cpp", "if (p > p_623 && liquid && rho > (1.0 + 1e-3) / at_623.v) return", "if (p > p_623 && liquid && rho > (1.0 - 1e-2) / at_623.v) return", "pairs: (p, rho) of region 3 next to 623.15 K taken for none beyond region 1"),
    ("water/flash_pairs.cpp", "  const auto line = [s = s](double fa, double fb) { return fa + s * (fb - fa); };", "  const auto line = [s = s](double fa, double fb) { return fb + 0.0 * s * (fb - fa); };", "pairs: (T, h) and (T, s) take region 3's ends from the node above T"),
    ("water/flash_pairs.cpp", "&& b23.f * b23.slope_lnp < 0.0;", "&& b23.f * b23.slope_lnp > 0.0;", "pairs: (T, h) and (T, s) skip region 2's piece where the target lies on it"),
    ("water/flash_pairs.cpp", "if97::properties3(T, std::isnan(rho) ? if97::v3pt(if97::p_max, T)", "if97::properties3(T, std::isnan(rho) ? if97::v3pt(0.999 * if97::p_max, T)", "pairs: (T, h) and (T, s) end region 3's piece at 99.9 MPa"),
    ("water/flash_pairs.cpp", "q_vapour_max[quantity_index(q.q)] + 1e-3 * std::fabs(q.value);", "q_vapour_max[quantity_index(q.q)];", "pairs: (p, u) takes a u above the nodes' largest u'' as steam, without the margin for the cubics' bulge"),
    ("water/flash_pairs.cpp", "std::fmax(0.0, std::fmin(at, intervals - 1.0))", "std::fmax(0.0, std::fmin(at, intervals - 2.0))", "pairs: a grid of T reads its last interval from the one before"),
    ("water/flash_pairs.cpp", "(static_cast<std::uint64_t>(b + static_cast<int>(vapour)) << out.shift)", "(static_cast<std::uint64_t>(b) << out.shift)", "pairs: the index of where an isochore leaves the dome reads the vapour's buckets at their low edge"),
    ("water/flash_pairs.cpp", "  while (i < intervals - 1 && on_near_side(values[i + 1], v, vapour)) ++i;", "  if (i < intervals - 1 && on_near_side(values[i + 1], v, vapour)) ++i;", "pairs: where an isochore leaves the dome a step from the index's least answer at most"),
    ("water/flash_pairs.cpp", "    at_5_min = evaluate_for_step(5, if97::T_region2_max, p, false);", "    at_5_min = evaluate_for_step(5, 1.01 * if97::T_region2_max, p, false);", "pairs: (p, rho) of hot steam: region 5's piece begins at its state 1 % above 1073.15 K"),
    ("water/flash_pairs.cpp", "return std::fabs(z) < 0.2 ? 2.0 * z * (1.0", "return std::fabs(z) < 0.2 ? z * (1.0", "pairs: ln(x_v / x_q) of a two-phase (rho, q) near its root taken as half of it"),
    ("water/flash_pairs.cpp", "{ return vapour ? v_node >= v : v_node <= v; }", "{ return vapour ? v_node >= v : v_node >= v; }", "pairs: where an isochore leaves the dome on the liquid line"),
    ("water/flash_pairs.cpp", "    w[3] = a * s * b / 6.0;", "    w[3] = a * s * b / 5.0;", "pairs: a weight of the cubic of region 1's table of (rho, q)"),
    ("water/flash_pairs.cpp", "  const double per_rho = rows / (hi - lo), at_z = (rho - lo) * per_rho;", "  const double per_rho = rows / (hi - lo), at_z = (rho - lo) * per_rho - 1.0;", "pairs: region 1's table of (rho, q) read a row off"),
    ("water/flash_pairs.cpp", "  static const liquid_table h = liquid_table_for(quantity::h);", "  static const liquid_table h = liquid_table_for(quantity::u);", "pairs: (rho, h) started from region 1's table of (rho, u)"),
    ("water/flash_pairs.cpp", "  return sq && rho > (1.0 + 1e-4) * sq->weights.of(t.rho_sat + sq->first);", "  return sq && rho > (1.0 - 1e-2) * sq->weights.of(t.rho_sat + sq->first);", "pairs: wet (rho, q) next to the saturated liquid taken for a liquid without the search on the saturation line"),
    ("water/flash_pairs.cpp", "    dw[3] = (s2 - 1.0) / 6.0;", "    dw[3] = (s2 - 1.0) / 5.0;", "pairs: a slope weight of the cubic of region 1's table of (rho, q)"),
    ("water/flash_pairs.cpp", "  const double z_q = -per_rho * (lo_q + (rho - lo) * (hi_q - lo_q) / (hi - lo));", "  const double z_q = -per_rho * (lo_q + 0.0 * (rho - lo) * (hi_q - lo_q) / (hi - lo));", "pairs: region 1's table's slope by q without the span's change"),
    ("if97/region1.cpp", "by_yy = detail::opaque(inv_y * inv_y),\n                 by_xy", "by_yy = detail::opaque(inv_y * inv_x),\n                 by_xy", "derivatives: region 1's scaled gamma_tautau over 1/(x y)"),
    ("if97/series.hpp", "if (S[t].n[2 * k] != 0.0 || S[t].n[2 * k + 1] != 0.0) return true;", "if (S[t].n[2 * k] != 0.0) return true;", "scaled sums: a vector skipped where its first lane alone has no term"),
    ("if97/region1.cpp", "return {p, T, v_of(g, T), h_of(g), nan, u_of(g, T), nan", "return {p, T, v_of(g, T), h_of(g), nan, h_of(g), nan", "pairs: region 1's lean v and u of the table's step gives h for u"),
    ("water/flash_pairs.cpp", "const double T = at.T + at.dT_dq * dq + at.dT_drho * drho,", "const double T = at.T + at.dT_dq * dq + 0.0 * drho,", "pairs: region 1's table's step without its slope of T by rho"),
    ("water/flash_pairs.cpp", "constexpr double below_sat = 0.05, below_623 = 5.0;  // K", "constexpr double below_sat = 0.05, below_623 = 0.0;  // K", "pairs: (p, rho)'s one liquid state taken up to 623.15 K, beside region 3"),
    ("water/flash_pairs.cpp", "!(rho < (1.0 - table.rho_cold_error - 1e-9) * sq->weights.of(table.rho_cold + sq->first))", "!(rho < (1.0 + 1e-6) * sq->weights.of(table.rho_cold + sq->first))", "pairs: (p, rho)'s one liquid state taken above the density at 273.15 K"),
    ("water/flash_pairs.cpp", "  return at.T + at.dT_drho / (2.0 * root) * (rho - 1.0 / if97::v1(p, at.T));", "  return at.T + at.dT_drho * (rho - 1.0 / if97::v1(p, at.T));", "pairs: (p, rho)'s liquid start stepped without the slope of its row coordinate"),
    ("water/flash_pairs.cpp", "      const double rho = out.rho_max[i] - g * g;", "      const double rho = out.rho_max[i] - g;", "pairs: (p, rho)'s liquid table's nodes at densities off their row coordinate"),
    ("water/flash_pairs.cpp", "  constexpr double above_sat = 0.01;  // MPa", "  constexpr double above_sat = -0.01;  // MPa", "pairs: (T, s)'s one liquid state taken down to the saturated liquid and below"),
    ("water/flash_pairs.cpp", "  t.q_lo = isotherm_table_T_lo;", "  t.q_lo = 273.15;", "pairs: (T, s)'s one liquid state taken about the density maximum"),
    ("water/flash_pairs.cpp", "  const double p0 = std::clamp(at.p + at.dp_drho * (s - if97::s1(at.p, T)), 1e-3, if97::p_max);", "  const double p0 = std::clamp(at.p, 1e-3, if97::p_max);", "pairs: (T, s)'s liquid start from the table not stepped"),
    ("water/flash_pairs.cpp", "      t.T_p[i][j][1] = p;  // MPa", "      t.T_p[i][j][1] = 1.1 * p;  // MPa", "pairs: (T, s)'s liquid table's pressures 10 % off"),
    ("water/flash_pairs.cpp", "!pt.reproduced && (pt.f < 0.0) != (p0.f < 0.0) && std::isfinite(pt.f)", "!pt.reproduced && (pt.f < 0.0) == (p0.f < 0.0) && std::isfinite(pt.f)", "pairs: two roots about an extremum split at a point on the ends' side of the target"),
    ("if97/region2.cpp", "const equation::parts g = equation::gamma<part_y, part_x | part_y>(p, T);", "const equation::parts g = equation::gamma<part_y, part_y>(p, T);", "region 2: the lean v, h and u without gamma^r_pi"),
    ("water/flash_pairs.cpp", "0.5 * (3.0 * t2 - 2.0 * t)}};", "0.5 * (3.0 * t2 - 2.2 * t)}};", "pairs: a slope weight of the steam grid's cubic"),
    ("water/flash_pairs.cpp", "  const double fw_x = q == quantity::s ? if97::R / x * fw_q : 0.0;", "  const double fw_x = 0.0;", "pairs: the steam grid's slope by rho of (rho, s) without the change of w"),
    ("water/flash_pairs.cpp", "c * (T * z + x * (dT_dx * z + T * dz_dx))", "c * (T * z + x * (dT_dx * z + 0.0 * T * dz_dx))", "pairs: the steam grid's slope of p by rho without the change of z"),
    ("water/flash_pairs.cpp", "constexpr double steam_step_max = 3e-8, steam_step_max_p = 1e-7;", "constexpr double steam_step_max = 3e-4, steam_step_max_p = 1e-3;", "pairs: the steam grid's step taken where it is large"),
    ("water/flash_pairs.cpp", "slope = (152.0 + t * (-144.0 + t * (96.0 - 28.0 * t)))", "slope = (152.0 + t * (-140.0 + t * (96.0 - 28.0 * t)))", "pairs: the slope of the steam grid's coordinate off"),
    ("water/flash_pairs.cpp", "t * (152.0 + t * (-72.0 + t * (32.0 - 7.0 * t))) * (1.0 / 105.0);", "t * (152.0 + t * (-72.0 + t * (32.0 - 6.0 * t))) * (1.0 / 105.0);", "pairs: the steam grid's coordinate not continuous where its pieces join"),
    ("water/flash_pairs.cpp", "std::bit_cast<double>((2046 - biased) << 52);", "std::bit_cast<double>((2045 - biased) << 52);", "pairs: the steam grid's coordinate's slope with 2^(1 - e) for 2^-e"),
    ("water/flash_pairs.cpp", "return std::ldexp(1.0 + t, static_cast<int>(e));", "return std::ldexp(1.0 + t, static_cast<int>(e) + 1);", "pairs: the steam grid's nodes an octave off the read's coordinate"),
    ("water/flash_pairs.cpp", "return polished_at(a, b, st.pr, newton_step_of(2, a, b, st.pr).dT) && verdict_of(st).next == 2;", "return verdict_of(st).next == 2;", "pairs: steam in one step kept without the whole evaluation's confirmation"),
    ("water/flash_pairs.cpp", "return q.value > dome_table(true).q_vapour_max[k] + bulge ? exit_kind::none", "return q.value > dome_table(true).q_liquid_max[k] + bulge ? exit_kind::none", "pairs: dense wet (rho, q) above 623.15 K's q' taken for dry"),
    ("water/flash_pairs.cpp", "        out.q[i][quantity_index(q)] = hi + (hi - lo);", "        out.q[i][quantity_index(q)] = lo - 1e3 * (hi - lo);", "pairs: region 3's q bounded too low next to B23, its states sent to region 2 first"),
    ("water/derivatives.cpp", "  return finite_positive(carried) ? want & ~heat_bit : want;", "  return !std::isnan(carried) ? want & ~heat_bit : want;", "derivatives: a state's cp or cv of 0 taken as carried"),
    ("water/derivatives.cpp", "  return finite_positive(carried) ? carried : evaluated;", "  return !std::isnan(carried) ? carried : evaluated;", "derivatives: a state's cp or cv of 0 over the evaluated one"),
    ("water/derivatives.cpp", "  h.cv = heat_capacity(h.cv, ph.cv);", "  h.cv = heat_capacity(h.cv, ph.cp);", "derivatives: region 3's cv taken from the state's cp"),
    ("if97/series.hpp", "    if constexpr (term_used<S, K>(Top - 1)) acc = acc + double2{S[Top - 1].n[2 * K], S[Top - 1].n[2 * K + 1]};", "    if constexpr (term_used<S, K>(Top)) acc = acc + double2{S[Top - 1].n[2 * K], S[Top - 1].n[2 * K + 1]};", "nested sums: a term's coefficient added where the term above it is used"),
    ("if97/series.hpp", "    if constexpr (S[Lo].j == 0) return acc;\n    else return acc * py[S[Lo].j];", "    if constexpr (S[Lo].j <= 0) return acc;\n    else return acc * py[S[Lo].j];", "nested sums: a group's negative lowest power of y left out"),
    ("water/derivatives.cpp", "  else if (volume(a)) out = {status::ok, 0.0};", "  else if (volume(a) && a > X) out = {status::ok, 0.0};", "derivatives: a volume at constant rho or v from the determinant's rounding"),
    ("water/derivatives.cpp", "return gibbs_slopes_at(region, p_MPa, st.T, ph.v, slopes_to_evaluate(want, ph), fast);", "return gibbs_slopes_at(region, p_MPa, st.T, ph.v, slopes_to_evaluate(want, st.vapour), fast);", "derivatives: the liquid's cp evaluated where the vapour lacks one"),
    ("water/derivatives.cpp", "  if constexpr (Reciprocal) return num * (1.0 / den);", "  if constexpr (Reciprocal) return num * (1.0 / (den + den * 1e-9));", "derivatives: the reciprocal of the ratio's denominator off by 1e-9"),
    ("water/derivatives.cpp", "    case H: return h.p_rho * v - h.p_T * (T * v2);", "    case H: return h.p_rho * v - h.p_T * (T * v);", "derivatives: (dh/drho)_T of region 3 with T v for T v^2"),
    ("water/derivatives.cpp", "const gibbs_point l = phase_point(st, st.liquid, ql), w", "const gibbs_point l = phase_point(st, st.vapour, ql), w", "derivatives: the saturated liquid's point from the vapour's values, for one derivative"),
    ("transport/conductivity.cpp", "constexpr double delta_chi_skip = Gamma0 * y_min_base * y_min_base;", "constexpr double delta_chi_skip = 4.0 * Gamma0 * y_min_base * y_min_base;", "conductivity: the enhancement skipped past the Delta chi of y_min"),
    ("transport/conductivity.cpp", "std::exp(-three_rho2 * y / (three_rho2 + y * y * y))", "std::exp(-three_rho2 * y / (three_rho2 + y * y))", "conductivity: y^3 as y^2 in the exponential of Z"),
    ("transport/conductivity.cpp", "return {mu, enhanced(r, in, mu).lambda};", "return {mu, enhanced(r, in, 1.001 * mu).lambda};", "states: the enhancement's viscosity not the state's"),
    ("water/state.cpp", "        transport::enhancement_evaluated(q.p, q.T, s.region)", "        transport::enhancement_evaluated(q.p, q.T, 5)", "states: no critical enhancement"),
    ("water/state.cpp", "  return ((0.0 * a) + ...) == 0.0;", "  return ((0.0 * a) + ...) != 1.0;", "states: the finiteness guard passes NaN and infinities"),
    ("water/flash_pairs.cpp", "return pr.p < (1.0 - 1e-3) * p_sat;", "return pr.p < p_sat;", "pairs: (T, h) and (T, s)'s one steam state taken up to the saturated vapour"),
    ("water/flash_pairs.cpp", "constexpr double above_sat = 0.05, above_b23 = 2.0, below_region5 = 1.0;  // K", "constexpr double above_sat = 0.0, above_b23 = 2.0, below_region5 = 1.0;  // K", "pairs: (p, rho)'s one steam state taken down to Tsat(p)"),
    ("water/flash_pairs.cpp", "constexpr double above_sat = 0.05, above_b23 = 2.0, below_region5 = 1.0;  // K", "constexpr double above_sat = 0.05, above_b23 = 0.0, below_region5 = 1.0;  // K", "pairs: (p, rho)'s one steam state taken down to B23, beside region 3"),
    ("water/flash_pairs.cpp", "constexpr double above_sat = 0.05, above_b23 = 2.0, below_region5 = 1.0;  // K", "constexpr double above_sat = 0.05, above_b23 = 2.0, below_region5 = 0.0;  // K", "pairs: (p, rho)'s one steam state taken up to 1073.15 K, beside region 5"),
    ("water/flash_pairs.cpp", "if (!(b23.f < -(b23_band * std::fmax(std::fabs(q.value), 1.0) + b23.f_error) &&", "if (!(b23.f < -(0.0 * std::fmax(std::fabs(q.value), 1.0) + b23.f_error) &&", "pairs: (T, h) and (T, s)'s one steam state taken within region 3's band about B23"),
    ("water/flash_pairs.cpp", "const double c2 = 3.0 * (fb - fa) - 2.0 * ma - mb,", "const double c2 = 3.0 * (fb - fa) - 2.0 * ma + mb,", "pairs: the steam table's cubic of Hermite with a wrong coefficient"),
    ("water/flash_pairs.cpp", "  double T = std::fmax(TZ, T_lo);", "  double T = TZ;", "pairs: (p, rho)'s steam start searched below the isobar's coldest steam"),
    ("water/flash_pairs.cpp", "c.slope[column_z][k] = kJ_per_MPa_m3 * (pr.v + p * pr.dv_dp) / RT;", "c.slope[column_z][k] = kJ_per_MPa_m3 * (pr.v - p * pr.dv_dp) / RT;", "pairs: the steam table's slope of Z with p of a wrong sign"),
    ("water/flash_pairs.cpp", "|| !sure(st.pr) || verdict_of(st).next != region)", "|| !(sure(st.pr) || true) || verdict_of(st).next != region)", "pairs: a shortcut's one state kept without its proof"),
    ("water/flash_pairs.cpp", "const double p = t.rho_sat[i] + (if97::p_max - t.rho_sat[i]) * j / rows;", "const double p = t.rho_sat[i] + (if97::p_max - t.rho_sat[i]) * (j + 0.5) / rows;", "pairs: (p, u)'s liquid table with its rows off their pressures"),
    ("water/flash_pairs.cpp", "step = at.dT_dq * (u - if97::properties1_volume_energy(p, T).u);", "step = at.dT_dq * (if97::properties1_volume_energy(p, T).u - u);", "pairs: (p, u)'s liquid start stepped the wrong way"),
    ("water/flash_pairs.cpp", "pr.p > (1.0 + 1e-6) * if97::psat(pr.T);", "pr.p > (1.0 - 1e-6) * if97::psat(pr.T);", "pairs: (p, u)'s liquid kept beside the saturated liquid"),
    ("water/flash_pairs.cpp", "const double w = t.rho_top[i] * j / rows, value = top + w * w;", "const double w = t.rho_top[i] * j / rows, value = top + w * t.rho_top[i];", "pairs: region 3's table of (T, h) and (T, s) with its nodes evenly in q, not in its row coordinate"),
    ("water/flash_pairs.cpp", "return above >= 0.0 ? liquid_table_start(table.t, *columns, std::sqrt(above)).T : nan;", "return above >= 0.0 ? liquid_table_start(table.t, *columns, above).T : nan;", "pairs: region 3's table of (T, h) and (T, s) read at q, not at its row coordinate"),
    ("water/flash_pairs.cpp", "if (n == 0 && count == nullptr) {", "if (n == 0) {", "pairs: the first state about an extremum taken at once also where the states are counted"),
    ("transport/conductivity.cpp", "return {y < y_min ? 0.0 : y, cp_bar};", "return {y, cp_bar};", "conductivity: Z kept below y_min (IAPWS R15-11 Eq. (23))"),
    ("water/derivatives.cpp", "const std::size_t bound = st.region == 4 ? quantity_count : X;", "const std::size_t bound = quantity_count;", "derivatives: x taken as a quantity of a single-phase state"),
    ("water/state.cpp", "q.v >= std::numeric_limits<double>::min()))", "q.v > 0.0))", "state: a subnormal v let through the guard"),
    ("transport/conductivity.cpp", "return {mu, with_enhancement(dilute_and_residual(r), 0.0).lambda};", "return {1.001 * mu, with_enhancement(dilute_and_residual(r), 0.0).lambda};", "transport: the viscosity of a state without the enhancement off by 1e-3"),
    ("water/flash_pairs.cpp", "  if (!one) return std::nullopt;", "", "pairs: a shortcut's state refused by the state's bounds returned as the failure, not left to the search"),
    ("water/state.cpp", "    st.liquid = st.vapour = undefined;", "", "state: the saturated phases of a two-phase state left unset where they are not asked"),
    ("if97/steam_gibbs.hpp", "const parts g = gamma<f | y, f | part_x | y | part_xy>(p, T);", "const parts g = gamma<f | y, f | part_x | y>(p, T);", "region 2: the lean step along a line without gamma^r_pitau"),
    ("water/flash_pairs.cpp", "case quantity::rho: return {(pr.v - 1.0 / b.value) / pr.dv_dT, 0.0};", "case quantity::rho: return {(pr.v - 1.0 / b.value) / pr.dv_dT * (pr.v * b.value), 0.0};", "pairs: (p, rho)'s step along region 2's isobar on rho, not on v"),
    ("water/flash_pairs.cpp", "default: return {0.0, (pr.h - b.value) / (kJ_per_MPa_m3 * (pr.v - pr.T * pr.dv_dT))};", "default: return {0.0, (pr.h - b.value) / (kJ_per_MPa_m3 * (pr.v - 0.9 * pr.T * pr.dv_dT))};", "pairs: (T, h)'s step along region 2's isotherm with (dh/dp)_T off"),
    ("water/flash_pairs.cpp", "case quantity::s: return {0.0, (pr.s - b.value) / (-kJ_per_MPa_m3 * pr.dv_dT)};", "case quantity::s: return {0.0, (pr.s - b.value) / (-kJ_per_MPa_m3 * pr.v / pr.T)};", "pairs: (T, s)'s step along region 2's isotherm with the ideal gas's (ds/dp)_T"),
    ("water/flash_pairs.cpp", "      t.lnp[i] = inside ? 0.5 * (lo + hi) : nan;", "      t.lnp[i] = inside ? 0.5 * (lo + hi) - 0.7 : nan;", "pairs: (T, h) split off h's minimum along region 1's isotherm"),
    ("water/flash_pairs.cpp", "  if (f_b.reproduced || f_b.f < 0.0) return out.n;", "  if (f_b.reproduced || f_b.f < 1e3) return out.n;", "pairs: (T, h) without the state above h's minimum"),
    ("water/flash_pairs.cpp", "static_cast<int>((T - dome_low.T_lo) / dome_T_step)", "static_cast<int>((T - dome_low.T_lo) / dome_T_step) + 1", "pairs: (T, h) below h' decided at the dome table's node above T"),
    ("water/flash_pairs.cpp", "          else if (f_end > 0.0) line.n = 2;", "          else if (f_end > 1e3) line.n = 2;", "pairs: (T, h) counted without the state above h's minimum"),
    ("water/flash_pairs.cpp", "std::copysign(std::sqrt(-fm.f / (f_end.f - fm.f)), dp)", "std::copysign(0.5 * std::sqrt(-fm.f / (f_end.f - fm.f)), dp)", "pairs: (T, h) beside h's minimum started halfway to the parabola's root"),
    ("water/flash_pairs.cpp", "    if (!(value_of(qq, sat.vapour.pr) - q.value > line.margin)) along_p(", "    if (!(value_of(qq, sat.vapour.pr) - q.value > -1e9)) along_p(", "pairs: (T, h), (T, s) region 2 passed over above q''"),
    ("water/derivatives.cpp", "      case 2: return -c1;", "      case 2: return c1;", "derivatives: the ratio's denominator where B is T, -C1 with its sign lost"),
    ("water/derivatives.cpp", "{ return k == P ? 1 : k == T_ ? 2 : 0; }", "{ return k == P ? 2 : k == T_ ? 1 : 0; }", "derivatives: p and T swapped as the natural variables of regions 1, 2 and 5"),
    ("water/derivatives.cpp", "{ return k == P ? 1 : k == T_ ? 2 : 0; }", "{ return k == P ? 1 : k == V ? 2 : 0; }", "derivatives: v taken as a natural variable of regions 1, 2 and 5 for T"),
    ("water/flash_pairs.cpp", "const target q{quantity::h, h_m + r * r * (h_a - h_m)};", "const target q{quantity::h, h_m + r * (h_a - h_m)};", "pairs: region 1's table of (T, h) below h's minimum with its rows in h, not in r"),
    ("water/flash_pairs.cpp", "    r = std::sqrt((h - h_m) / (h_a - h_m));", "    r = (h - h_m) / (h_a - h_m);", "pairs: (T, h) short of h's minimum placed in the table by h's fraction, not its root"),
    ("water/flash_pairs.cpp", "const double tabulated = h_branch_lnp(T, std::sqrt(-fm.f / (f_lo.f - fm.f)));", "const double tabulated = h_branch_lnp(T, std::sqrt(-fm.f / (f_lo.f - 0.9 * fm.f)));", "pairs: (T, h) below h's minimum placed in the table off its r"),
    ("water/flash_pairs.cpp", "line.first = had ? detail::single_result({1, at_root})", "line.first = had ? detail::single_result({2, at_root})", "pairs: (T, h)'s state below h's minimum kept from the search in the wrong region"),
    ("water/flash_pairs.cpp", "      *at_first = evaluate(1, T, std::exp(t));", "      *at_first = evaluate(1, T, std::exp(t) * (1.0 + 1e-9));", "pairs: (T, h)'s state below h's minimum kept from the search off its pressure"),
]


def run(cmd, cwd, timeout):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--only", help="comma-separated fault numbers (from 1)")
    parser.add_argument("--markdown", help="write the table to this file as well")
    args = parser.parse_args()
    build = pathlib.Path(args.build).resolve()
    chosen = [int(n) for n in args.only.split(",")] if args.only else range(1, len(FAULTS) + 1)

    for number, (name, old, new, _) in enumerate(FAULTS, 1):
        if (ROOT / name).read_text().count(old) != 1:
            sys.exit(f"fault {number}: '{old}' is not once in {name}; bring the list up to date")

    if run(["cmake", "--build", str(build), "-j2"], ROOT, 3600) != 0:
        sys.exit("the build without faults fails")
    if run(["ctest", "--test-dir", str(build), "-j2"], ROOT, 3600) != 0:
        sys.exit("the suite without faults fails")

    rows = []
    for number in chosen:
        name, old, new, what = FAULTS[number - 1]
        path = ROOT / name
        original = path.read_text()
        started = time.time()
        try:
            path.write_text(original.replace(old, new))
            if run(["cmake", "--build", str(build), "-j2"], ROOT, 3600) != 0:
                outcome = "does not build"
            else:
                caught = run(["ctest", "--test-dir", str(build), "-j2", "--timeout", "300"], ROOT, 3600) != 0
                outcome = "caught" if caught else "NOT CAUGHT"
        finally:
            path.write_text(original)
        rows.append(f"| {number} | {name} | {what} | {outcome} |")
        print(rows[-1], f"({time.time() - started:.0f} s)", flush=True)
    run(["cmake", "--build", str(build), "-j2"], ROOT, 3600)

    table = "\n".join(["| # | file | fault | outcome |", "|---|---|---|---|", *rows])
    caught = sum("| caught |" in row for row in rows)
    print(f"\n{table}\n\n{caught} of {len(rows)} faults caught")
    if args.markdown:
        pathlib.Path(args.markdown).write_text(f"{table}\n\n{caught} of {len(rows)} faults caught\n")


if __name__ == "__main__":
    main()
