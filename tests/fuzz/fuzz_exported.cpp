// libFuzzer target: the three exported routines with arbitrary doubles (NaN,
// +-Inf, subnormals, huge values) and arbitrary codes, regions, phases and
// flags; the input layout is in fuzz_input.hpp, and the seeds in
// tests/fuzz/corpus are written by make_corpus.cpp. An input fails (the target
// aborts, which libFuzzer reports as a crash) when a call
//   - takes more than 50 ms of thread CPU time on each of three attempts (a
//     call over 1 ms is counted and reported at exit, not failed: under the
//     sanitizers on a loaded machine a sound call has come within 1 % of it),
//   - reports a value that is not finite or the missing value, or leaves a
//     requested output unwritten, with error flag 0, or writes an output
//     nobody asked for,
//   - leaves a root flag set, calls the host's root search out of turn, hands
//     a search more pressures than its budget or starts more searches than
//     the routine has volumes to find.
// Crashes, hangs and sanitizer reports fail by themselves.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "adapter/kviapws97.h"
#include "host/host.h"
#include "host/standin/standin_host.hpp"
#include "tests/fuzz/fuzz_input.hpp"

namespace {

using kvfuzz::fuzz_call;
using kvfuzz::routine;

constexpr const char* routine_names[] = {"KVIAPWS_IF97PROP", "KVIAPWS_ES15D", "KVIAPWS_FDREGION"};

// The host calls these routines once per phase and property in every flash
// iteration: a call of 1 ms is already far slower than any host tolerates, so
// it is reported; only a call no load explains fails the run.
constexpr long slow_ns = 1'000'000;
constexpr long time_limit_ns = 50'000'000;
// CPU time still counts a page fault or a cache refill after a context
// switch, so a slow call is tried again and fails only if it is slow each time.
constexpr int attempts = 3;

// Root searches a call may start: a vapour's region-3 volume takes a
// vapour-like search and, when that finds no root, the liquid-like one; a
// liquid's takes a liquid-like search at each of at most two temperatures.
constexpr int max_searches[] = {0, 2, 2};

// What the caller had in the outputs before the call: a finite value that no
// routine returns, so that an output written or left alone can be told apart.
constexpr double untouched = 0.123456789012345;

// Printed at exit: how close the run came to the time limit.
struct timing_record {
  long calls = 0, repeated = 0, slow = 0;
  long slowest_ns = 0;  // of the fastest attempt of each call
  routine slowest_routine = routine::if97prop;
  double slowest_T = 0.0, slowest_P = 0.0;
};
timing_record timing;

void report_timing() {
  if (timing.calls == 0) return;
  std::fprintf(stderr,
               "kviapws97_fuzz: %ld calls, %ld repeated as slow, %ld over 1 ms, slowest %.1f us (%s at T %g K, P %g Pa)\n",
               timing.calls, timing.repeated, timing.slow, 1e-3 * static_cast<double>(timing.slowest_ns),
               routine_names[static_cast<int>(timing.slowest_routine)], timing.slowest_T, timing.slowest_P);
}

[[noreturn]] void fail(const fuzz_call& c, const char* what) {
  std::fprintf(stderr,
               "kviapws97_fuzz: %s: %s T %a P %a V %a phase %lld region %lld code %d saturation %lld fugacity mode "
               "%lld want %lld %lld %lld %lld %lld diagnostics %d\n",
               routine_names[static_cast<int>(c.called())], what, c.T, c.P, c.V, static_cast<long long>(c.phase),
               static_cast<long long>(c.region), static_cast<int>(c.code), static_cast<long long>(c.saturation),
               static_cast<long long>(c.fugacity_mode), static_cast<long long>(c.want[0]),
               static_cast<long long>(c.want[1]), static_cast<long long>(c.want[2]),
               static_cast<long long>(c.want[3]), static_cast<long long>(c.want[4]), c.diagnostics() ? 1 : 0);
  std::abort();
}

long thread_cpu_ns() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<long>(t.tv_sec) * 1'000'000'000L + t.tv_nsec;
}

// Runs `call` from the state `prepare` sets up until one attempt stays within
// the time limit; fails when none does.
template <class Prepare, class Call>
void run_timed(const fuzz_call& c, const Prepare& prepare, const Call& call) {
  long fastest = 0;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    prepare();
    const long start = thread_cpu_ns();
    call();
    const long ns = thread_cpu_ns() - start;
    fastest = attempt == 0 ? ns : std::min(fastest, ns);
    if (ns <= time_limit_ns) break;
    if (attempt == 0) ++timing.repeated;
  }
  ++timing.calls;
  if (fastest > slow_ns) ++timing.slow;
  if (fastest > timing.slowest_ns) {
    timing.slowest_ns = fastest;
    timing.slowest_routine = c.called();
    timing.slowest_T = c.T;
    timing.slowest_P = c.P;
  }
  if (fastest > time_limit_ns) fail(c, "slower than 50 ms on every attempt");
}

void prepare_host(const fuzz_call& c) {
  standin::reset();  // the stand-in records every warning; start each call afresh
  SYS_MSGCTL[56] = c.diagnostics() ? 1 : 0;
}

void check_root_search(const fuzz_call& c) {
  if (KVUTL_ROOTFL[0] != 0 || KVUTL_ROOTFL[1] != 0) fail(c, "a root flag is left set");
  if (standin::root_flag_errors() != 0) fail(c, "the root search was called out of turn or without its flag");
  const standin::root_search_counts n = standin::root_search_totals();
  if (n.searches > max_searches[static_cast<int>(c.called())]) fail(c, "more root searches than volumes to find");
  if (n.pressures > standin::evaluation_budget * n.searches) fail(c, "a root search went past its budget");
}

void fuzz_if97prop(const fuzz_call& c) {
  double result = untouched;
  std::int64_t error = -1;
  run_timed(
      c, [&] { prepare_host(c); },
      [&] { KVIAPWS_IF97PROP(&c.T, &c.P, &c.V, &c.code, &c.phase, &c.region, nullptr, &result, &error); });
  if (error == 0 && !std::isfinite(result)) fail(c, "a value that is not finite with error flag 0");
  if (error == 1 && result != SYS_RCONST[0]) fail(c, "a failure without the missing value");
  if (error != 0 && error != 1) fail(c, "an error flag other than 0 and 1");
}

void fuzz_es15d(const fuzz_call& c) {
  double out[5];
  std::int64_t error = -1;
  run_timed(
      c,
      [&] {
        prepare_host(c);
        for (double& o : out) o = untouched;
      },
      [&] {
        KVIAPWS_ES15D(&c.T, &c.P, nullptr, &c.phase, &c.saturation, &c.fugacity_mode, &c.want[0], &c.want[1],
                      &c.want[2], &c.want[3], &c.want[4], &out[0], &out[1], &out[2], &out[3], &out[4], &error);
      });
  if (error != 0 && error != 1) fail(c, "an error flag other than 0 and 1");
  for (int k = 0; k < 5; ++k) {
    if (c.want[k] == 0 && out[k] != untouched) fail(c, "an output written that was not asked for");
    if (error != 0) continue;
    // Outputs asked for with a flag other than 1 are left alone or, below
    // 273.15 K, extrapolated: finite either way.
    if (!std::isfinite(out[k])) fail(c, "an output that is not finite with error flag 0");
    if (c.want[k] == 1 && out[k] == untouched) fail(c, "a requested output left unwritten with error flag 0");
    if (c.want[k] == 1 && out[k] == SYS_RCONST[0]) fail(c, "the missing value with error flag 0");
  }
}

void fuzz_fdregion(const fuzz_call& c) {
  std::int64_t region = -1, error = -1;
  double T_used = untouched, P_used = untouched, volume = untouched;
  run_timed(
      c, [&] { prepare_host(c); },
      [&] { KVIAPWS_FDREGION(&c.T, &c.P, &c.phase, nullptr, &region, &T_used, &P_used, &volume, &error); });
  if (error != 0 && error != 1) fail(c, "an error flag other than 0 and 1");
  if (error != 0) return;
  if (region != 1 && region != 2 && region != 3 && region != 5) fail(c, "a region other than 1, 2, 3 and 5");
  if (!std::isfinite(T_used) || !std::isfinite(P_used) || !std::isfinite(volume))
    fail(c, "a state or volume that is not finite with error flag 0");
  if (T_used == SYS_RCONST[0] || P_used == SYS_RCONST[0] || volume == SYS_RCONST[0])
    fail(c, "the missing value with error flag 0");
}

// A process's first calls pay for its start (pages of code and data touched
// for the first time, the sanitizers' shadow memory): once before the run,
// every routine on a region-3 state and every property code in each region.
void warm_up() {
  const double T = 650.0, P = 25e6, V = 0.036;
  const std::int64_t liquid = 2, yes = 1, no = 0;
  double out[5];
  std::int64_t error = 0, region = 0;
  for (std::int64_t r = 1; r <= 5; ++r)
    for (std::int32_t code = 0; code <= 15; ++code)
      KVIAPWS_IF97PROP(&T, &P, &V, &code, &liquid, &r, nullptr, &out[0], &error);
  KVIAPWS_ES15D(&T, &P, nullptr, &liquid, &no, &yes, &yes, &yes, &yes, &yes, &yes, &out[0], &out[1], &out[2], &out[3],
                &out[4], &error);
  KVIAPWS_FDREGION(&T, &P, &liquid, nullptr, &region, &out[0], &out[1], &out[2], &error);
  standin::reset();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  standin::set_echo(false);
  warm_up();
  std::atexit(report_timing);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz_call c = kvfuzz::decode(data, size);
  switch (c.called()) {
    case routine::if97prop: fuzz_if97prop(c); break;
    case routine::es15d: fuzz_es15d(c); break;
    case routine::fdregion: fuzz_fdregion(c); break;
  }
  check_root_search(c);
  return 0;
}
