// kviapws97: water and steam properties on the command line. The program is a
// host of its own: it carries the stand-in host's services, loads the plug-in
// with dlopen as a simulator does, and calls its three exported routines. For
// engineers, `state`, `table` and `chart` take the units of the trade.
//
// One function per subcommand: each struct below declares its options and
// turns them into the options of its run_ function. What goes wrong is one
// line on standard error (tools/messages.hpp): exit status 2 for a bad
// argument or output that cannot be written, 1 for a state that does not exist.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "tools/chart.hpp"
#include "tools/commands.hpp"
#include "tools/messages.hpp"
#include "tools/state.hpp"
#include "tools/state_chemistry.hpp"
#include "tools/state_derivatives.hpp"
#include "tools/units.hpp"

namespace {

using kvtool::phase_choice;
using kvtool::quantity;
using kvtool::refuse;

constexpr std::size_t max_marks = 100;

// A bad argument, told as it is found.
struct bad_argument {
  std::string why;
};

std::string listed(const std::vector<std::string>& words) {
  std::string s;
  for (std::size_t i = 0; i < words.size(); ++i)
    s += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
  return s;
}

// A word of a fixed set, or a bad argument naming the set.
template <typename T>
T one_of(const std::string& option, const std::string& text, const std::vector<std::pair<std::string, T>>& words) {
  std::vector<std::string> names;
  for (const auto& [word, value] : words) {
    if (word == text) return value;
    names.push_back(word);
  }
  const std::string near = kvtool::near_miss(text, names);
  throw bad_argument{option + ": '" + text + "' is not " + listed(names) +
                     (near.empty() ? "" : "; did you mean " + near + "?")};
}

phase_choice phase_of(const std::string& option, const std::string& text) {
  return one_of<phase_choice>(option, text,
                              {{"auto", phase_choice::automatic},
                               {"liquid", phase_choice::liquid},
                               {"vapour", phase_choice::vapour},
                               {"vapor", phase_choice::vapour},
                               {"steam", phase_choice::vapour}});
}

// --units: the same three words in every subcommand. si (K, Pa, J/kg) is the
// default; eng prints degC, bar, kJ/kg; host the plug-in's own view (molar,
// on the host's ideal-gas reference state) where a subcommand has one.
kvtool::value_units units_of(const std::string& text, bool has_host_view, const std::string& command) {
  const kvtool::value_units chosen = one_of<kvtool::value_units>(
      "--units", text,
      {{"si", {kvtool::unit_scale::kg, kvtool::unit_system::si}},
       {"eng", {kvtool::unit_scale::kg, kvtool::unit_system::eng}},
       {"host", {kvtool::unit_scale::host, std::nullopt}}});
  if (chosen.scale == kvtool::unit_scale::host && !has_host_view)
    throw bad_argument{command + ": --units host: " + command +
                       " works on the SI state API, which has no host view; the host's view is that of eos, prop, "
                       "region and table"};
  return chosen;
}

CLI::Option* add_units(CLI::App* cmd, std::string& units, const char* what) {
  return cmd->add_option("--units", units, what)->capture_default_str();
}

int digits_of(const std::optional<std::string>& text) {
  if (!text) return kvtool::default_digits;
  char* end = nullptr;
  const long d = std::strtol(text->c_str(), &end, 10);
  if (end == text->c_str() || *end != '\0' || d < 1 || d > 17)
    throw bad_argument{"--digits: '" + *text + "' is not a whole number from 1 to 17"};
  return static_cast<int>(d);
}

CLI::Option* add_digits(CLI::App* cmd, std::optional<std::string>& digits) {
  return cmd->add_option("--digits", digits, "significant digits of the values printed (default 7)");
}

// The SI value of an argument, or a bad argument.
double read(const std::string& name, const std::string& text, quantity q, bool difference = false) {
  std::string error;
  const std::optional<double> v = kvtool::parse_quantity(text, q, error, difference);
  if (!v) throw bad_argument{name + ": " + error};
  return *v;
}

std::optional<double> read(const std::string& name, const std::optional<std::string>& text, quantity q) {
  if (!text) return std::nullopt;
  return read(name, *text, q);
}

// Leading spaces are the program's own (see arguments()).
std::string as_typed(const std::string& text) { return text.substr(std::min(text.find_first_not_of(' '), text.size())); }

// --- state ---------------------------------------------------------------
struct state_command {
  CLI::App* cmd;
  std::optional<std::string> p, T, h, s, x, rho, u, phase, digits;
  std::string units = "si";
  bool csv = false, json = false, derivatives = false, chemistry = false;

  explicit state_command(CLI::App& app) : cmd(app.add_subcommand("state", "the whole state of water from any two of p, T, h, s, x")) {
    cmd->footer(
        "Units: T in K, C or degC; p in Pa, kPa, bar or MPa; h in J/kg or kJ/kg; s in J/(kg K) or kJ/(kg K); rho in "
        "kg/m3; a bare number is SI. Two-phase states show the saturated liquid and vapour beside the mixture; what "
        "is not defined is n/a.");
    cmd->add_option("--p", p, "pressure, e.g. 10bar");
    cmd->add_option("--T", T, "temperature, e.g. 180C");
    cmd->add_option("--h", h, "specific enthalpy, e.g. 2800kJ/kg");
    cmd->add_option("--s", s, "specific entropy, e.g. '6.5kJ/(kg K)'");
    cmd->add_option("--x", x, "vapour fraction, 0 to 1");
    cmd->add_option("--rho", rho, "density, kg/m3 (with --p, --T, --h, --s or --u)");
    cmd->add_option("--u", u, "specific internal energy, e.g. 2500kJ/kg (with --p or --rho)");
    cmd->add_option("--phase", phase,
                    "liquid or vapour (with --p and --T, --h or --s): metastable beyond the saturation line");
    add_units(cmd, units, "si (K, Pa, J/kg) or eng (C, bar, kJ/kg)");
    add_digits(cmd, digits);
    cmd->add_flag("--csv", csv, "one record as comma-separated values");
    cmd->add_flag("--json", json, "one record as a JSON object");
    cmd->add_flag("--derivatives", derivatives, "also the named derivatives (cp, w, (drho/dh)_p ...)");
    cmd->add_flag("--chemistry", chemistry,
                  "also the dielectric constant (IAPWS R8-97), pKw (R11-24) and the refractive index at 589.3 nm "
                  "(R9-97) of the state");
  }

  int run() const {
    kvtool::state_inputs given{read("--p", p, quantity::pressure), read("--T", T, quantity::temperature),
                               read("--h", h, quantity::energy),   read("--s", s, quantity::entropy),
                               read("--x", x, quantity::fraction), read("--rho", rho, quantity::density),
                               "",                                 read("--u", u, quantity::energy)};
    if (phase)
      given.phase = one_of<kviapws97::water::phase>(
          "--phase", *phase, {{"liquid", kviapws97::water::phase::liquid}, {"vapour", kviapws97::water::phase::vapour}});
    const kvtool::value_units shown = units_of(units, false, "state");
    const int n = digits_of(digits);
    if (csv && json) throw bad_argument{"state: --csv and --json exclude each other"};
    if (derivatives && (csv || json)) throw bad_argument{"state: --derivatives goes with the text, not --csv or --json"};
    if (chemistry && (csv || json)) throw bad_argument{"state: --chemistry goes with the text, not --csv or --json"};
    if (const std::string problem = kvtool::pair_problem(given, kvtool::input_style::options); !problem.empty())
      throw bad_argument{"state: " + problem};
    const std::pair<const char*, const std::optional<std::string>*> typed[] = {
        {"--p", &p}, {"--T", &T}, {"--h", &h}, {"--s", &s}, {"--x", &x}, {"--rho", &rho}, {"--u", &u}};
    for (const auto& [name, text] : typed)
      if (*text) given.typed += (given.typed.empty() ? "" : " ") + std::string(name) + " " + as_typed(**text);
    const kvtool::record_format format = json  ? kvtool::record_format::json
                                         : csv ? kvtool::record_format::csv
                                               : kvtool::record_format::text;
    const int status = kvtool::run_state(given, *shown.system, format, n);
    std::string why;
    if (status == 0 && derivatives)
      kvtool::print_derivatives(kvtool::solve_state(given, *shown.system, why).state, *shown.system);
    if (status == 0 && chemistry) kvtool::print_chemistry(given, *shown.system);
    return status;
  }
};

// --- eos -----------------------------------------------------------------
struct eos_command {
  CLI::App* cmd;
  std::string T, P, phase = "auto", fugacity = "formulation";
  bool saturated = false;

  explicit eos_command(CLI::App& app)
      : cmd(app.add_subcommand("eos", "ln phi, H, S, G and V of one phase, with the library's warnings")) {
    cmd->add_option("T", T, "temperature, K")->required();
    cmd->add_option("P", P, "pressure, Pa (not used with --saturated)")->required();
    cmd->add_option("--phase", phase, "liquid, vapour (vapor, steam) or auto: vapour below the vapour pressure or "
                                      "above 647.096 K")
        ->capture_default_str();
    cmd->add_flag("--saturated", saturated, "evaluate on the saturation line at T");
    cmd->add_option("--fugacity", fugacity, "ln phi from the formulation or from the vapour-pressure alone")
        ->capture_default_str();
  }

  int run(const kvtool::plugin& lib) const {
    kvtool::eos_options o;
    o.T = read("T", T, quantity::temperature);
    o.P = read("P", P, quantity::pressure);
    o.phase = phase_of("--phase", phase);
    o.saturated = saturated;
    o.from_formulation = one_of<bool>("--fugacity", fugacity, {{"formulation", true}, {"vapour-pressure", false}});
    return kvtool::run_eos(lib, o);
  }
};

// --- prop ----------------------------------------------------------------
struct prop_command {
  CLI::App* cmd;
  std::string property, T, P, region, phase, units = "si";
  std::optional<std::string> V, digits;
  bool extrapolate = false;

  explicit prop_command(CLI::App& app) : cmd(app.add_subcommand("prop", "one property by name or code")) {
    cmd->footer(
        "With --region the dispatcher is asked for that region; region 4 with --phase is the saturated liquid or "
        "vapour. A state outside the region named is refused unless --extrapolate. With --phase alone the region "
        "finder settles the state and the region first. With neither, the library chooses the region at (T, P) "
        "itself.");
    cmd->add_option("property", property, "name or code: " + kvtool::property_names())->required();
    cmd->add_option("T", T, "temperature, K (region 4 with a phase: negative for 'not given')")->required();
    cmd->add_option("P", P, "pressure, Pa (region 4 with a phase: negative for 'not given')")->required();
    cmd->add_option("--volume", V,
                    "volume, m3/kg (m3/kmol with --units host; default: the one at T and P); it must be the volume "
                    "at (T, P) unless the property is one of T and V alone");
    cmd->add_option("--region", region, "IF97 region 1 to 5");
    cmd->add_flag("--extrapolate", extrapolate, "with --region: use the region's equation outside the region");
    cmd->add_option("--phase", phase, "liquid, vapour (vapor, steam) or auto");
    add_units(cmd, units, "si (J/kg, IF97 reference state), eng (kJ/kg) or host (J/kmol, the host's reference state)");
    add_digits(cmd, digits);
  }

  int run(const kvtool::plugin& lib) const {
    const std::optional<kvtool::property_info> found = kvtool::find_property(property);
    if (!found) throw bad_argument{"prop: unknown property '" + property + "'; known: " + kvtool::property_names()};
    kvtool::prop_options o{};
    o.property = *found;
    o.T = read("T", T, quantity::temperature);
    o.P = read("P", P, quantity::pressure);
    if (V) o.V = read("--volume", *V, quantity::volume);
    if (cmd->count("--region") != 0) {
      const std::string text = as_typed(region);
      if (text.size() != 1 || text[0] < '1' || text[0] > '5')
        throw bad_argument{"--region: '" + text + "' is not an IF97 region (1, 2, 3, 4 or 5)"};
      o.region = text[0] - '0';
    }
    if (extrapolate && !(o.region && *o.region != 4)) throw bad_argument{"--extrapolate: needs --region 1, 2, 3 or 5"};
    if (cmd->count("--phase") != 0) o.phase = phase_of("--phase", phase);
    o.units = units_of(units, true, "prop");
    o.digits = digits_of(digits);
    o.extrapolate = extrapolate;
    return kvtool::run_prop(lib, o);
  }
};

// --- region --------------------------------------------------------------
struct region_command {
  CLI::App* cmd;
  std::string T, P, phase = "auto";

  explicit region_command(CLI::App& app)
      : cmd(app.add_subcommand("region", "the IF97 region of a phase, the state used and its volume")) {
    cmd->add_option("T", T, "temperature, K")->required();
    cmd->add_option("P", P, "pressure, Pa")->required();
    cmd->add_option("--phase", phase, "liquid, vapour (vapor, steam) or auto: vapour below the vapour pressure or "
                                      "above 647.096 K")
        ->capture_default_str();
  }

  int run(const kvtool::plugin& lib) const {
    return kvtool::run_region(lib, read("T", T, quantity::temperature), read("P", P, quantity::pressure),
                              phase_of("--phase", phase));
  }
};

// --- table ---------------------------------------------------------------
struct table_command {
  CLI::App* cmd;
  std::vector<std::string> over_T, over_P;
  std::optional<std::string> isobar, isotherm, digits;
  std::string units = "si";
  bool csv = false;

  explicit table_command(CLI::App& app)
      : cmd(app.add_subcommand("table", "a saturation table, or an isobar or isotherm, over a range")) {
    cmd->footer(
        "Saturation columns: the temperature or pressure of the row and the other one on the saturation line, then "
        "v, h, the latent heat h\"-h', s, u, cp, w (speed of sound), mu (viscosity), lambda (thermal conductivity) "
        "and sigma (surface tension); ' marks the saturated liquid, \" the saturated vapour. With --isobar or "
        "--isotherm: the single phase of each row, its IF97 region, v, h, s, u, cp, cv, w, mu and lambda. "
        "Quantities take units: 100C, 10bar.");
    cmd->add_option("--temperature", over_T, "FROM TO STEP, e.g. 100C 600C 25C (K when bare)")->expected(3);
    cmd->add_option("--pressure", over_P, "FROM TO STEP, e.g. 1bar 100bar 1bar (Pa when bare)")->expected(3);
    cmd->add_option("--isobar", isobar, "a single-phase isobar at this pressure, rows by --temperature");
    cmd->add_option("--isotherm", isotherm, "a single-phase isotherm at this temperature, rows by --pressure");
    cmd->add_flag("--csv", csv, "comma-separated values (RFC 4180) at 12 digits");
    add_units(cmd, units, "si (J/kg, K, Pa; IF97 reference state), eng (kJ/kg, C, bar) or host (J/kmol, K, Pa; "
                          "the host's reference state)");
    add_digits(cmd, digits);
  }

  int run(const kvtool::plugin& lib) const {
    if (over_T.empty() == over_P.empty()) throw bad_argument{"table: give one of --temperature FROM TO STEP and --pressure FROM TO STEP"};
    if (isobar && isotherm) throw bad_argument{"table: --isobar and --isotherm exclude each other"};
    kvtool::table_options o{};
    o.over_pressure = over_T.empty();
    const std::vector<std::string>& r = o.over_pressure ? over_P : over_T;
    const std::string name = o.over_pressure ? "--pressure" : "--temperature";
    const quantity q = o.over_pressure ? quantity::pressure : quantity::temperature;
    o.from = read(name, r[0], q);
    o.to = read(name, r[1], q);
    o.step = read(name, r[2], q, true);
    o.isobar = read("--isobar", isobar, quantity::pressure);
    o.isotherm = read("--isotherm", isotherm, quantity::temperature);
    if (o.isobar && o.over_pressure) throw bad_argument{"--isobar: rows by --temperature, not --pressure"};
    if (o.isotherm && !o.over_pressure) throw bad_argument{"--isotherm: rows by --pressure, not --temperature"};
    if (!(o.step > 0.0) || !(o.to >= o.from))
      throw bad_argument{name + ": the range needs FROM <= TO and a positive STEP"};
    if ((o.to - o.from) / o.step >= 100000.0) throw bad_argument{name + ": the range gives more than 100000 rows"};
    if (o.to > o.from && o.from + o.step == o.from)
      throw bad_argument{name + ": STEP " + as_typed(r[2]) + " is below the resolution of FROM " + as_typed(r[0])};
    o.units = units_of(units, true, "table");
    o.digits = digits_of(digits);
    o.csv = csv;
    if (const std::string problem = kvtool::table_range_problem(o); !problem.empty()) throw bad_argument{problem};
    return kvtool::run_table(lib, o);
  }
};

// --- chart ---------------------------------------------------------------
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
                          {"x", &in.x, quantity::fraction}, {"rho", &in.rho, quantity::density},
                          {"u", &in.u, quantity::energy}};
    const known* k = nullptr;
    for (const known& candidate : keys)
      if (key == candidate.key) k = &candidate;
    if (eq == std::string::npos || k == nullptr) return "'" + field + "' is not p=, T=, h=, s=, x=, rho= or u= a value";
    if (k->value->has_value()) return key + " is given twice";
    std::string error;
    *k->value = kvtool::parse_quantity(field.substr(eq + 1), k->q, error);
    if (!*k->value) return key + ": " + error;
  }
  return kvtool::pair_problem(in, kvtool::input_style::keys);
}

struct chart_command {
  CLI::App* cmd;
  std::string diagram, output = "-", units = "si";
  std::optional<std::string> size, x_range, y_range;
  std::vector<std::string> marks;
  bool path = false;

  explicit chart_command(CLI::App& app)
      : cmd(app.add_subcommand("chart", "an SVG diagram: T-s, h-s (Mollier) or p-h, with marked states")) {
    cmd->footer(
        "The diagram shows the saturation dome and the critical point, isobars, isotherms and lines of constant "
        "vapour fraction. A mark is any two of p, T, h, s, x with units, e.g. --mark p=100bar,T=550C --mark "
        "p=0.1bar,x=0.9; --path joins the marks in order, along the isobar, isentrope, isotherm or isenthalp that "
        "two neighbours share, else straight.");
    cmd->add_option("diagram", diagram, "Ts, hs or ph")->required();
    cmd->add_option("--mark", marks, "a state to mark: two of p=, T=, h=, s=, x= (up to 100)");
    cmd->add_flag("--path", path, "join the marks in order");
    cmd->add_option("-o,--output", output, "SVG file, - for standard output")->capture_default_str();
    cmd->add_option("--size", size, "the picture's width in px, 300 to 5000 (default 1000); the height follows");
    cmd->add_option("--x-range", x_range,
                    "MIN:MAX of the x axis in the unit of --units: s in J/(kg K), h in J/kg (eng: kJ/(kg K), kJ/kg)");
    cmd->add_option("--y-range", y_range,
                    "MIN:MAX of the y axis in the unit of --units: T in K, h in J/kg, p in Pa (eng: C, kJ/kg, bar)");
    add_units(cmd, units, "si (K, Pa, J/kg) or eng (C, bar, kJ/kg): the axes, the lines' names and the marks' values");
  }

  // --x-range or --y-range: MIN:MAX in the axis's own unit, above 0 on a logarithmic axis.
  static void read_range(const std::string& option, const std::optional<std::string>& typed, kvtool::chart_axis& axis) {
    if (!typed) return;
    const std::string text = as_typed(*typed);
    const std::size_t colon = text.find(':');
    char* end = nullptr;
    const std::string lo_text = text.substr(0, colon), hi_text = colon == std::string::npos ? "" : text.substr(colon + 1);
    const double lo = std::strtod(lo_text.c_str(), &end);
    const bool lo_ok = end != lo_text.c_str() && *end == '\0';
    const double hi = std::strtod(hi_text.c_str(), &end);
    const bool hi_ok = end != hi_text.c_str() && *end == '\0';
    if (!lo_ok || !hi_ok || !std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi))
      throw bad_argument{option + ": '" + text + "' is not MIN:MAX, two finite numbers with MIN < MAX"};
    if (axis.logarithmic && !(lo > 0.0)) throw bad_argument{option + ": '" + text + "': the axis is logarithmic, MIN must be above 0"};
    axis.min = lo;
    axis.max = hi;
  }

  int run() const {
    const kvtool::chart_kind kind = one_of<kvtool::chart_kind>(
        "diagram", diagram, {{"Ts", kvtool::chart_kind::Ts}, {"hs", kvtool::chart_kind::hs}, {"ph", kvtool::chart_kind::ph}});
    if (marks.size() > max_marks) throw bad_argument{"--mark: at most 100 marks"};
    if (output.empty()) throw bad_argument{"--output: the file name is empty"};
    std::vector<kvtool::state_inputs> states;
    for (const std::string& text : marks) {
      kvtool::state_inputs in;
      in.typed = text;
      if (const std::string problem = parse_chart_mark(text, in); !problem.empty())
        throw bad_argument{"--mark '" + text + "': " + problem};
      states.push_back(in);
    }
    if (path && states.size() < 2) throw bad_argument{"--path: needs two marks or more"};
    double shown_width = kvtool::chart_width;
    if (size) {
      const std::string text = as_typed(*size);
      char* end = nullptr;
      shown_width = std::strtod(text.c_str(), &end);
      if (end == text.c_str() || *end != '\0' || !(shown_width >= 300.0 && shown_width <= 5000.0))
        throw bad_argument{"--size: '" + text + "' is not a width from 300 to 5000 px"};
    }
    const kvtool::unit_system shown = units_of(units, false, "chart").system.value_or(kvtool::unit_system::si);
    kvtool::chart_layout frame = kvtool::layout_of(kind, shown);
    read_range("--x-range", x_range, frame.x);
    read_range("--y-range", y_range, frame.y);
    return kvtool::run_chart({kind, frame, shown}, states, path, output, shown_width);
  }
};

// --- map -----------------------------------------------------------------
struct map_command {
  CLI::App* cmd;
  std::vector<std::string> marks;
  std::string output = "-";

  explicit map_command(CLI::App& app)
      : cmd(app.add_subcommand("map", "an SVG picture of the p-T plane with the IF97 regions and marked states")) {
    cmd->footer(
        "The picture shows IF97 regions 1, 2, 3 and 5, the saturation line, B23, the critical point and the bounds "
        "the library enforces; each marked state is drawn with the region it landed in and the state it was moved "
        "to.");
    cmd->add_option("--mark", marks, "T,P[,liquid|vapour|auto]: a state to mark with the region it lands in (up to 100)");
    cmd->add_option("-o,--output", output, "SVG file, - for standard output")->capture_default_str();
  }

  // --mark T,P[,phase] of the map.
  static kvtool::map_request parse_mark(const std::string& typed) {
    const std::string text = as_typed(typed);
    std::vector<std::string> fields{""};
    for (const char c : text) {
      if (c == ',')
        fields.emplace_back();
      else
        fields.back() += c;
    }
    const std::string bad = "--mark: '" + text + "' is not T,P[,liquid|vapour|auto]";
    if (fields.size() < 2 || fields.size() > 3) throw bad_argument{bad};
    std::string error;
    const auto T = kvtool::parse_quantity(fields[0], quantity::temperature, error);
    if (!T) throw bad_argument{bad + ": T: " + error};
    const auto P = kvtool::parse_quantity(fields[1], quantity::pressure, error);
    if (!P) throw bad_argument{bad + ": P: " + error};
    const kvtool::map_request mark{*T, *P, phase_of("--mark '" + text + "': phase", fields.size() == 3 ? fields[2] : "auto")};
    if (const std::string problem = kvtool::map_mark_problem(mark); !problem.empty())
      throw bad_argument{"--mark '" + text + "': " + problem};
    return mark;
  }

  int run(const kvtool::plugin& lib) const {
    if (marks.size() > max_marks) throw bad_argument{"--mark: at most 100 marks"};
    if (output.empty()) throw bad_argument{"--output: the file name is empty"};
    std::vector<kvtool::map_request> requests;
    for (const std::string& text : marks) requests.push_back(parse_mark(text));
    return kvtool::run_map(lib, requests, output);
  }
};

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

// The options of a command as typed: "--p", "-o".
std::vector<std::string> option_names(const CLI::App* command) {
  std::vector<std::string> names;
  for (const CLI::Option* o : command->get_options()) {
    for (const std::string& n : o->get_lnames()) names.push_back("--" + n);
    for (const std::string& n : o->get_snames()) names.push_back("-" + n);
  }
  return names;
}

const CLI::Option* option_named(const CLI::App* command, const std::string& name) {
  for (const CLI::Option* o : command->get_options())
    if (o->check_name(name)) return o;
  return nullptr;
}

// Before CLI11 parses: an option the subcommand does not have (with the near
// miss), an option given twice, one without its values.
void check_options(const CLI::App& app, const CLI::App* command, int argc, char** argv) {
  const std::string where = command->get_name();
  std::vector<std::string> names = option_names(command);
  for (const std::string& n : option_names(&app)) names.push_back(n);
  std::map<const CLI::Option*, int> seen;
  for (int i = 1; i < argc; ++i) {
    const std::string token = argv[i];
    if (token.size() < 2 || token[0] != '-' || token == "--") continue;
    char* end = nullptr;
    (void)std::strtod(token.c_str(), &end);
    if (end > token.c_str() + 1) continue;  // a negative number
    const std::string name = token.substr(0, token.find('='));
    const CLI::Option* o = option_named(command, name);
    if (o == nullptr) o = option_named(&app, name);
    if (o == nullptr) {
      const std::string near = kvtool::near_miss(name, names);
      throw bad_argument{where + ": " + name + " is not an option of " + where +
                         (near.empty() ? " (see kviapws97 " + where + " --help)" : "; did you mean " + near + "?")};
    }
    const int wanted = o->get_items_expected_max();
    if (wanted > 0 && !o->check_lname("mark") && ++seen[o] > 1)  // --mark alone may come again
      throw bad_argument{name + ": given twice"};
    if (wanted <= 0 || token.find('=') != std::string::npos || wanted > 3) continue;
    int values = 0;
    for (int j = i + 1; j < argc && values < wanted; ++j, ++values) {
      const std::string next = argv[j];
      (void)std::strtod(next.c_str(), &end);
      if (next.size() > 1 && next[0] == '-' && !(end > next.c_str() + 1)) break;
    }
    if (values < wanted)
      throw bad_argument{name + ": needs " + (wanted == 1 ? std::string("a value") : std::to_string(wanted) + " values") +
                         (values == 0 ? "" : ", got " + std::to_string(values))};
  }
}

// CLI11's own messages, in the program's words.
std::string parse_failure(const CLI::ParseError& e, const CLI::App* command) {
  const std::string where = command != nullptr ? command->get_name() + ": " : "";
  std::string what = e.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    // "The following arguments were not expected: c b a", in CLI11's reversed order.
    std::vector<std::string> extras;
    std::string word;
    for (const char c : what.substr(what.find(':') + 1) + " ") {
      if (c != ' ') {
        word += c;
      } else if (!word.empty()) {
        extras.insert(extras.begin(), as_typed(word));
        word.clear();
      }
    }
    std::string list;
    for (const std::string& x : extras) list += (list.empty() ? "'" : " '") + x + "'";
    return where + "unexpected argument" + (extras.size() > 1 ? "s " : " ") + list;
  }
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr && command == nullptr)
    return "give a subcommand: state, table, chart, map, eos, prop, region or demo (see kviapws97 --help)";
  return where + what;
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
  state_command state(app);
  eos_command eos(app);
  prop_command prop(app);
  region_command region(app);
  table_command table(app);
  chart_command chart(app);
  map_command map(app);
  CLI::App* demo = app.add_subcommand("demo", "a few representative states, with the region and the state used");

  // The subcommand: the first word that is not an option or its value.
  const CLI::App* command = nullptr;
  for (int i = 1; i < argc && command == nullptr; ++i) {
    const std::string word = argv[i];
    if (word == "--plugin") {
      ++i;
      continue;
    }
    if (word.rfind("-", 0) == 0) continue;
    const auto named = [&](const CLI::App* sub) { return sub->get_name() == word; };
    const std::vector<CLI::App*> found = app.get_subcommands(named);
    if (found.empty()) {
      std::vector<std::string> names;
      for (const CLI::App* sub : app.get_subcommands({})) names.push_back(sub->get_name());
      const std::string near = kvtool::near_miss(word, names);
      return refuse("unknown subcommand '" + word + "'" + (near.empty() ? "" : "; did you mean " + near + "?") +
                    " (see kviapws97 --help)");
    }
    command = found.front();
  }
  try {
    if (command != nullptr) check_options(app, command, argc, argv);
    std::vector<std::string> args = arguments(argc, argv);
    app.parse(args);
  } catch (const bad_argument& e) {
    return refuse(e.why);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {  // --help, --version
      app.exit(e);
      return kvtool::finish(0);
    }
    return refuse(parse_failure(e, command));
  }

  if (app.count("--plugin") != 0 && plugin_path.empty()) return refuse("--plugin: the path is empty");
  try {
    // The engineer's subcommands need the state API alone, not the plug-in.
    if (*state.cmd) return kvtool::finish(state.run());
    if (*chart.cmd) return kvtool::finish(chart.run());
    const kvtool::plugin lib(plugin_path.empty() ? kvtool::default_plugin_path() : plugin_path);
    int status = 0;
    if (*eos.cmd) status = eos.run(lib);
    if (*prop.cmd) status = prop.run(lib);
    if (*region.cmd) status = region.run(lib);
    if (*table.cmd) status = table.run(lib);
    if (*map.cmd) status = map.run(lib);
    if (*demo) status = kvtool::run_demo(lib);
    return kvtool::finish(status);
  } catch (const bad_argument& e) {
    return refuse(e.why);
  } catch (const kvtool::load_error& e) {
    return refuse(e.what());
  }
}
