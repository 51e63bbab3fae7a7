// ns per call of the backward equations T(p,h), T(p,s), v(p,h) and p(h,s) of
// regions 1, 2 and 3 and of Tsat(h,s), each over 1024 varied states whose
// (h, s) come from the basic equations at random (p, T).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <random>

#include "if97/backward12.hpp"
#include "if97/backward3.hpp"
#include "if97/backward_hs.hpp"
#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/saturation.hpp"
#include "states.hpp"

namespace {

using kvbench::state;
using kvbench::state_count;
using kvbench::states;

// Region 1: T from 273.15 to 623.15 K, p from psat(T) to 100 MPa.
template <class Make>
states region1(Make make) {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> T_of(273.15, 623.15), u(0.0, 1.0);
  states out{};
  for (state& s : out) {
    const double T = T_of(rng);
    const double p_sat = if97::psat(T);
    s = make(p_sat + (100.0 - p_sat) * u(rng), T);
  }
  return out;
}

// Stable region 2, T from 273.15 to 1073.15 K and p uniform in ln p from
// 1 kPa to psat(T), pB23(T) or 100 MPa, with a third of the states in each
// subregion that `which` assigns: the three equations in turns that no
// predictor learns.
template <class Make, class Which>
states region2(Make make, Which which) {
  std::mt19937_64 rng(2);
  std::uniform_real_distribution<double> T_of(273.15, 1073.15), u(0.0, 1.0);
  std::array<std::size_t, 3> count{};
  states out{};
  std::size_t n = 0;
  while (n < state_count) {
    const double T = T_of(rng);
    const double p_max = T <= if97::T_region1_max ? if97::psat(T) : T <= if97::T_b23_max ? if97::pb23(T) : 100.0;
    const double p = 0.001 * std::pow(p_max / 0.001, u(rng));
    const state s = make(p, T);
    const auto k = static_cast<std::size_t>(which(p, s));
    if (p >= p_max || count[k] >= (state_count + 2 - k) / 3) continue;
    ++count[k];
    out[n++] = s;
  }
  std::shuffle(out.begin(), out.end(), rng);
  return out;
}

// Region 3: 623.15 to 863.15 K, pB23(T) to 100 MPa, at the volume of the
// SR5-05 backward equation.
template <class Make>
states region3(Make make) {
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> T_of(if97::T_region1_max, if97::T_b23_max), u(0.0, 1.0);
  states out{};
  for (state& s : out) {
    const double T = T_of(rng);
    const double p_b23 = if97::pb23(T);
    const double p = p_b23 + (100.0 - p_b23) * u(rng);
    s = make(p, T, if97::v3pt(p, T));
  }
  return out;
}

// Two-phase states from 273.16 to 623.15 K at any vapour fraction, kept where
// s >= s''(623.15 K), the range of Tsat(h,s).
states two_phase() {
  std::mt19937_64 rng(4);
  std::uniform_real_distribution<double> T_of(273.16, if97::T_region1_max), x_of(0.0, 1.0);
  states out{};
  for (state& s : out) {
    do {
      const double T = T_of(rng);
      const double x = x_of(rng);
      const double p = if97::psat(T);
      const double h = if97::h1(p, T) + x * (if97::h2(p, T) - if97::h1(p, T));
      s = {h, if97::s1(p, T) + x * (if97::s2(p, T) - if97::s1(p, T))};
    } while (s.b < if97::s_vapour_623);
  }
  return out;
}

const states region1_ph = region1([](double p, double T) { return state{p, if97::h1(p, T)}; });
const states region1_ps = region1([](double p, double T) { return state{p, if97::s1(p, T)}; });
const states region2_ph = region2([](double p, double T) { return state{p, if97::h2(p, T)}; },
                                  [](double p, state s) { return if97::subregion2_ph(p, s.b); });
const states region2_ps = region2([](double p, double T) { return state{p, if97::s2(p, T)}; },
                                  [](double p, state s) { return if97::subregion2_ps(p, s.b); });
const states region2_hs = region2([](double p, double T) { return state{if97::h2(p, T), if97::s2(p, T)}; },
                                  [](double, state s) { return if97::subregion2_hs(s.a, s.b); });
const states region3_ph = region3([](double p, double T, double v) { return state{p, if97::h3(T, v)}; });
const states region3_hs = region3([](double, double T, double v) { return state{if97::h3(T, v), if97::s3(T, v)}; });
const states mixture_hs = two_phase();

void backward(benchmark::State& st, double (*f)(double, double), const states* at) {
  kvbench::cycle(st, [&](std::size_t k) { return f((*at)[k].a, (*at)[k].b); });
}

BENCHMARK_CAPTURE(backward, T1_ph, if97::T1_ph, &region1_ph);
BENCHMARK_CAPTURE(backward, T1_ps, if97::T1_ps, &region1_ps);
BENCHMARK_CAPTURE(backward, T2_ph 2a 2b 2c, if97::T2_ph, &region2_ph);
BENCHMARK_CAPTURE(backward, T2_ps 2a 2b 2c, if97::T2_ps, &region2_ps);
BENCHMARK_CAPTURE(backward, T3_ph, if97::T3_ph, &region3_ph);
BENCHMARK_CAPTURE(backward, v3_ph, if97::v3_ph, &region3_ph);
BENCHMARK_CAPTURE(backward, p2_hs 2a 2b 2c, if97::p2_hs, &region2_hs);
BENCHMARK_CAPTURE(backward, p3_hs, if97::p3_hs, &region3_hs);
BENCHMARK_CAPTURE(backward, Tsat_hs, if97::Tsat_hs, &mixture_hs);

}  // namespace

BENCHMARK_MAIN();
