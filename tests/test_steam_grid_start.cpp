// Region 2's start of (rho, u), (rho, h), (rho, s) and (p, u) from the grids
// of steam in (ln(1 + rho / 3 kg/m3), w) and (ln(1 + p / 1 MPa), u): T and p
// within about 1e-7, so that the polish's first Newton step lands within
// rounding and the second evaluation confirms it. A grid whose nodes, cubics or ends are off still
// converges, in more steps or from the ideal gas's start: these rows count
// the steps, and the state must still be the one of (p, T).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/checks.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;

// States of (p, T) of region 2 on a 17 x 17 grid, p evenly spaced in ln p,
// and the most steps their pairs may take: one where every state's stencil
// lies on the grid's steam, more where a stencil reaches beyond region 2.
struct grid_row {
  const char* what;
  double p_lo, p_hi;  // MPa
  double T_lo, T_hi;  // K
  int most_steps, most_steps_s;  // of (rho, u), (rho, h) and (p, u); of (rho, s)
};

constexpr grid_row grid_rows[] = {
    // rho down to 1e-5 kg/m3: the column below rho = 0 extrapolated.
    {"thin steam", 1e-5, 1e-2, 350.0, 1070.0, 1, 1},
    {"steam", 1e-2, 10.0, 500.0, 1070.0, 1, 1},
    {"dense steam", 10.0, 100.0, 870.0, 1070.0, 2, 4},
    {"steam by 1073.15 K", 1e-3, 60.0, 1040.0, 1072.0, 1, 1},
    // Within a few node steps of the saturation line and of B23 the polish
    // may start from the ideal gas and its real gas.
    {"steam by B23", 20.0, 90.0, 700.0, 860.0, 4, 4},
    {"steam by the saturation line", 1e-3, 16.0, 280.0, 620.0, 3, 3},
    {"steam at B23 to 100 MPa", 60.0, 100.0, 800.0, 870.0, 6, 6},
};

TEST(SteamGridStart, Region2PolishesInOneStep) {
  for (const grid_row& r : grid_rows) {
    constexpr int n = 16;
    for (int i = 0; i <= n; ++i) {
      for (int j = 0; j <= n; ++j) {
        const double p = r.p_lo * std::pow(r.p_hi / r.p_lo, double(i) / n);
        const double T = r.T_lo + (r.T_hi - r.T_lo) * j / n;
        const w::result a = w::pT(1e6 * p, T);
        if (!a || a.state.region != 2) continue;
        const w::state& in = a.state;
        const char* names[] = {"rhou", "rhoh", "rhos", "pu"};
        for (int k = 0; k < 4; ++k) {
          const w::result g = k == 0   ? w::rhou(in.rho, in.u)
                              : k == 1 ? w::rhoh(in.rho, in.h)
                              : k == 2 ? w::rhos(in.rho, in.s)
                                       : w::pu(in.p, in.u);
          const int steps = w::detail::last_polish_steps(), most = k == 2 ? r.most_steps_s : r.most_steps;
          EXPECT_TRUE(g && g.state.region == 2 && std::fabs(g.state.T - T) <= 2e-12 * T &&
                      std::fabs(g.state.p - in.p) <= 1e-11 * in.p && steps <= most)
              << r.what << ": " << names[k] << " of p = " << digits(p) << " MPa, T = " << digits(T)
              << " K gave T = " << digits(g.state.T) << " K, p = " << digits(g.state.p) << " Pa, region "
              << g.state.region << " in " << steps << " steps; expected T within 2e-12, p within 1e-11, at most "
              << most << " steps";
        }
      }
    }
  }
}

}  // namespace
