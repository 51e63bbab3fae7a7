// The IF97_ operations that evaluate one piece of an equation, through their
// C names: each region-3 subregion equation of the supplementary release
// SR5-05 at a published state, and the parts of region 5's Gibbs free energy
// combined by the relations of IAPWS-IF97 Table 39 into the properties of
// IAPWS-IF97 Table 42.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/published_states.hpp"
#include "support/published_values.hpp"

namespace {

using operation = double (*)(const double*, const double*);

// The C name of each subregion's equation, 3a to 3z.
const operation subregion_equations[] = {
    IF97_V3A, IF97_V3B, IF97_V3C, IF97_V3D, IF97_V3E, IF97_V3F, IF97_V3G, IF97_V3H, IF97_V3I,
    IF97_V3J, IF97_V3K, IF97_V3L, IF97_V3M, IF97_V3N, IF97_V3O, IF97_V3P, IF97_V3Q, IF97_V3R,
    IF97_V3S, IF97_V3T, IF97_V3U, IF97_V3V, IF97_V3W, IF97_V3X, IF97_V3Y, IF97_V3Z,
};

// SR5-05 Tables 5 (3a to 3t) and 13 (3u to 3z), two states per subregion in
// order, through the C name of the subregion's equation.
TEST(Operations, SubregionEquationsReproduceSR505) {
  ASSERT_EQ(std::size(kvtest::sr5_05_tables5_13), 2 * std::size(subregion_equations));
  for (std::size_t k = 0; k < std::size(kvtest::sr5_05_tables5_13); ++k) {
    const kvtest::sr5_row& r = kvtest::sr5_05_tables5_13[k];
    EXPECT_TRUE(kvtest::close_relative(subregion_equations[k / 2](&r.p, &r.T), kvtest::parse_printed(r.printed).value,
                                       kvtest::sr5_05_tolerance))
        << "IF97_V3" << static_cast<char>('A' + k / 2) << " (" << r.subregion << ") at p = " << r.p
        << " MPa, T = " << r.T << " K";
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
