// The state functions that also form the named derivatives
// (water/derivatives.hpp): their state is the plain function's to the bit,
// and their record is derivatives_of(state) of that state to 1e-13 relative
// (region 3: 1e-12),
// over states of every region, the region boundaries and the two-phase
// region below and above 623.15 K, with the saturated phases themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "water/derivatives.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A flash with and without the record, at the inputs of a state.
struct flash {
  const char* name;
  std::function<w::result(const w::state&)> plain;
  std::function<w::result(const w::state&, w::derivatives&)> with;
  bool two_phase_only;
};

const flash flashes[] = {
    {"pT", [](const w::state& s) { return w::pT(s.p, s.T); },
     [](const w::state& s, w::derivatives& d) { return w::pT(s.p, s.T, d); }, false},
    {"ph", [](const w::state& s) { return w::ph(s.p, s.h); },
     [](const w::state& s, w::derivatives& d) { return w::ph(s.p, s.h, d); }, false},
    {"ps", [](const w::state& s) { return w::ps(s.p, s.s); },
     [](const w::state& s, w::derivatives& d) { return w::ps(s.p, s.s, d); }, false},
    {"hs", [](const w::state& s) { return w::hs(s.h, s.s); },
     [](const w::state& s, w::derivatives& d) { return w::hs(s.h, s.s, d); }, false},
    {"Tx", [](const w::state& s) { return w::Tx(s.T, s.x); },
     [](const w::state& s, w::derivatives& d) { return w::Tx(s.T, s.x, d); }, true},
    {"px", [](const w::state& s) { return w::px(s.p, s.x); },
     [](const w::state& s, w::derivatives& d) { return w::px(s.p, s.x, d); }, true},
};

// States of every region over a grid of (p, T), on and next to the region
// boundaries, and two-phase states at several x from 273.16 K up to 0.1 K
// below the critical point (region 3's saturated phases above 623.15 K).
std::vector<w::state> grid() {
  std::vector<w::state> out;
  const double p_MPa[] = {0.001, 0.1, 1.0, 3.0, 10.0, 16.5, 20.0, 22.064, 25.0, 40.0, 50.0, 70.0, 100.0};
  const double T_K[] = {273.16, 277.0, 300.0, 400.0, 500.0, 600.0, if97::T_region1_max, 630.0, 647.0, 650.0,
                        700.0, 800.0, 863.15, 1000.0, if97::T_region2_max, 1200.0, 1500.0, 2000.0, 2273.15};
  for (const double p : p_MPa)
    for (const double T : T_K)
      if (const w::result r = w::pT(1e6 * p, T)) out.push_back(r.state);
  const double Ts[] = {273.16, 300.0, 373.15, 450.0, 550.0, 620.0, if97::T_region1_max, 630.0, 640.0, 647.0};
  const double xs[] = {0.0, 0.01, 0.3, 0.7, 0.99, 1.0};
  for (const double T : Ts)
    for (const double x : xs)
      if (const w::result r = w::Tx(T, x)) out.push_back(r.state);
  return out;
}

std::string where(const char* flash, const w::state& s) {
  return std::string(flash) + " of the state p = " + digits(s.p) + " Pa, T = " + digits(s.T) + " K, x = " +
         digits(s.x) + ", region " + std::to_string(s.region);
}

// Every real of the record, with its name.
struct field {
  const char* name;
  double w::derivatives::*of;
};
const field fields[] = {
    {"cp", &w::derivatives::cp},
    {"cv", &w::derivatives::cv},
    {"w", &w::derivatives::w},
    {"alpha_v", &w::derivatives::alpha_v},
    {"kappa_T", &w::derivatives::kappa_T},
    {"isentropic_exponent", &w::derivatives::isentropic_exponent},
    {"dT_dp_h", &w::derivatives::dT_dp_h},
    {"dT_dh_p", &w::derivatives::dT_dh_p},
    {"drho_dp_h", &w::derivatives::drho_dp_h},
    {"drho_dh_p", &w::derivatives::drho_dh_p},
    {"dp_dT_rho", &w::derivatives::dp_dT_rho},
    {"dp_drho_T", &w::derivatives::dp_drho_T},
    {"dTsat_dp", &w::derivatives::dTsat_dp},
    {"drho_liquid_dp", &w::derivatives::drho_liquid_dp},
    {"drho_vapour_dp", &w::derivatives::drho_vapour_dp},
    {"dh_liquid_dp", &w::derivatives::dh_liquid_dp},
    {"dh_vapour_dp", &w::derivatives::dh_vapour_dp},
    {"dx_dp_h", &w::derivatives::dx_dp_h},
    {"dx_dh_p", &w::derivatives::dx_dh_p},
};

// Both NaN, or equal to tol of the larger magnitude.
bool agrees(double got, double wanted, double tol) {
  if (std::isnan(got) || std::isnan(wanted)) return std::isnan(got) && std::isnan(wanted);
  return std::fabs(got - wanted) <= tol * std::fmax(std::fabs(got), std::fabs(wanted));
}

// Regions 1, 2 and 5, and the saturated phases below 623.15 K, to 1e-13:
// the same slopes of the same evaluation. Region 3's record takes the
// pressure slopes from (dv/dp)_T and (dv/dT)_p and p from the state: the
// flash's p, which p(T, rho) reproduces to rounding (5e-13 relative seen
// at 22.064 MPa, 647 K), where derivatives_of(state) takes p(T, rho).
double tolerance_of(const w::state& s) {
  const bool region3 = s.region == 3 || (s.region == 4 && s.T > if97::T_region1_max);
  return region3 ? 1e-12 : 1e-13;
}

TEST(DerivativesWithTheFlash, RecordIsThatOfTheStateAndTheStateIsThePlainOne) {
  const std::vector<w::state> states = grid();
  ASSERT_GT(states.size(), 250u);
  int rows = 0, two_phase_rows = 0;
  for (const w::state& s : states)
    for (const flash& f : flashes) {
      if (f.two_phase_only && s.region != 4) continue;
      const w::result plain = f.plain(s);
      w::derivatives d;
      const w::result r = f.with(s, d);
      const std::string at = where(f.name, s);
      ASSERT_EQ(r.status, plain.status) << at;
      if (!plain) continue;
      // Bit for bit, NaNs included.
      EXPECT_EQ(std::memcmp(&r.state, &plain.state, sizeof(w::state)), 0) << at;
      EXPECT_EQ(r.metastable, plain.metastable) << at;
      const w::derivatives_result of_state = w::derivatives_of(r.state);
      const double tol = tolerance_of(r.state);
      ASSERT_EQ(of_state.status, w::status::ok) << at;
      for (const field& k : fields)
        EXPECT_TRUE(agrees(d.*k.of, of_state.d.*k.of, tol))
            << at << ": " << k.name << " got " << digits(d.*k.of) << ", expected " << digits(of_state.d.*k.of);
      for (int q = 0; q < w::quantity_count; ++q) {
        const std::size_t i = static_cast<std::size_t>(q);
        EXPECT_TRUE(agrees(d.natural.d1[i], of_state.d.natural.d1[i], tol))
            << at << ": gradient 1 of quantity " << q << " got " << digits(d.natural.d1[i]) << ", expected "
            << digits(of_state.d.natural.d1[i]);
        EXPECT_TRUE(agrees(d.natural.d2[i], of_state.d.natural.d2[i], tol))
            << at << ": gradient 2 of quantity " << q << " got " << digits(d.natural.d2[i]) << ", expected "
            << digits(of_state.d.natural.d2[i]);
      }
      ++rows;
      if (r.state.region == 4) ++two_phase_rows;
    }
  EXPECT_GT(rows, 1000);
  EXPECT_GT(two_phase_rows, 250);
}

// A flash that fails fails alike with the record, and leaves every real of
// the record NaN.
TEST(DerivativesWithTheFlash, FailuresLeaveTheRecordNaN) {
  struct bad {
    const char* what;
    std::function<w::result(w::derivatives&)> call;
    w::status wanted;
  };
  const bad table[] = {
      {"pT of NaN", [](w::derivatives& d) { return w::pT(nan, 300.0, d); }, w::status::not_finite},
      {"pT above 100 MPa", [](w::derivatives& d) { return w::pT(101e6, 300.0, d); }, w::status::pressure_above_100MPa},
      {"ph below h(p, 273.15 K)", [](w::derivatives& d) { return w::ph(1e6, -1e5, d); },
       w::status::enthalpy_below_min},
      {"ps of an infinite s", [](w::derivatives& d) { return w::ps(1e6, std::numeric_limits<double>::infinity(), d); }, w::status::not_finite},
      {"hs of no state", [](w::derivatives& d) { return w::hs(-1e6, 1e4, d); }, w::status::hs_out_of_range},
      {"Tx with x > 1", [](w::derivatives& d) { return w::Tx(400.0, 1.5, d); }, w::status::quality_out_of_range},
      {"Tx above T_c", [](w::derivatives& d) { return w::Tx(650.0, 0.5, d); }, w::status::above_critical},
      {"px below the triple point", [](w::derivatives& d) { return w::px(100.0, 0.5, d); }, w::status::below_triple},
  };
  for (const bad& b : table) {
    w::derivatives d;
    d.cp = 1.0;
    const w::result r = b.call(d);
    EXPECT_EQ(r.status, b.wanted) << b.what << ": got " << w::status_text(r.status);
    for (const field& k : fields) EXPECT_TRUE(std::isnan(d.*k.of)) << b.what << ": " << k.name;
    EXPECT_TRUE(std::isnan(d.natural.d1[0])) << b.what;
  }
}

// Through C: the state that kviapws97_ph fills and the record of the C++
// flash, field by field in the order of kviapws97_derivatives; a NULL
// pointer a status.
TEST(DerivativesWithTheFlash, ThroughC) {
  struct row {
    const char* what;
    double p, h;
  };
  const row table[] = {
      {"region 1", 1e6, 5e5}, {"region 2", 1e5, 3e6}, {"region 3", 25e6, 2.1e6}, {"two-phase", 1e6, 2e6},
      {"two-phase above 623.15 K", 20e6, 2e6}, {"no state", 1e6, -1e6},
  };
  for (const row& r : table) {
    kviapws97_state c, plain;
    kviapws97_derivatives cd;
    const int status = kviapws97_ph_derivatives(r.p, r.h, &c, &cd);
    EXPECT_EQ(status, kviapws97_ph(r.p, r.h, &plain)) << r.what;
    EXPECT_EQ(std::memcmp(&c, &plain, sizeof c), 0) << r.what;
    w::derivatives d;
    const w::result cpp = w::ph(r.p, r.h, d);
    EXPECT_EQ(status, static_cast<int>(cpp.status)) << r.what;
    const double got[] = {cd.cp,           cd.cv,          cd.w,          cd.alpha_v,        cd.kappa_T,
                          cd.isentropic_exponent, cd.dT_dp_h, cd.dT_dh_p, cd.drho_dp_h, cd.drho_dh_p,
                          cd.dp_dT_rho,    cd.dp_drho_T,   cd.dTsat_dp,   cd.drho_liquid_dp, cd.drho_vapour_dp,
                          cd.dh_liquid_dp, cd.dh_vapour_dp, cd.dx_dp_h,    cd.dx_dh_p};
    static_assert(sizeof got / sizeof got[0] == sizeof fields / sizeof fields[0]);
    for (std::size_t k = 0; k < sizeof fields / sizeof fields[0]; ++k) {
      const double wanted = d.*fields[k].of;
      EXPECT_TRUE(std::isnan(wanted) ? std::isnan(got[k]) : got[k] == wanted)
          << r.what << ": " << fields[k].name << " got " << digits(got[k]) << ", expected " << digits(wanted);
    }
  }
  kviapws97_state c;
  kviapws97_derivatives cd;
  EXPECT_NE(kviapws97_pT_derivatives(1e6, 300.0, nullptr, &cd), 0);
  EXPECT_NE(kviapws97_px_derivatives(1e6, 0.5, &c, nullptr), 0);
  EXPECT_EQ(kviapws97_Tx_derivatives(400.0, 0.5, &c, &cd), 0);
  EXPECT_TRUE(std::isfinite(cd.dTsat_dp));
}

}  // namespace
