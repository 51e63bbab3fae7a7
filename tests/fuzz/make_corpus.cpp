// Writes the fuzz target's seed corpus: one file per call, named after what
// it exercises. The committed corpus in tests/fuzz/corpus is this program's
// output, and the test fuzz_corpus_matches_its_generator keeps it so; after a
// change to the cases or to the input layout, regenerate it with
//   rm -r tests/fuzz/corpus && <build>/tests/kviapws97_fuzz_corpus tests/fuzz/corpus
//
// The seeds are the states where the library changes its course: every IF97
// region and the saturation line, the critical point, the region boundaries
// at 623.15 K, on the B23 line, at 1073.15 K and 2273.15 K, below 273.15 K
// and above the pressure bounds, with every property code, phase, saturation
// request and fugacity mode, and values that are no state at all.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_input.hpp"

namespace {

using kvfuzz::fuzz_call;
using kvfuzz::routine;

constexpr double M = 18.0152;  // kg/kmol
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr std::int64_t i64_min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t i64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t i32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t i32_max = std::numeric_limits<std::int32_t>::max();

struct odd_value {
  const char* name;
  double value;
};
const odd_value odd_values[] = {
    {"nan", std::numeric_limits<double>::quiet_NaN()},
    {"inf", inf},
    {"-inf", -inf},
    {"zero", 0.0},
    {"-1", -1.0},
    {"subnormal", std::numeric_limits<double>::denorm_min()},
    {"huge", std::numeric_limits<double>::max()},
};

struct seed {
  std::string name;
  fuzz_call call;
};

std::vector<seed> seeds;

void add(const std::string& name, const fuzz_call& c) { seeds.push_back({name, c}); }

// KVIAPWS_IF97PROP: a state (T K, P Pa, V m3/kmol) of one region.
struct prop_state {
  const char* name;
  double T, P, V;
  std::int64_t region, phase;
};

fuzz_call prop(const prop_state& s, std::int32_t code) {
  fuzz_call c;
  c.which = static_cast<std::uint8_t>(routine::if97prop);
  c.T = s.T;
  c.P = s.P;
  c.V = s.V;
  c.region = s.region;
  c.phase = s.phase;
  c.code = code;
  return c;
}

// KVIAPWS_ES15D and KVIAPWS_FDREGION: a caller's (T K, P Pa).
struct eos_state {
  const char* name;
  double T, P;
};

fuzz_call es15d(const eos_state& s, std::int64_t phase, std::int64_t saturation = 0, std::int64_t fugacity_mode = 1,
                std::int64_t want = 1) {
  fuzz_call c;
  c.which = static_cast<std::uint8_t>(routine::es15d);
  c.options = 1;
  c.T = s.T;
  c.P = s.P;
  c.phase = phase;
  c.saturation = saturation;
  c.fugacity_mode = fugacity_mode;
  for (auto& w : c.want) w = want;
  return c;
}

fuzz_call fdregion(const eos_state& s, std::int64_t phase) {
  fuzz_call c;
  c.which = static_cast<std::uint8_t>(routine::fdregion);
  c.options = 1;
  c.T = s.T;
  c.P = s.P;
  c.phase = phase;
  return c;
}

std::string two_digits(long n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02ld", n);
  return buf;
}

void property_seeds() {
  // Every property code in each region, and on both sides of the saturation line.
  const prop_state regions[] = {
      {"r1", 300.0, 3e6, M / 1004.3, 1, 2},         {"r2", 700.0, 3e6, M / 10.0, 2, 1},
      {"r3", 650.0, 25.5e6, M / 500.0, 3, 2},       {"r4liq", 373.15, 101418.0, M / 958.0, 4, 2},
      {"r4vap", 373.15, 101418.0, M / 0.598, 4, 1}, {"r5", 1500.0, 30e6, M / 43.0, 5, 1},
  };
  for (const auto& s : regions) {
    if (s.region == 4 && s.phase == 1) continue;
    for (std::int32_t code = 0; code <= 15; ++code)
      add(std::string("prop-") + s.name + "-code" + two_digits(code), prop(s, code));
  }
  for (const std::int32_t code : {1, 2, 11}) add("prop-r4vap-code" + two_digits(code), prop(regions[4], code));
  add("prop-r4nophase-code11", prop({"", 373.15, 101418.0, M / 958.0, 4, 3}, 11));

  // Boundaries: the critical point, 623.15 K, B23, 1073.15 K, 2273.15 K,
  // below 273.15 K and above the pressure bounds, from both sides where the
  // region is the caller's choice.
  const prop_state boundaries[] = {
      {"crit-r3", 647.096, 22.064e6, M / 322.0, 3, 2},      {"crit-r4liq", 647.096, 22.064e6, M / 322.0, 4, 2},
      {"crit-r4vap", 647.096, 22.064e6, M / 322.0, 4, 1},   {"623K-r1", 623.15, 16.5292e6, M / 574.0, 1, 2},
      {"623K-r2", 623.15, 16.5292e6, M / 101.0, 2, 1},      {"623K-r3", 623.15, 16.5292e6, M / 574.0, 3, 2},
      {"b23-r2", 863.15, 100e6, M / 500.0, 2, 1},           {"b23-r3", 863.15, 100e6, M / 500.0, 3, 1},
      {"1073K-r2", 1073.15, 50e6, M / 100.0, 2, 1},         {"1073K-r5", 1073.15, 50e6, M / 100.0, 5, 1},
      {"2273K-r5", 2273.15, 50e6, M / 47.0, 5, 1},          {"cold-r1", 250.0, 1e5, M / 1000.0, 1, 2},
      {"cold-r4", 250.0, 76.0, M / 1000.0, 4, 2},           {"100MPa-r1", 500.0, 1e8, M / 880.0, 1, 2},
      {"over100MPa-r1", 500.0, 1.0000001e8, M / 880.0, 1, 2}, {"50MPa-r5", 1500.0, 5e7, M / 70.0, 5, 1},
      {"over50MPa-r5", 1500.0, 5.0000001e7, M / 70.0, 5, 1},  {"hot-r5", 2500.0, 1e6, M / 0.9, 5, 1},
  };
  for (const auto& s : boundaries) {
    add(std::string("prop-") + s.name + "-h", prop(s, 2));
    if (s.region == 3) add(std::string("prop-") + s.name + "-p", prop(s, 14));
  }

  // Values that are no state, in each of T, P and V.
  const prop_state base = regions[2];
  for (const auto& odd : odd_values) {
    prop_state s = base;
    s.T = odd.value;
    add(std::string("prop-T-") + odd.name, prop(s, 2));
    s = base;
    s.P = odd.value;
    add(std::string("prop-P-") + odd.name, prop(s, 3));
    s = base;
    s.V = odd.value;
    add(std::string("prop-V-") + odd.name, prop(s, 14));
  }

  // Codes, regions and phases out of their ranges.
  const std::int32_t odd_codes[] = {-1, 16, 255, i32_max, i32_min};
  for (const std::int32_t code : odd_codes) add("prop-odd-code" + std::to_string(code), prop(regions[0], code));
  const std::int64_t odd_regions[] = {0, 6, -1, i64_max, i64_min};
  for (const std::int64_t region : odd_regions) {
    prop_state s = regions[0];
    s.region = region;
    add("prop-odd-region" + std::to_string(region), prop(s, 2));
  }
  const std::int64_t odd_phases[] = {0, -1, i64_min};
  for (const std::int64_t phase : odd_phases) {
    prop_state s = regions[3];
    s.phase = phase;
    add("prop-r4-odd-phase" + std::to_string(phase), prop(s, 2));
  }
}

void eos_seeds() {
  // Each state as vapour (1) and liquid (2): the regions, a region-3 vapour
  // below and above the critical temperature, a liquid below and a vapour
  // above its vapour pressure, the boundaries and the bounds.
  const eos_state states[] = {
      {"r1", 300.0, 1e6},          {"r2", 500.0, 1e5},         {"r3", 650.0, 25e6},
      {"r3vap", 640.0, 19e6},      {"super", 700.0, 50e6},     {"r5", 1500.0, 1e6},
      {"crit", 647.096, 22.064e6}, {"belowpsat", 400.0, 1e4},  {"abovepsat", 400.0, 1e6},
      {"623K", 623.15, 16.53e6},   {"b23", 863.15, 1e8},       {"1073K", 1073.15, 5e7},
      {"2273K", 2273.15, 5e7},     {"cold", 250.0, 1e5},       {"over100MPa", 500.0, 2e8},
      {"over50MPa", 1200.0, 8e7},  {"hot", 3000.0, 1e6},       {"hotdense", 3000.0, 1e8},
  };
  const auto state = [&](std::string_view name) -> const eos_state& {
    for (const auto& s : states)
      if (s.name == name) return s;
    throw std::invalid_argument(std::string(name));
  };
  for (const auto& s : states)
    for (const std::int64_t phase : {1, 2}) {
      const std::string at = std::string(s.name) + "-phase" + std::to_string(phase);
      add("es15d-" + at, es15d(s, phase));
      add("fdregion-" + at, fdregion(s, phase));
    }

  // Any phase but 1 is a liquid, also in the arithmetic on the phase.
  const std::int64_t odd_phases[] = {3, 0, -1, i64_min, i64_max};
  for (const std::int64_t phase : odd_phases)
    add("es15d-r3-phase" + std::to_string(phase), es15d(state("r3"), phase));
  add("fdregion-r3-phase3", fdregion(state("r3"), 3));

  // On the saturation line, below and above the critical temperature.
  for (const eos_state& s : {state("r1"), state("r3vap"), state("super")})
    for (const std::int64_t phase : {1, 2, 3})
      add(std::string("es15d-") + s.name + "-saturated-phase" + std::to_string(phase), es15d(s, phase, 1));

  // ln phi from the vapour pressure alone, inside and beyond its range.
  const eos_state frozen{"frozen", 100.0, 1e5};
  for (const eos_state& s : {state("r1"), frozen, state("super")})
    for (const std::int64_t phase : {1, 2})
      add(std::string("es15d-") + s.name + "-fugacity0-phase" + std::to_string(phase), es15d(s, phase, 0, 0));

  // Request flags other than 0 and 1, below 273.15 K where they count down
  // and above, one output at a time and none at all.
  const std::int64_t odd_flags[] = {0, 2, -1, i64_min, i64_max};
  for (const eos_state& s : {state("r1"), state("cold")})
    for (const std::int64_t want : odd_flags)
      add(std::string("es15d-") + s.name + "-want" + std::to_string(want), es15d(s, 2, 0, 1, want));
  for (int k = 0; k < 5; ++k) {
    fuzz_call c = es15d(state("r3"), 2, 0, 1, 0);
    c.want[k] = 1;
    add("es15d-r3-only" + std::to_string(k), c);
  }

  // Values that are no temperature or pressure.
  for (const auto& odd : odd_values) {
    eos_state s = state("r1");
    s.T = odd.value;
    add(std::string("es15d-T-") + odd.name, es15d(s, 2));
    s = state("r1");
    s.P = odd.value;
    add(std::string("es15d-P-") + odd.name, es15d(s, 1));
  }

  for (const auto& odd : {odd_values[0], odd_values[1], odd_values[3], odd_values[4]}) {
    add(std::string("fdregion-T-") + odd.name, fdregion({"", odd.value, 1e6}, 1));
    add(std::string("fdregion-P-") + odd.name, fdregion({"", 300.0, odd.value}, 2));
  }

  // The ends of the doubles and of the flags: states moved or extrapolated
  // from a subnormal or the largest pressure or temperature, and values
  // formed from a failed one (G from H and S), which must fail too.
  const double tiny = std::numeric_limits<double>::denorm_min(), huge = std::numeric_limits<double>::max();
  const struct {
    const char* name;
    eos_state at;
    std::int64_t phase, fugacity_mode, want;
  } ends[] = {
      {"cold-P-subnormal", {"", 250.0, tiny}, 2, 1, 1},    {"cold-P-huge", {"", 250.0, huge}, 2, 1, 1},
      {"cold-vapour-P-subnormal", {"", 250.0, tiny}, 1, 1, 1}, {"r1-P-subnormal", {"", 300.0, tiny}, 2, 1, 1},
      {"super-P-subnormal", {"", 700.0, tiny}, 2, 1, 1},   {"r5-vapour-P-subnormal", {"", 1500.0, tiny}, 1, 1, 1},
      {"T-subnormal-fugacity0-want2", {"", 1e-310, 1e5}, 2, 0, 2}, {"T-huge", {"", huge, 1e6}, 2, 1, 1},
  };
  for (const auto& e : ends) add(std::string("es15d-ends-") + e.name, es15d(e.at, e.phase, 0, e.fugacity_mode, e.want));

  // Diagnostics off: the warnings are decided but not written.
  fuzz_call quiet = es15d(state("over100MPa"), 2);
  quiet.options = 0;
  add("es15d-over100MPa-quiet", quiet);
  quiet = fdregion(state("hot"), 1);
  quiet.options = 0;
  add("fdregion-hot-quiet", quiet);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
    return 2;
  }
  property_seeds();
  eos_seeds();

  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  std::set<std::string> names;
  for (const auto& s : seeds) {
    if (!names.insert(s.name).second) {
      std::fprintf(stderr, "two seeds named %s\n", s.name.c_str());
      return 1;
    }
    const std::vector<std::uint8_t> bytes = kvfuzz::encode(s.call);
    std::ofstream out(dir / s.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", (dir / s.name).c_str());
      return 1;
    }
  }
  std::printf("%zu seeds in %s\n", seeds.size(), dir.c_str());
  return 0;
}
