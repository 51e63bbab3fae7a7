// IAPWS-IF97 region 2 against the release's verification values, and the
// operations against each other through exact thermodynamic relations over
// the whole region.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/published_pT.hpp"

namespace {

using operation = double (*)(const double*, const double*);

// IAPWS-IF97 Table 15, and cv, fugacity and (dv/dp)_T at the same states.
// f(30 MPa, 700 K), quoted to nine digits as 20.0459845, is that rounding of
// the ten-digit 20.04598445; the equation gives 20.0459844482, which lies
// 2e-10 MPa outside half a unit of the ninth digit, so the row keeps ten.
const kvtest::published_pT_row region2_rows[] = {
    {"v", IF97_V2, 0.0035, 300, "0.394913866e2"},   {"h", IF97_H2, 0.0035, 300, "0.254991145e4"},
    {"u", IF97_U2, 0.0035, 300, "0.241169160e4"},   {"s", IF97_S2, 0.0035, 300, "0.852238967e1"},
    {"cp", IF97_CP2, 0.0035, 300, "0.191300162e1"}, {"w", IF97_W2, 0.0035, 300, "0.427920172e3"},
    {"v", IF97_V2, 0.0035, 700, "0.923015898e2"},   {"h", IF97_H2, 0.0035, 700, "0.333568375e4"},
    {"u", IF97_U2, 0.0035, 700, "0.301262819e4"},   {"s", IF97_S2, 0.0035, 700, "0.101749996e2"},
    {"cp", IF97_CP2, 0.0035, 700, "0.208141274e1"}, {"w", IF97_W2, 0.0035, 700, "0.644289068e3"},
    {"v", IF97_V2, 30, 700, "0.542946619e-2"},      {"h", IF97_H2, 30, 700, "0.263149474e4"},
    {"u", IF97_U2, 30, 700, "0.246861076e4"},       {"s", IF97_S2, 30, 700, "0.517540298e1"},
    {"cp", IF97_CP2, 30, 700, "0.103505092e2"},     {"w", IF97_W2, 30, 700, "0.480386523e3"},
    {"cv", IF97_CV2, 0.0035, 300, "1.44132662"},    {"cv", IF97_CV2, 0.0035, 700, "1.61978333"},
    {"cv", IF97_CV2, 30, 700, "2.97553837"},        {"f", IF97_FUG2, 0.0035, 300, "0.00349413548"},
    {"f", IF97_FUG2, 30, 700, "20.04598445"},        {"dv/dp", IF97_DVDP2, 30, 700, "-4.4435370e-7"},
};

TEST(Region2, ReproducesPublishedValues) {
  kvtest::expect_published(region2_rows);
}

// Derivatives by central differences of the operations themselves.
double d_dT(operation f, double p, double T, double dT) {
  const double up = T + dT, down = T - dT;
  return (f(&p, &up) - f(&p, &down)) / (up - down);
}
double d_dp(operation f, double p, double T, double dp) {
  const double up = p + dp, down = p - dp;
  return (f(&up, &T) - f(&down, &T)) / (up - down);
}

// The specific Gibbs energy g = h - T s, kJ/kg.
double gibbs2(const double* p, const double* T) { return IF97_H2(p, T) - *T * IF97_S2(p, T); }

// Published values test three states; these relations test every operation
// at vapour states spread over region 2, from near saturation to 1073 K and
// from 1 kPa to 100 MPa. Each holds for any Gibbs function, so a wrong
// derivative table or relation shows even where no value is published:
// v = (dg/dp)_T, cp = (dh/dT)_p, (dv/dp)_T by differences, u = h - p v, and
// cv and w from cp, v and the derivatives of v (per kPa: p in MPa times 1e3).
struct vapour_state {
  double p;  // MPa
  double T;  // K
};
const vapour_state vapour_states[] = {
    {0.0005, 280}, {0.0035, 300}, {0.1, 400}, {1, 500}, {5, 550}, {10, 600},
    {15, 640},    {30, 700},     {60, 800},  {100, 900}, {0.5, 1000}, {80, 1073.15},
};

TEST(Region2, ObeysThermodynamicRelations) {
  for (const vapour_state& st : vapour_states) {
    const double p = st.p, T = st.T;
    const double v = IF97_V2(&p, &T), h = IF97_H2(&p, &T), cp = IF97_CP2(&p, &T);
    const double dvdp = IF97_DVDP2(&p, &T);  // m3/(kg kPa)
    const double dT = 1e-5 * T;
    const double dvdT = d_dT(IF97_V2, p, T, dT);
    const double dp = 1e-5 * p;
    SCOPED_TRACE(testing::Message() << "p = " << p << " MPa, T = " << T << " K");

    EXPECT_TRUE(kvtest::close_relative(IF97_U2(&p, &T), h - 1e3 * p * v, 1e-13));
    EXPECT_TRUE(kvtest::close_relative(1e-3 * d_dp(gibbs2, p, T, dp), v, 1e-7));
    EXPECT_TRUE(kvtest::close_relative(d_dT(IF97_H2, p, T, dT), cp, 1e-6));
    EXPECT_TRUE(kvtest::close_relative(1e-3 * d_dp(IF97_V2, p, T, dp), dvdp, 1e-6));
    // cv = cp + T (dv/dT)^2 / (dv/dp), in kJ/(kg K) with dv/dp per kPa.
    EXPECT_TRUE(kvtest::close_relative(IF97_CV2(&p, &T), cp + T * dvdT * dvdT / dvdp, 1e-6));
    // w^2 = -v^2 / (dv/dp)_s, (dv/dp)_s = (dv/dp)_T + T (dv/dT)^2 / cp; in SI.
    const double dvdp_s = 1e-3 * (dvdp + T * dvdT * dvdT / cp);
    EXPECT_TRUE(kvtest::close_relative(IF97_W2(&p, &T), std::sqrt(-v * v / dvdp_s), 1e-6));
  }
}

}  // namespace
