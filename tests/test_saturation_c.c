/* The saturated phases through C (kviapws97/water.h), checked against what C
 * can know without them: the saturation pressure and temperature published
 * in IAPWS-IF97 Tables 35 and 36, the single phase of kviapws97_pT just
 * below and above the saturation pressure, and the invariants of a state.
 * A failing row prints its input, what it got and what it expected. */
#include <math.h>
#include <stdio.h>

#include <kviapws97/water.h>

static int failures = 0;

static void expect(int ok, const char* row, const char* what, double got, double want) {
  if (ok) return;
  ++failures;
  printf("FAIL %s: %s: got %.17g, expected %.17g\n", row, what, got, want);
}

static int close_to(double got, double want, double tolerance) { return fabs(got - want) <= tolerance; }

/* Invariants of a single phase on the line: finite, x NaN, rho v = 1, u = h - p v, its phase and region. */
static void check_phase(const char* row, const kviapws97_state* s, int phase, int region) {
  const double values[] = {s->p, s->T, s->rho, s->v, s->h, s->s, s->u, s->cp, s->cv, s->w, s->mu, s->lambda};
  for (unsigned i = 0; i < sizeof values / sizeof values[0]; ++i) expect(isfinite(values[i]), row, "a finite value", values[i], 0.0);
  expect(isnan(s->x), row, "x of a single phase is NaN", s->x, nan(""));
  expect(s->phase == phase, row, "phase", s->phase, phase);
  expect(s->region == region, row, "region", s->region, region);
  expect(close_to(s->rho * s->v, 1.0, 1e-15), row, "rho v", s->rho * s->v, 1.0);
  expect(close_to(s->u, s->h - s->p * s->v, 1e-9 * fabs(s->h) + 1e-9), row, "u = h - p v", s->u, s->h - s->p * s->v);
}

/* The saturated liquid is pT just above psat; the vapour just below, to the rounding of a step of 1e-9 psat. */
static void check_against_pT(const char* row, const kviapws97_state* liquid, const kviapws97_state* vapour) {
  kviapws97_state above, below;
  kviapws97_pT(liquid->p * (1 + 1e-9), liquid->T, &above);
  kviapws97_pT(liquid->p * (1 - 1e-9), liquid->T, &below);
  expect(close_to(liquid->h, above.h, 1e-6 * fabs(above.h) + 1e-3), row, "h' against pT above psat", liquid->h, above.h);
  expect(close_to(liquid->cp, above.cp, 1e-5 * above.cp), row, "cp' against pT above psat", liquid->cp, above.cp);
  expect(close_to(vapour->h, below.h, 1e-6 * below.h), row, "h\" against pT below psat", vapour->h, below.h);
  expect(close_to(vapour->rho, below.rho, 1e-5 * below.rho), row, "rho\" against pT below psat", vapour->rho, below.rho);
  expect(liquid->rho > vapour->rho, row, "the liquid denser than the vapour", liquid->rho, vapour->rho);
}

int main(void) {
  /* IAPWS-IF97 Table 35: psat(T), MPa; Table 36: Tsat(p), K. Regions of the phases by 623.15 K. */
  const struct {
    double T, p_MPa;
    int liquid_region, vapour_region;
  } by_T[] = {{300.0, 0.353658941e-2, 1, 2}, {500.0, 0.263889776e1, 1, 2}, {600.0, 0.123443146e2, 1, 2}};
  const struct {
    double p_MPa, T;
    int liquid_region, vapour_region;
  } by_p[] = {{0.1, 0.372755919e3, 1, 2}, {1.0, 0.453035632e3, 1, 2}, {10.0, 0.584149488e3, 1, 2}};
  char row[96];
  for (unsigned i = 0; i < sizeof by_T / sizeof by_T[0]; ++i) {
    kviapws97_state liquid, vapour;
    snprintf(row, sizeof row, "kviapws97_saturation_T(%g K)", by_T[i].T);
    expect(kviapws97_saturation_T(by_T[i].T, &liquid, &vapour) == 0, row, "status", 1, 0);
    expect(close_to(liquid.p, 1e6 * by_T[i].p_MPa, 0.5e-8 * 1e6 * by_T[i].p_MPa), row, "p", liquid.p, 1e6 * by_T[i].p_MPa);
    expect(liquid.p == vapour.p && liquid.T == vapour.T, row, "one p and T", vapour.T, liquid.T);
    expect(close_to(liquid.T, by_T[i].T, 1e-12 * by_T[i].T), row, "T", liquid.T, by_T[i].T);
    check_phase(row, &liquid, 0, by_T[i].liquid_region);
    check_phase(row, &vapour, 1, by_T[i].vapour_region);
    check_against_pT(row, &liquid, &vapour);
  }
  for (unsigned i = 0; i < sizeof by_p / sizeof by_p[0]; ++i) {
    kviapws97_state liquid, vapour;
    snprintf(row, sizeof row, "kviapws97_saturation_p(%g MPa)", by_p[i].p_MPa);
    expect(kviapws97_saturation_p(1e6 * by_p[i].p_MPa, &liquid, &vapour) == 0, row, "status", 1, 0);
    expect(close_to(liquid.T, by_p[i].T, 0.5e-6), row, "T", liquid.T, by_p[i].T);
    expect(liquid.p == vapour.p && liquid.T == vapour.T, row, "one p and T", vapour.T, liquid.T);
    check_phase(row, &liquid, 0, by_p[i].liquid_region);
    check_phase(row, &vapour, 1, by_p[i].vapour_region);
    check_against_pT(row, &liquid, &vapour);
  }
  /* Above 623.15 K both phases are region 3's, the liquid denser than the critical density. */
  {
    kviapws97_state liquid, vapour;
    expect(kviapws97_saturation_T(640.0, &liquid, &vapour) == 0, "kviapws97_saturation_T(640 K)", "status", 1, 0);
    check_phase("kviapws97_saturation_T(640 K)", &liquid, 0, 3);
    check_phase("kviapws97_saturation_T(640 K)", &vapour, 1, 3);
    expect(liquid.rho > 322.0 && vapour.rho < 322.0, "kviapws97_saturation_T(640 K)", "rho' above, rho\" below 322 kg/m3", liquid.rho, vapour.rho);
  }
  /* No saturated state: a status with its text, and both states NaN. */
  const struct {
    int by_T;
    double value;
  } refused[] = {{1, 273.0}, {1, 647.2}, {1, nan("")}, {0, 0.0}, {0, 23e6}, {0, -1.0}, {0, HUGE_VAL}};
  for (unsigned i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
    kviapws97_state liquid, vapour;
    snprintf(row, sizeof row, "kviapws97_saturation_%s(%g)", refused[i].by_T ? "T" : "p", refused[i].value);
    const int status = refused[i].by_T ? kviapws97_saturation_T(refused[i].value, &liquid, &vapour)
                                       : kviapws97_saturation_p(refused[i].value, &liquid, &vapour);
    expect(status != 0, row, "a failure's status", status, 1);
    expect(isnan(liquid.h) && isnan(vapour.h) && isnan(liquid.p) && isnan(vapour.T), row, "NaN states", liquid.h, nan(""));
    if (status != 0) printf("%s: %s\n", row, kviapws97_error_text(status));
  }
  if (failures) printf("%d check(s) failed\n", failures);
  return failures ? 1 : 0;
}
