// kviapws97: water and steam properties on the command line. The program is a
// host of its own: it carries the stand-in host's services, loads the plug-in
// with dlopen as a simulator does, and calls its three exported routines.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "tools/commands.hpp"

namespace {

using kvtool::phase_choice;

const std::map<std::string, phase_choice> phases{
    {"auto", phase_choice::automatic}, {"liquid", phase_choice::liquid}, {"vapour", phase_choice::vapour}};
const std::map<std::string, kvtool::unit_scale> scales{{"host", kvtool::unit_scale::host},
                                                       {"kg", kvtool::unit_scale::kg}};
const CLI::IsMember phase_names({"auto", "liquid", "vapour"});
const CLI::IsMember scale_names({"host", "kg"});
constexpr std::size_t max_marks = 100;

// A number the library can take: NaN and the infinities are typing errors.
const CLI::Validator finite_number(
    [](std::string& text) {
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      return std::isfinite(value) ? std::string() : "'" + text + "' is not a finite number";
    },
    "");

// A bad argument: one line on standard error, exit status 2.
int usage_error(const std::string& what) {
  std::fprintf(stderr, "kviapws97: %s\n", what.c_str());
  return 2;
}

// --mark T,P[,phase]
bool parse_mark(const std::string& text, kvtool::map_request& mark) {
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
  double* const values[] = {&mark.T, &mark.P};
  for (std::size_t i = 0; i < 2; ++i) {
    char* end = nullptr;
    *values[i] = std::strtod(fields[i].c_str(), &end);
    if (fields[i].empty() || *end != '\0' || !std::isfinite(*values[i])) return false;
  }
  mark.phase = found->second;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Water and steam properties (IAPWS-IF97) from the kviapws97 plug-in, on a built-in stand-in host.\n"
               "Temperatures in K, pressures in Pa, results in the host's molar units unless told otherwise.",
               "kviapws97"};
  app.require_subcommand(1);
  app.fallthrough();
  std::string plugin_path;
  app.add_option("--plugin", plugin_path, "the plug-in to load (default: the one built or installed with this program)");

  // eos
  kvtool::eos_options eos;
  std::string fugacity = "formulation";
  auto* eos_cmd = app.add_subcommand("eos", "ln phi, H, S, G and V of one phase, with the library's warnings");
  eos_cmd->add_option("T", eos.T, "temperature, K")->required()->check(finite_number);
  eos_cmd->add_option("P", eos.P, "pressure, Pa (not used with --saturated)")->required()->check(finite_number);
  std::string eos_phase = "auto";
  eos_cmd->add_option("--phase", eos_phase, "vapour below the vapour pressure or above 647.096 K when auto")
      ->check(phase_names)
      ->capture_default_str();
  eos_cmd->add_flag("--saturated", eos.saturated, "evaluate on the saturation line at T");
  eos_cmd->add_option("--fugacity", fugacity, "ln phi from the formulation or from the vapour pressure alone")
      ->check(CLI::IsMember({"formulation", "vapour-pressure"}))
      ->capture_default_str();

  // prop
  std::string property_name;
  double prop_T = 0.0, prop_P = 0.0;
  std::optional<double> prop_V;
  std::optional<std::int64_t> prop_region;
  std::string prop_phase, prop_units = "host";
  auto* prop_cmd = app.add_subcommand("prop", "one property by name or code");
  prop_cmd->footer(
      "With --region the dispatcher is asked for that region; region 4 with --phase is the saturated liquid or "
      "vapour. With --phase alone the region finder settles the state and the region first. With neither, the "
      "library chooses the region at (T, P) itself.");
  prop_cmd->add_option("property", property_name, "name or code: " + kvtool::property_names())->required();
  prop_cmd->add_option("T", prop_T, "temperature, K (region 4 with a phase: negative for 'not given')")->required()->check(finite_number);
  prop_cmd->add_option("P", prop_P, "pressure, Pa (region 4 with a phase: negative for 'not given')")
      ->required()
      ->check(finite_number);
  prop_cmd->add_option("--volume", prop_V, "molar volume, m3/kmol (default: the one at T and P)")->check(finite_number);
  prop_cmd->add_option("--region", prop_region, "IF97 region 1 to 5");
  prop_cmd->add_option("--phase", prop_phase, "liquid, vapour or auto")->check(phase_names);
  prop_cmd->add_option("--units", prop_units, "host (molar) or kg (kJ/kg, kJ/(kg K), m3/kg; IF97 reference state)")
      ->check(scale_names)
      ->capture_default_str();

  // region
  double region_T = 0.0, region_P = 0.0;
  std::string region_phase = "auto";
  auto* region_cmd = app.add_subcommand("region", "the IF97 region of a phase, the state used and its volume");
  region_cmd->add_option("T", region_T, "temperature, K")->required()->check(finite_number);
  region_cmd->add_option("P", region_P, "pressure, Pa")->required()->check(finite_number);
  region_cmd->add_option("--phase", region_phase, "vapour below the vapour pressure or above 647.096 K when auto")
      ->check(phase_names)
      ->capture_default_str();

  // table
  kvtool::table_options table{};
  std::vector<double> over_T, over_P;
  auto* table_cmd = app.add_subcommand("table", "a saturation table over a temperature or a pressure range");
  table_cmd->footer(
      "Columns: the temperature or pressure of the row and the other one on the saturation line, then v, h, s, cp, "
      "mu (viscosity), lambda (thermal conductivity) and sigma (surface tension); ' marks the saturated liquid, \" the "
      "saturated vapour. Beyond the saturation line's ends the row says failed.");
  auto* range = table_cmd->add_option_group("range", "rows from FROM to TO by STEP");
  range->add_option("--temperature", over_T, "FROM TO STEP, K")->expected(3)->check(finite_number);
  range->add_option("--pressure", over_P, "FROM TO STEP, Pa")->expected(3)->check(finite_number);
  range->require_option(1);
  table_cmd->add_flag("--csv", table.csv, "comma-separated values at full precision");
  std::string table_units = "host";
  table_cmd->add_option("--units", table_units, "host (molar) or kg (kJ/kg, kJ/(kg K), m3/kg; IF97 reference state)")
      ->check(scale_names)
      ->capture_default_str();

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
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help
    return usage_error(e.what());
  }

  if (app.count("--plugin") != 0 && plugin_path.empty()) return usage_error("--plugin: the path is empty");
  std::optional<kvtool::property_info> property;
  if (*prop_cmd) {
    property = kvtool::find_property(property_name);
    if (!property) return usage_error("prop: unknown property '" + property_name + "'; known: " + kvtool::property_names());
  }
  if (*table_cmd) {
    const std::vector<double>& r = over_T.empty() ? over_P : over_T;
    table.over_pressure = over_T.empty();
    table.from = r[0];
    table.to = r[1];
    table.step = r[2];
    if (!(table.step > 0.0) || !(table.to >= table.from))
      return usage_error("table: the range needs FROM <= TO and a positive STEP");
    if ((table.to - table.from) / table.step >= 100000.0)
      return usage_error("table: the range gives more than 100000 rows");
  }
  if (mark_texts.size() > max_marks) return usage_error("map: at most 100 marks");
  if (*map_cmd && map_output.empty()) return usage_error("map: --output: the file name is empty");
  std::vector<kvtool::map_request> marks;
  for (const std::string& text : mark_texts) {
    kvtool::map_request mark{};
    if (!parse_mark(text, mark)) return usage_error("map: --mark '" + text + "' is not T,P[,liquid|vapour|auto]");
    marks.push_back(mark);
  }

  int status = 0;
  try {
    const kvtool::plugin lib(plugin_path.empty() ? kvtool::default_plugin_path() : plugin_path);
    if (*eos_cmd) {
      eos.phase = phases.at(eos_phase);
      eos.from_formulation = fugacity == "formulation";
      status = kvtool::run_eos(lib, eos);
    }
    if (*prop_cmd) status = kvtool::run_prop(lib, {*property, prop_T, prop_P, prop_V, prop_region,
                                          prop_phase.empty() ? std::nullopt : std::optional(phases.at(prop_phase)),
                                          scales.at(prop_units)});
    if (*region_cmd) status = kvtool::run_region(lib, region_T, region_P, phases.at(region_phase));
    if (*table_cmd) {
      table.units = scales.at(table_units);
      status = kvtool::run_table(lib, table);
    }
    if (*map_cmd) status = kvtool::run_map(lib, marks, map_output);
    if (*demo_cmd) status = kvtool::run_demo(lib);
  } catch (const kvtool::load_error& e) {
    return usage_error(e.what());
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "kviapws97: cannot write the output\n");
    return 1;
  }
  return status;
}
