// The IF97_ operations that evaluate one piece of an equation, through their
// C names: each region-3 subregion equation of the supplementary release
// SR5-05 at a published state, and the parts of region 5's Gibbs free energy
// combined by the relations of IAPWS-IF97 Table 39 into the properties of
// IAPWS-IF97 Table 42.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/published_states.hpp"

namespace {

using operation = double (*)(const double*, const double*);

struct subregion_row {
  const char* name;
  operation equation;
  double p;             // MPa
  double T;             // K
  const char* printed;  // v, m3/kg
};

// SR5-05 Tables 5 (3a to 3t) and 13 (3u to 3z): the first state of each subregion.
const subregion_row subregion_rows[] = {
    {"IF97_V3A", IF97_V3A, 50, 630, "1.470853100e-3"},     {"IF97_V3B", IF97_V3B, 50, 710, "2.204728587e-3"},
    {"IF97_V3C", IF97_V3C, 20, 630, "1.761696406e-3"},     {"IF97_V3D", IF97_V3D, 26, 656, "2.245587720e-3"},
    {"IF97_V3E", IF97_V3E, 26, 661, "2.970225962e-3"},     {"IF97_V3F", IF97_V3F, 26, 671, "5.019029401e-3"},
    {"IF97_V3G", IF97_V3G, 23.6, 649, "2.163198378e-3"},   {"IF97_V3H", IF97_V3H, 23.6, 652, "2.651081407e-3"},
    {"IF97_V3I", IF97_V3I, 23.6, 653, "3.273916816e-3"},   {"IF97_V3J", IF97_V3J, 23.5, 655, "4.545001142e-3"},
    {"IF97_V3K", IF97_V3K, 23, 660, "6.109525997e-3"},     {"IF97_V3L", IF97_V3L, 22.6, 646, "2.117860851e-3"},
    {"IF97_V3M", IF97_V3M, 22.6, 648.6, "2.533063780e-3"}, {"IF97_V3N", IF97_V3N, 22.6, 649.0, "2.923432711e-3"},
    {"IF97_V3O", IF97_V3O, 22.6, 649.1, "3.131208996e-3"}, {"IF97_V3P", IF97_V3P, 22.6, 649.4, "3.715596186e-3"},
    {"IF97_V3Q", IF97_V3Q, 21.1, 640, "1.970999272e-3"},   {"IF97_V3R", IF97_V3R, 21.1, 644, "5.251009921e-3"},
    {"IF97_V3S", IF97_V3S, 19.1, 635, "1.932829079e-3"},   {"IF97_V3T", IF97_V3T, 17, 626, "8.483262001e-3"},
    {"IF97_V3U", IF97_V3U, 21.5, 644.6, "2.268366647e-3"}, {"IF97_V3V", IF97_V3V, 22.5, 648.6, "2.832373260e-3"},
    {"IF97_V3W", IF97_V3W, 22.15, 647.5, "3.694032281e-3"}, {"IF97_V3X", IF97_V3X, 22.11, 648, "4.528072649e-3"},
    {"IF97_V3Y", IF97_V3Y, 22, 646.84, "2.698354719e-3"},  {"IF97_V3Z", IF97_V3Z, 22, 646.89, "3.798732962e-3"},
};

TEST(Operations, SubregionEquationsReproduceSR505) {
  for (const subregion_row& r : subregion_rows) {
    EXPECT_TRUE(kvtest::matches_printed(r.equation(&r.p, &r.T), r.printed))
        << r.name << " at p = " << r.p << " MPa, T = " << r.T << " K";
  }
}

// IAPWS-IF97 Table 39 with R = 0.461526 kJ/(kg K), pi = p / 1 MPa and
// tau = 1000 K / T, each part taken from its own operation.
TEST(Operations, Region5PartsGiveTable42ByTable39) {
  constexpr double R = 0.461526;  // kJ/(kg K), IAPWS-IF97 Eq. (1)
  for (const kvtest::published_state& st : kvtest::published_states) {
    if (st.region != 5) continue;
    const double* p = &st.p;
    const double* T = &st.T;
    const double pi = st.p, tau = 1000.0 / st.T;
    const double g0 = IF97_G5_ID(p, T), g0_p = IF97_G5_ID_P(p, T), g0_t = IF97_G5_ID_T(p, T),
                 g0_tt = IF97_G5_ID_TT(p, T);
    const double gr = IF97_G5_RES(p, T), gr_p = IF97_G5_RES_P(p, T), gr_pp = IF97_G5_RES_PP(p, T),
                 gr_t = IF97_G5_RES_T(p, T), gr_tt = IF97_G5_RES_TT(p, T), gr_pt = IF97_G5_RES_PT(p, T);
    const double a = 1.0 + pi * gr_p - tau * pi * gr_pt;
    const double tt = tau * tau * (g0_tt + gr_tt);
    const struct {
      const char* relation;
      double got;
      const char* printed;
    } rows[] = {
        {"v = R T / p (pi (gamma0_pi + gamma^r_pi))", 1e-3 * R * st.T / st.p * pi * (g0_p + gr_p), st.pv},
        {"h = R T tau (gamma0_tau + gamma^r_tau)", R * st.T * tau * (g0_t + gr_t), st.h},
        {"u = R T (tau gamma_tau - pi gamma_pi)", R * st.T * (tau * (g0_t + gr_t) - pi * (g0_p + gr_p)), st.u},
        {"s = R (tau gamma_tau - gamma)", R * (tau * (g0_t + gr_t) - (g0 + gr)), st.s},
        {"cp = -R tau^2 gamma_tautau", -R * tt, st.cp},
        {"cv", R * (-tt - a * a / (1.0 - pi * pi * gr_pp)), st.cv},
        {"w", std::sqrt(1e3 * R * st.T * (1.0 + 2.0 * pi * gr_p + pi * pi * gr_p * gr_p) /
                        ((1.0 - pi * pi * gr_pp) + a * a / tt)),
         st.w},
        {"f = p exp(gamma^r)", st.p * std::exp(gr), st.f},
    };
    for (const auto& r : rows) {
      EXPECT_TRUE(kvtest::matches_printed(r.got, r.printed))
          << r.relation << " from the IF97_G5_ parts at p = " << st.p << " MPa, T = " << st.T << " K";
    }
  }
}

}  // namespace
