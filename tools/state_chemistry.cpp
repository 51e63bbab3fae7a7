#include "tools/state_chemistry.hpp"

#include <cstdio>
#include <string>

#include "water/chemistry.hpp"

namespace kvtool {

namespace water = kviapws97::water;

void print_chemistry(const state_inputs& in, unit_system units) {
  std::string why;
  const water::result r = solve_state(in, units, why);
  if (!r) return;
  const water::state& st = r.state;
  const bool two_phase = st.phase == water::phase::two_phase;
  const struct {
    const char* name;
    const char* description;
    water::property_result (*of)(const water::phase_values&);
  } rows[] = {
      {"eps", "dielectric constant", [](const water::phase_values& v) { return water::dielectric_constant(v); }},
      {"pKw", "-log10 Kw, Kw in (mol/kg)^2", [](const water::phase_values& v) { return water::ionization_pK(v); }},
      {"n", "refractive index, 589.3 nm",
       [](const water::phase_values& v) { return water::refractive_index(v, water::sodium_D_line); }},
  };
  const water::phase_values* columns[] = {&st, &st.liquid, &st.vapour};
  std::string notes;
  for (const auto& row : rows) {
    std::printf("  %-6s %-26s", row.name, row.description);
    for (int column = 0; column < (two_phase ? 3 : 1); ++column) {
      // A mixture has no single value: its density is no phase's.
      const water::property_result q =
          two_phase && column == 0 ? water::property_result{water::status::two_phase_state, 0.0} : row.of(*columns[column]);
      char text[32];
      std::snprintf(text, sizeof text, "%.7g", q.value);
      std::printf(" %14s", q ? text : "n/a");
      if (!q && !(two_phase && column == 0)) notes += std::string("n/a: ") + row.name + ": " + q.reason() + "\n";
    }
    std::printf("\n");
  }
  if (two_phase) notes = std::string("n/a: eps, pKw, n: ") + water::status_text(water::status::two_phase_state) + "\n" + notes;
  std::printf("%s", notes.c_str());
  std::printf("  (IAPWS R8-97, R11-24 and R9-97 at the IF97 density)\n");
}

}  // namespace kvtool
