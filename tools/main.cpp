// kviapws97: water and steam properties on the command line. The program is a
// host of its own: it carries the stand-in host's services, loads the plug-in
// with dlopen as a simulator does, and calls its three exported routines. For
// engineers, `state`, `table` and `chart` take the units of the trade.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "tools/chart.hpp"
#include "tools/commands.hpp"
#include "tools/state.hpp"
#include "tools/state_derivatives.hpp"
#include "tools/state_chemistry.hpp"
#include "tools/units.hpp"

namespace {

using kvtool::phase_choice;
using kvtool::quantity;

const std::map<std::string, phase_choice> phases{{"auto", phase_choice::automatic},
                                                 {"liquid", phase_choice::liquid},
                                                 {"vapour", phase_choice::vapour},
                                                 {"vapor", phase_choice::vapour},
                                                 {"steam", phase_choice::vapour}};
const std::map<std::string, kvtool::unit_scale> scales{{"host", kvtool::unit_scale::host},
                                                       {"kg", kvtool::unit_scale::kg}};
const CLI::IsMember phase_names({"auto", "liquid", "vapour", "vapor", "steam"});
constexpr std::size_t max_marks = 100;

// A bad argument: one line on standard error, exit status 2.
int usage_error(const std::string& what) {
  std::fprintf(stderr, "kviapws97: %s\n", what.c_str());
  return 2;
}

// The arguments as CLI11 reads them: a negative number that CLI11 would take
// for an option ("-inf", "-.5", "-nan") gets a leading space, which the
// quantity parser skips.
std::vector<std::string> arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = argc - 1; i > 0; --i) {
    std::string a = argv[i];
    char* end = nullptr;
    if (a.size() > 1 && a[0] == '-' && a[1] != '-') {
      (void)std::strtod(a.c_str(), &end);
      if (end > a.c_str() + 1) a.insert(0, " ");
    }
    args.push_back(a);  // CLI11 takes them in reverse
  }
  return args;
}

// The SI value of an argument, or the first bad one's message in `bad`.
struct reader {
  std::string bad;
  double operator()(const std::string& name, const std::string& text, quantity q, bool difference = false) {
    std::string error;
    const std::optional<double> v = kvtool::parse_quantity(text, q, error, difference);
    if (!v && bad.empty()) bad = name + ": " + error;
    return v.value_or(0.0);
  }
  std::optional<double> optional(const std::string& name, const std::optional<std::string>& text, quantity q) {
    if (!text) return std::nullopt;
    return (*this)(name, *text, q);
  }
};

// --mark T,P[,phase] of the map.
bool parse_map_mark(const std::string& text, kvtool::map_request& mark) {
  std::vector<std::string> fields{""};
  for (const char c : text) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  if (fields.size() < 2 || fields.size() > 3) return false;
  const auto found = phases.find(fields.size() == 3 ? fields[2] : "auto");
  if (found == phases.end()) return false;
  std::string error;
  const auto T = kvtool::parse_quantity(fields[0], quantity::temperature, error);
  const auto P = kvtool::parse_quantity(fields[1], quantity::pressure, error);
  if (!T || !P) return false;
  mark = {*T, *P, found->second};
  return true;
}

// --mark p=10bar,T=500C of a chart: any two of p, T, h, s, x (or T and rho).
std::string parse_chart_mark(const std::string& text, kvtool::state_inputs& in) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string field = text.substr(start, comma - start);
    start = comma + 1;
    const std::size_t eq = field.find('=');
    const std::string key = field.substr(0, eq);
    struct known {
      const char* key;
      std::optional<double>* value;
      quantity q;
    };
    const known keys[] = {{"p", &in.p, quantity::pressure}, {"T", &in.T, quantity::temperature},
                          {"h", &in.h, quantity::energy},   {"s", &in.s, quantity::entropy},
                          {"x", &in.x, quantity::fraction}, {"rho", &in.rho, quantity::density}};
    const known* k = nullptr;
    for (const known& candidate : keys)
      if (key == candidate.key) k = &candidate;
    if (eq == std::string::npos || k == nullptr) return "'" + field + "' is not p=, T=, h=, s=, x= or rho= a value";
    if (k->value->has_value()) return key + " is given twice";
    std::string error;
    *k->value = kvtool::parse_quantity(field.substr(eq + 1), k->q, error);
    if (!*k->value) return key + ": " + error;
  }
  return kvtool::pair_problem(in);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Water and steam properties (IAPWS-IF97) from the kviapws97 plug-in, on a built-in stand-in host.\n"
               "state, table and chart take quantities with units (10bar, 500C, 2800kJ/kg); a bare number is SI.\n"
               "eos, prop and region show what a simulator receives: K, Pa and the host's molar units.",
               "kviapws97"};
  app.require_subcommand(1);
  app.fallthrough();
  app.set_version_flag("--version", "kviapws97 " KVIAPWS97_VERSION);
  std::string plugin_path;
  app.add_option("--plugin", plugin_path, "the plug-in to load (default: the one built or installed with this program)");

  // state
  std::optional<std::string> given_p, given_T, given_h, given_s, given_x, given_rho, given_u;
  std::string state_units = "si";
  bool state_csv = false, state_json = false;
  auto* state_cmd = app.add_subcommand("state", "the whole state of water from any two of p, T, h, s, x");
  state_cmd->footer(
      "Units: T in K, C or degC; p in Pa, kPa, bar or MPa; h in J/kg or kJ/kg; s in J/(kg K) or kJ/(kg K); rho in "
      "kg/m3; a bare number is SI. Two-phase states show the saturated liquid and vapour beside the mixture; what is "
      "not defined is n/a.");
  state_cmd->add_option("--p", given_p, "pressure, e.g. 10bar");
  state_cmd->add_option("--T", given_T, "temperature, e.g. 180C");
  state_cmd->add_option("--h", given_h, "specific enthalpy, e.g. 2800kJ/kg");
  state_cmd->add_option("--s", given_s, "specific entropy, e.g. '6.5kJ/(kg K)'");
  state_cmd->add_option("--x", given_x, "vapour fraction, 0 to 1");
  state_cmd->add_option("--rho", given_rho, "density, kg/m3 (with --p, --T, --h, --s or --u)");
  state_cmd->add_option("--u", given_u, "specific internal energy, e.g. 2500kJ/kg (with --p or --rho)");
  std::optional<std::string> state_phase;
  state_cmd->add_option("--phase", state_phase, "liquid or vapour (with --p and --T, --h or --s): metastable beyond "
                        "the saturation line")->check(CLI::IsMember({"liquid", "vapour"}));
  state_cmd->add_option("--units", state_units, "output in si (K, Pa, J/kg) or eng (C, bar, kJ/kg)")
      ->check(CLI::IsMember({"si", "eng"}))
      ->capture_default_str();
  auto* csv_flag = state_cmd->add_flag("--csv", state_csv, "one record as comma-separated values");
  auto* json_flag = state_cmd->add_flag("--json", state_json, "one record as a JSON object")->excludes(csv_flag);
  bool state_derivatives = false;
  state_cmd->add_flag("--derivatives", state_derivatives, "also the named derivatives (cp, w, (drho/dh)_p ...)")
      ->excludes(csv_flag)
      ->excludes(json_flag);
  bool state_chemistry = false;
  state_cmd
      ->add_flag("--chemistry", state_chemistry,
                 "also the dielectric constant (IAPWS R8-97), pKw (R11-24) and the refractive index at 589.3 nm "
                 "(R9-97) of the state")
      ->excludes(csv_flag)
      ->excludes(json_flag);

  // eos
  kvtool::eos_options eos;
  std::string eos_T, eos_P;
  std::string fugacity = "formulation";
  auto* eos_cmd = app.add_subcommand("eos", "ln phi, H, S, G and V of one phase, with the library's warnings");
  eos_cmd->add_option("T", eos_T, "temperature, K")->required();
  eos_cmd->add_option("P", eos_P, "pressure, Pa (not used with --saturated)")->required();
  std::string eos_phase = "auto";
  eos_cmd->add_option("--phase", eos_phase, "vapour below the vapour pressure or above 647.096 K when auto")
      ->check(phase_names)
      ->capture_default_str();
  eos_cmd->add_flag("--saturated", eos.saturated, "evaluate on the saturation line at T");
  eos_cmd->add_option("--fugacity", fugacity, "ln phi from the formulation or from the vapour pressure alone")
      ->check(CLI::IsMember({"formulation", "vapour-pressure"}))
      ->capture_default_str();

  // prop
  std::string property_name, prop_T, prop_P, prop_region_text;
  std::optional<std::string> prop_V;
  std::string prop_phase, prop_units = "host";
  bool extrapolate = false;
  auto* prop_cmd = app.add_subcommand("prop", "one property by name or code");
  prop_cmd->footer(
      "With --region the dispatcher is asked for that region; region 4 with --phase is the saturated liquid or "
      "vapour. A state outside the region named is refused unless --extrapolate. With --phase alone the region "
      "finder settles the state and the region first. With neither, the library chooses the region at (T, P) itself.");
  prop_cmd->add_option("property", property_name, "name or code: " + kvtool::property_names())->required();
  prop_cmd->add_option("T", prop_T, "temperature, K (region 4 with a phase: negative for 'not given')")->required();
  prop_cmd->add_option("P", prop_P, "pressure, Pa (region 4 with a phase: negative for 'not given')")->required();
  prop_cmd->add_option("--volume", prop_V,
                       "volume, m3/kmol (m3/kg with --units kg; default: the one at T and P); it must be the "
                       "volume at (T, P) unless the property is one of T and V alone");
  prop_cmd->add_option("--region", prop_region_text, "IF97 region 1 to 5");
  prop_cmd->add_flag("--extrapolate", extrapolate, "with --region: use the region's equation outside the region");
  prop_cmd->add_option("--phase", prop_phase, "liquid, vapour (vapor, steam) or auto")->check(phase_names);
  prop_cmd->add_option("--units", prop_units, "host (molar) or kg (kJ/kg, kJ/(kg K), m3/kg; IF97 reference state)")
      ->check(CLI::IsMember({"host", "kg"}))
      ->capture_default_str();

  // region
  std::string region_T, region_P;
  std::string region_phase = "auto";
  auto* region_cmd = app.add_subcommand("region", "the IF97 region of a phase, the state used and its volume");
  region_cmd->add_option("T", region_T, "temperature, K")->required();
  region_cmd->add_option("P", region_P, "pressure, Pa")->required();
  region_cmd->add_option("--phase", region_phase, "vapour below the vapour pressure or above 647.096 K when auto")
      ->check(phase_names)
      ->capture_default_str();

  // table
  kvtool::table_options table{};
  std::vector<std::string> over_T, over_P;
  std::optional<std::string> isobar, isotherm;
  auto* table_cmd = app.add_subcommand("table", "a saturation table, or an isobar or isotherm, over a range");
  table_cmd->footer(
      "Saturation columns: the temperature or pressure of the row and the other one on the saturation line, then v, "
      "h, the latent heat h\"-h', s, u, cp, w (speed of sound), mu (viscosity), lambda (thermal conductivity) and "
      "sigma (surface tension); ' marks the saturated liquid, \" the saturated vapour. With --isobar or --isotherm: "
      "the single phase of each row, its IF97 region, v, h, s, u, cp, cv, w, mu and lambda. Beyond the range of "
      "the formulation a row says failed. Quantities take units: 100C, 10bar.");
  auto* range = table_cmd->add_option_group("range", "rows from FROM to TO by STEP");
  range->add_option("--temperature", over_T, "FROM TO STEP, e.g. 100C 600C 25C (K when bare)")->expected(3);
  range->add_option("--pressure", over_P, "FROM TO STEP, e.g. 1bar 100bar 1bar (Pa when bare)")->expected(3);
  range->require_option(1);
  auto* isobar_opt =
      table_cmd->add_option("--isobar", isobar, "a single-phase isobar at this pressure, rows by --temperature");
  table_cmd->add_option("--isotherm", isotherm, "a single-phase isotherm at this temperature, rows by --pressure")
      ->excludes(isobar_opt);
  table_cmd->add_flag("--csv", table.csv, "comma-separated values (RFC 4180) at full precision");
  std::string table_units = "host";
  table_cmd->add_option("--units", table_units,
                        "host (molar), kg (kJ/kg, K, Pa; IF97 reference state), si (J/kg, K, Pa) "
                        "or eng (kJ/kg, C, bar)")
      ->check(CLI::IsMember({"host", "kg", "si", "eng"}))
      ->capture_default_str();

  // chart
  std::string chart_name, chart_output = "-";
  std::vector<std::string> chart_marks;
  bool chart_path = false;
  auto* chart_cmd = app.add_subcommand("chart", "an SVG diagram: T-s, h-s (Mollier) or p-h, with marked states");
  chart_cmd->footer(
      "The diagram shows the saturation dome and the critical point, isobars, isotherms and lines of constant "
      "vapour fraction. A mark is any two of p, T, h, s, x with units, e.g. --mark p=100bar,T=550C --mark "
      "p=0.1bar,x=0.9; --path joins the marks in order, along the isobar, isentrope, isotherm or isenthalp that two "
      "neighbours share, else straight.");
  chart_cmd->add_option("diagram", chart_name, "Ts, hs or ph")
      ->required()
      ->check(CLI::IsMember({"Ts", "hs", "ph"}));
  chart_cmd->add_option("--mark", chart_marks, "a state to mark: two of p=, T=, h=, s=, x= (up to 100)");
  chart_cmd->add_flag("--path", chart_path, "join the marks in order");
  chart_cmd->add_option("-o,--output", chart_output, "SVG file, - for standard output")->capture_default_str();

  // map
  std::vector<std::string> mark_texts;
  std::string map_output = "-";
  auto* map_cmd = app.add_subcommand("map", "an SVG picture of the p-T plane with the IF97 regions and marked states");
  map_cmd->footer(
      "The picture shows IF97 regions 1, 2, 3 and 5, the saturation line, B23, the critical point and the bounds "
      "the library enforces; each marked state is drawn with the region it landed in and the state it was moved to.");
  map_cmd->add_option("--mark", mark_texts,
                      "T,P[,liquid|vapour|auto]: a state to mark with the region it lands in (up to 100)");
  map_cmd->add_option("-o,--output", map_output, "SVG file, - for standard output")->capture_default_str();

  auto* demo_cmd = app.add_subcommand("demo", "a few representative states, with the region and the state used");

  // CLI11 would only say that a subcommand is required.
  const auto named = [&](const CLI::App* sub) { return sub->get_name() == argv[1]; };
  if (argc > 1 && argv[1][0] != '-' && app.get_subcommands(named).empty())
    return usage_error(std::string("unknown subcommand '") + argv[1] + "' (see kviapws97 --help)");
  try {
    std::vector<std::string> args = arguments(argc, argv);
    app.parse(args);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
    return usage_error(e.what());
  }

  if (app.count("--plugin") != 0 && plugin_path.empty()) return usage_error("--plugin: the path is empty");
  reader read;
  std::optional<kvtool::property_info> property;
  kvtool::prop_options prop{};
  if (*prop_cmd) {
    property = kvtool::find_property(property_name);
    if (!property) return usage_error("prop: unknown property '" + property_name + "'; known: " + kvtool::property_names());
    prop.T = read("T", prop_T, quantity::temperature);
    prop.P = read("P", prop_P, quantity::pressure);
    if (prop_V) prop.V = read("--volume", *prop_V, quantity::volume);
    if (!prop_region_text.empty() || prop_cmd->count("--region") != 0) {
      std::string text = prop_region_text;
      while (!text.empty() && text.front() == ' ') text.erase(0, 1);
      if (text.size() != 1 || text[0] < '1' || text[0] > '5')
        return usage_error("--region: '" + text + "' is not an IF97 region (1, 2, 3, 4 or 5)");
      prop.region = text[0] - '0';
    }
    if (extrapolate && !(prop.region && *prop.region != 4))
      return usage_error("--extrapolate: needs --region 1, 2, 3 or 5");
  }
  if (*eos_cmd) {
    eos.T = read("T", eos_T, quantity::temperature);
    eos.P = read("P", eos_P, quantity::pressure);
  }
  double region_at_T = 0.0, region_at_P = 0.0;
  if (*region_cmd) {
    region_at_T = read("T", region_T, quantity::temperature);
    region_at_P = read("P", region_P, quantity::pressure);
  }
  if (*table_cmd) {
    table.over_pressure = over_T.empty();
    const std::vector<std::string>& r = table.over_pressure ? over_P : over_T;
    const char* name = table.over_pressure ? "--pressure" : "--temperature";
    const quantity q = table.over_pressure ? quantity::pressure : quantity::temperature;
    table.from = read(name, r[0], q);
    table.to = read(name, r[1], q);
    table.step = read(name, r[2], q, true);
    table.isobar = read.optional("--isobar", isobar, quantity::pressure);
    table.isotherm = read.optional("--isotherm", isotherm, quantity::temperature);
    if (!read.bad.empty()) return usage_error(read.bad);
    if (table.isobar && table.over_pressure) return usage_error("--isobar: rows by --temperature, not --pressure");
    if (table.isotherm && !table.over_pressure) return usage_error("--isotherm: rows by --pressure, not --temperature");
    if (!(table.step > 0.0) || !(table.to >= table.from))
      return usage_error(std::string(name) + ": the range needs FROM <= TO and a positive STEP");
    if ((table.to - table.from) / table.step >= 100000.0)
      return usage_error(std::string(name) + ": the range gives more than 100000 rows");
    table.units = table_units == "host" ? kvtool::unit_scale::host : kvtool::unit_scale::kg;
    if (table_units == "si") table.system = kvtool::unit_system::si;
    if (table_units == "eng") table.system = kvtool::unit_system::eng;
  }
  kvtool::state_inputs given;
  if (*state_cmd) {
    given = {read.optional("--p", given_p, quantity::pressure), read.optional("--T", given_T, quantity::temperature),
             read.optional("--h", given_h, quantity::energy),   read.optional("--s", given_s, quantity::entropy),
             read.optional("--x", given_x, quantity::fraction), read.optional("--rho", given_rho, quantity::density),
             "", read.optional("--u", given_u, quantity::energy)};
    if (state_phase) given.phase = *state_phase == "vapour" ? kviapws97::water::phase::vapour : kviapws97::water::phase::liquid;
    if (read.bad.empty() && !kvtool::pair_problem(given).empty())
      return usage_error("state: " + kvtool::pair_problem(given));
    const std::pair<const char*, const std::optional<std::string>*> typed[] = {
        {"--p", &given_p}, {"--T", &given_T}, {"--h", &given_h},
        {"--s", &given_s}, {"--x", &given_x}, {"--rho", &given_rho}, {"--u", &given_u}};
    for (const auto& [name, text] : typed)
      if (*text) given.typed += (given.typed.empty() ? "" : " ") + std::string(name) + " " + **text;
  }
  if (!read.bad.empty()) return usage_error(read.bad);

  if (mark_texts.size() > max_marks || chart_marks.size() > max_marks) return usage_error("--mark: at most 100 marks");
  if ((*map_cmd && map_output.empty()) || (*chart_cmd && chart_output.empty()))
    return usage_error("--output: the file name is empty");
  std::vector<kvtool::map_request> marks;
  for (const std::string& text : mark_texts) {
    kvtool::map_request mark{};
    if (!parse_map_mark(text, mark)) return usage_error("--mark: '" + text + "' is not T,P[,liquid|vapour|auto]");
    marks.push_back(mark);
  }
  std::vector<kvtool::state_inputs> chart_states;
  for (const std::string& text : chart_marks) {
    kvtool::state_inputs in;
    in.typed = text;
    if (const std::string problem = parse_chart_mark(text, in); !problem.empty())
      return usage_error("--mark '" + text + "': " + problem);
    chart_states.push_back(in);
  }
  if (chart_path && chart_states.size() < 2) return usage_error("--path: needs two marks or more");

  // The engineer's subcommands need the state API alone, not the plug-in.
  int status = 0;
  if (*state_cmd) {
    const kvtool::unit_system units = state_units == "eng" ? kvtool::unit_system::eng : kvtool::unit_system::si;
    const kvtool::record_format format = state_json  ? kvtool::record_format::json
                                         : state_csv ? kvtool::record_format::csv
                                                     : kvtool::record_format::text;
    status = kvtool::run_state(given, units, format);
    std::string why;
    if (status == 0 && state_derivatives) kvtool::print_derivatives(kvtool::solve_state(given, units, why).state, units);
    if (status == 0 && state_chemistry) kvtool::print_chemistry(given, units);
  } else if (*chart_cmd) {
    const kvtool::chart_kind kind = chart_name == "Ts"   ? kvtool::chart_kind::Ts
                                    : chart_name == "hs" ? kvtool::chart_kind::hs
                                                         : kvtool::chart_kind::ph;
    status = kvtool::run_chart(kind, chart_states, chart_path, chart_output);
  } else {
    try {
      const kvtool::plugin lib(plugin_path.empty() ? kvtool::default_plugin_path() : plugin_path);
      if (*eos_cmd) {
        eos.phase = phases.at(eos_phase);
        eos.from_formulation = fugacity == "formulation";
        status = kvtool::run_eos(lib, eos);
      }
      if (*prop_cmd) {
        prop.property = *property;
        if (!prop_phase.empty()) prop.phase = phases.at(prop_phase);
        prop.units = scales.at(prop_units);
        prop.extrapolate = extrapolate;
        status = kvtool::run_prop(lib, prop);
      }
      if (*region_cmd) status = kvtool::run_region(lib, region_at_T, region_at_P, phases.at(region_phase));
      if (*table_cmd) status = kvtool::run_table(lib, table);
      if (*map_cmd) status = kvtool::run_map(lib, marks, map_output);
      if (*demo_cmd) status = kvtool::run_demo(lib);
    } catch (const kvtool::load_error& e) {
      return usage_error(e.what());
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "kviapws97: cannot write the output\n");
    return 1;
  }
  return status;
}
