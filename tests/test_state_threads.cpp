// Eight threads running the state functions over the same inputs at once get
// a serial run's results bit for bit. The threads run first, so that what the
// functions set up on first use is set up under contention; .ci/run runs this
// under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <latch>
#include <thread>
#include <vector>

#include "support/checks.hpp"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;

struct input { w::result (*f)(double, double) noexcept; double a, b; };

TEST(StateThreads, EightThreadsGiveTheSerialResults) {
  // States of (p, T) over every region and two-phase states of (T, x), and
  // the flashes of (p, h), (p, s), (h, s) of each.
  std::vector<input> in;
  const auto add = [&in](w::result (*f)(double, double) noexcept, double a, double b) {
    const w::state& s = f(a, b).state;
    in.insert(in.end(), {{f, a, b}, {w::ph, s.p, s.h}, {w::ps, s.p, s.s}, {w::hs, s.h, s.s}});
  };
  for (int i = 0; i < 20; ++i) {
    for (double T = 280.0; T < 2273.0; T += 50.0) add(w::pT, 1e3 * std::pow(1e5, i / 19.0), T);  // 1 kPa to 100 MPa
  }
  for (double T = 273.16; T < 647.096; T += 1.5) {
    for (const double x : {0.0, 0.3, 1.0}) add(w::Tx, T, x);
  }
  // (h, x) and (s, x), whose samples of the saturation line are set up on
  // first use: by the threads.
  for (double T = 300.0; T < 647.0; T += 20.0) {
    const w::state& s = w::Tx(T, 0.4).state;
    in.push_back({[](double h, double x) noexcept { return w::hx(h, x); }, s.h, 0.4});
    in.push_back({[](double entropy, double x) noexcept { return w::sx(entropy, x); }, s.s, 0.4});
  }
  constexpr int n = 8;
  std::vector<std::vector<w::result>> got(n, std::vector<w::result>(in.size()));
  std::latch start(n);
  std::vector<std::thread> threads;
  for (int k = 0; k < n; ++k) {
    threads.emplace_back([&, k] {
      start.arrive_and_wait();
      for (std::size_t j = 0; j < in.size(); ++j) {  // each from its own offset
        const std::size_t i = (j + k * in.size() / n) % in.size();
        got[k][i] = in[i].f(in[i].a, in[i].b);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  static_assert(sizeof(w::state) == 37 * sizeof(double) + 2 * sizeof(int), "no padding in state");
  int mismatches = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const w::result serial = in[i].f(in[i].a, in[i].b);
    for (int k = 0; k < n; ++k) {
      // Bit for bit, so that NaNs compare equal to themselves.
      const w::result& r = got[k][i];
      const bool same = r.status == serial.status && !std::memcmp(&r.state, &serial.state, sizeof r.state);
      if (!same && ++mismatches <= 10)
        ADD_FAILURE() << "input " << i << " (" << kvtest::digits(in[i].a) << ", " << kvtest::digits(in[i].b)
                      << "), thread " << k << ": status " << static_cast<int>(r.status) << ", T = "
                      << kvtest::digits(r.state.T) << "; serial " << static_cast<int>(serial.status) << ", "
                      << kvtest::digits(serial.state.T);
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << in.size() << " inputs in " << n << " threads";
}

}  // namespace
