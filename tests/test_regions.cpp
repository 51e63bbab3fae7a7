// The IF97 basic equations of regions 1, 2, 3 and 5: every operation against
// the release's verification states, and all of them against one another
// through exact thermodynamic relations at states spread over each region.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/ideal_gas.hpp"
#include "support/published_states.hpp"

namespace {

using operation = kvtest::region_operation;
using kvtest::ops_of;
using kvtest::region_ops;

TEST(Regions, ReproducePublishedValues) {
  for (const kvtest::published_state& st : kvtest::published_states) {
    const region_ops o = ops_of(st.region);
    const double v = st.region == 3 ? 1.0 / st.rho : 0.0;
    const auto at = [&](operation op) { return st.region == 3 ? op(&st.T, &v) : op(&st.p, &st.T); };
    const struct {
      const char* name;
      double got;
      const char* printed;
    } rows[] = {
        {st.region == 3 ? "p" : "v", at(o.pv), st.pv}, {"h", at(o.h), st.h},   {"u", at(o.u), st.u},
        {"s", at(o.s), st.s},                          {"cp", at(o.cp), st.cp}, {"cv", at(o.cv), st.cv},
        {"w", at(o.w), st.w},
        {"f", st.f == nullptr ? 0.0 : st.region == 3 ? IF97_FUG3(&st.p, &st.T, &v) : at(o.f), st.f},
    };
    for (const auto& r : rows) {
      if (r.printed == nullptr) continue;
      EXPECT_TRUE(kvtest::matches_printed(r.got, r.printed))
          << "region " << st.region << ", " << r.name << " at p = " << st.p << " MPa, T = " << st.T << " K"
          << (st.region == 3 ? ", rho = " : "") << (st.region == 3 ? std::to_string(st.rho) + " kg/m3" : "");
    }
  }
  // IF97_CP3 returns the fixed value 462218448918.886 kJ/(kg K) inside the
  // window about the critical point, |T - 647.096 K| <= 1e-6 K and
  // |rho - 322 kg/m3| <= 0.03 kg/m3: here near its corner.
  const double T = 647.0960009, v = 1.0 / 322.02;
  EXPECT_EQ(IF97_CP3(&T, &v), 462218448918.886) << "IF97_CP3 inside the critical window, T = 647.0960009 K, rho = 322.02";
}

// At the critical point delta = tau = 1, and Eq. (28) is the sum of the
// coefficients n2 to n40 of IAPWS-IF97 Table 30 (n1 ln delta vanishes): the
// region-3 fugacity there, ln f = phi + p v/(R T) - gamma0(540 K/T) with the
// ideal-gas part of Table 10, follows to 13 digits, and so every
// coefficient of Table 30 beyond the nine digits of the published values.
TEST(Regions, Region3FugacityAtTheCriticalPointFromTable30) {
  const double table30_n2_to_n40[] = {
      -0.15732845290239e2,  0.20944396974307e2,  -0.76867707878716e1, 0.26185947787954e1,  -0.28080781148620e1,
      0.12053369696517e1,   -0.84566812812502e-2, -0.12654315477714e1, -0.11524407806681e1, 0.88521043984318,
      -0.64207765181607,    0.38493460186671,    -0.85214708824206,   0.48972281541877e1,  -0.30502617256965e1,
      0.39420536879154e-1,  0.12558408424308,    -0.27999329698710,   0.13899799569460e1,  -0.20189915023570e1,
      -0.82147637173963e-2, -0.47596035734923,   0.43984074473500e-1, -0.44476435428739,   0.90572070719733,
      0.70522450087967,     0.10770512626332,    -0.32913623258954,   -0.50871062041158,   -0.22175400873096e-1,
      0.94260751665092e-1,  0.16436278447961,    -0.13503372241348e-1, -0.14834345352472e-1, 0.57922953628084e-3,
      0.32308904703711e-2,  0.80964802996215e-4, -0.16557679795037e-3, -0.44923899061815e-4,
  };
  long double phi = 0.0L, gamma0 = 0.0L;
  for (const double n : table30_n2_to_n40) phi += static_cast<long double>(n);
  const double p = 22.064, T = 647.096, v = 1.0 / 322.0;
  const auto T_l = static_cast<long double>(T), p_l = static_cast<long double>(p), v_l = static_cast<long double>(v);
  for (const kvtest::ideal_term& t : kvtest::table10)
    gamma0 += static_cast<long double>(t.n) * std::pow(540.0L / T_l, t.J);
  const double expected = static_cast<double>(std::exp(phi + 1e3L * p_l * v_l / (0.461526L * T_l) - gamma0));
  EXPECT_TRUE(kvtest::close_relative(IF97_FUG3(&p, &T, &v), expected, 1e-13))
      << "IF97_FUG3 at p = 22.064 MPa, T = 647.096 K, rho = 322 kg/m3";
}

// A central difference of f at x.
template <class F>
double diff(F f, double x, double dx) {
  return (f(x + dx) - f(x - dx)) / (2.0 * dx);
}

struct state {
  std::int64_t region;
  double a, b;  // (p MPa, T K), or in region 3 (T K, rho kg/m3)
};

// From 273.15 K to 2273.15 K and from 1 kPa to 100 MPa, near the saturation
// line and the region boundaries; (640 K, 322 kg/m3) lies inside the spinodal,
// where (dp/dv)_T > 0 and IF97_CP3 gives the magnitude of the relation.
const state relation_states[] = {
    {1, 0.01, 280},  {1, 3, 300},      {1, 80, 300},       {1, 100, 273.15},  {1, 1, 373},      {1, 3, 500},
    {1, 20, 600},    {1, 100, 620},    {2, 0.0005, 280},   {2, 0.0035, 300},  {2, 0.1, 400},    {2, 1, 500},
    {2, 5, 550},     {2, 10, 600},     {2, 15, 640},       {2, 30, 700},      {2, 60, 800},     {2, 100, 900},
    {2, 0.5, 1000},  {2, 80, 1073.15}, {3, 630, 600},      {3, 650, 500},     {3, 650, 200},    {3, 660, 322},
    {3, 700, 400},   {3, 750, 500},    {3, 800, 300},      {3, 860, 700},     {3, 640, 322},    {5, 0.5, 1500},
    {5, 30, 1500},   {5, 30, 2000},    {5, 0.01, 1100},    {5, 50, 2273.15},
};

struct relation {
  const char* what;
  double got, expected, tolerance;
};

constexpr double R = 0.461526;  // kJ/(kg K), IAPWS-IF97 Eq. (1)

// Gibbs energy g(p, T) (regions 1, 2, 5), p in MPa, dv/dp per kPa:
// u = h - p v, v = (dg/dp)_T, s = -(dg/dT)_p, cp = (dh/dT)_p, (dv/dp)_T,
// cv = cp + T (dv/dT)^2 / (dv/dp), w^2 = -v^2 / (dv/dp)_s, RT (d ln f/dp)_T = v.
std::vector<relation> gibbs_relations(const region_ops& o, double p, double T) {
  const auto at_T = [T](operation f) { return [f, T](double x) { return f(&x, &T); }; };
  const auto at_p = [p](operation f) { return [f, p](double x) { return f(&p, &x); }; };
  const auto g_p = [&](double x) { return o.h(&x, &T) - T * o.s(&x, &T); };
  const auto g_T = [&](double x) { return o.h(&p, &x) - x * o.s(&p, &x); };
  const auto lnf = [&](double x) { return std::log(o.f(&x, &T)); };
  const double v = o.pv(&p, &T), h = o.h(&p, &T), s = o.s(&p, &T), cp = o.cp(&p, &T);
  const double dp = 1e-4 * p, dT = 1e-5 * T;
  const double dvdT = diff(at_p(o.pv), T, dT);
  const double dvdp_diff = 1e-3 * diff(at_T(o.pv), p, dp);
  const double dvdp = o.dvdp != nullptr ? o.dvdp(&p, &T) : dvdp_diff;  // m3/(kg kPa)
  const double dvdp_s = 1e-3 * (dvdp + T * dvdT * dvdT / cp);
  std::vector<relation> r = {
      {"u = h - p v", o.u(&p, &T), h - 1e3 * p * v, 1e-13},
      {"v = (dg/dp)_T", 1e-3 * diff(g_p, p, dp), v, 1e-7},
      {"s = -(dg/dT)_p", -diff(g_T, T, dT), s, 1e-7},
      {"cp = (dh/dT)_p", diff(at_p(o.h), T, dT), cp, 1e-6},
      {"cv = cp + T (dv/dT)^2 / (dv/dp)", o.cv(&p, &T), cp + T * dvdT * dvdT / dvdp, 1e-6},
      {"w^2 = -v^2 / (dv/dp)_s", o.w(&p, &T), std::sqrt(-v * v / dvdp_s), 1e-6},
      {"RT (d ln f/dp)_T = v", 1e-3 * R * T * diff(lnf, p, dp), v, 1e-7},
  };
  if (o.dvdp != nullptr) r.push_back({"(dv/dp)_T", dvdp, dvdp_diff, 1e-6});
  return r;
}

// Helmholtz energy a(T, v) (region 3), p in kPa for the derivatives:
// h = u + p v, p = -(da/dv)_T, s = -(da/dT)_v, cv = (du/dT)_v, (dp/dv)_T,
// cp = cv - T (dp/dT)^2 / (dp/dv) as a magnitude, w^2 = -v^2 (dp/dv)_T cp/cv,
// and RT (d ln f/dp)_T = v along the isotherm, f at the state's pressure.
std::vector<relation> helmholtz_relations(double T, double v) {
  const auto p_v = [T](double x) { return 1e3 * IF97_P3(&T, &x); };
  const auto p_T = [v](double x) { return 1e3 * IF97_P3(&x, &v); };
  const auto a_v = [T](double x) { return IF97_U3(&T, &x) - T * IF97_S3(&T, &x); };
  const auto a_T = [v](double x) { return IF97_U3(&x, &v) - x * IF97_S3(&x, &v); };
  const auto u_T = [v](double x) { return IF97_U3(&x, &v); };
  const auto lnf = [T](double x) {
    const double p = IF97_P3(&T, &x);
    return std::log(IF97_FUG3(&p, &T, &x));
  };
  const double dv = 1e-6 * v, dT = 1e-5 * T;
  const double p = 1e3 * IF97_P3(&T, &v), cv = IF97_CV3(&T, &v), cp = IF97_CP3(&T, &v);
  const double dpdv = diff(p_v, v, dv), dpdT = diff(p_T, T, dT);
  std::vector<relation> r = {
      {"h = u + p v", IF97_H3(&T, &v), IF97_U3(&T, &v) + p * v, 1e-13},
      {"p = -(da/dv)_T", -diff(a_v, v, dv), p, 1e-7},
      {"s = -(da/dT)_v", -diff(a_T, T, dT), IF97_S3(&T, &v), 1e-7},
      {"cv = (du/dT)_v", diff(u_T, T, dT), cv, 1e-6},
      {"(dp/dv)_T", IF97_DPDV3(&T, &v), dpdv, 1e-6},
      {"cp = |cv - T (dp/dT)^2 / (dp/dv)|", cp, std::fabs(cv - T * dpdT * dpdT / dpdv), 1e-6},
      {"RT (d ln f/dp)_T = v", R * T * diff(lnf, v, dv) / dpdv, v, 1e-6},
  };
  if (dpdv < 0.0)
    r.push_back({"w^2 = -v^2 (dp/dv)_T cp/cv", IF97_W3(&T, &v), std::sqrt(-v * v * 1e3 * dpdv * cp / cv), 1e-6});
  return r;
}

TEST(Regions, ObeyThermodynamicRelations) {
  for (const state& st : relation_states) {
    const bool helmholtz = st.region == 3;
    const std::vector<relation> relations =
        helmholtz ? helmholtz_relations(st.a, 1.0 / st.b) : gibbs_relations(ops_of(st.region), st.a, st.b);
    for (const relation& r : relations)
      EXPECT_TRUE(kvtest::close_relative(r.got, r.expected, r.tolerance))
          << "region " << st.region << ", " << r.what << " at " << (helmholtz ? "T = " : "p = ") << st.a
          << (helmholtz ? " K, rho = " : " MPa, T = ") << st.b << (helmholtz ? " kg/m3" : " K");
  }
}

}  // namespace
