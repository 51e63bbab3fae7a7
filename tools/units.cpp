#include "tools/units.hpp"

#include <cmath>
#include <cstdlib>

namespace kvtool {
namespace {

using enum quantity;

constexpr double kelvin_at_0C = 273.15;

// The units of every quantity; the first of each is its SI unit. Spellings
// that differ only by spaces are one entry.
constexpr unit units[] = {
    {temperature, "K", 1.0, 0.0},
    {temperature, "\u00b0C", 1.0, kelvin_at_0C},
    {temperature, "C", 1.0, kelvin_at_0C},
    {temperature, "degC", 1.0, kelvin_at_0C},
    {pressure, "Pa", 1.0, 0.0},
    {pressure, "kPa", 1e3, 0.0},
    {pressure, "bar", 1e5, 0.0},
    {pressure, "MPa", 1e6, 0.0},
    {energy, "J/kg", 1.0, 0.0},
    {energy, "kJ/kg", 1e3, 0.0},
    {entropy, "J/(kg K)", 1.0, 0.0},
    {entropy, "kJ/(kg K)", 1e3, 0.0},
    {entropy, "J/kgK", 1.0, 0.0},
    {entropy, "kJ/kgK", 1e3, 0.0},
    {density, "kg/m3", 1.0, 0.0},
    {volume, "m3/kg", 1.0, 0.0},
    {fraction, "", 1.0, 0.0},
    {speed, "m/s", 1.0, 0.0},
    {viscosity, "Pa s", 1.0, 0.0},
    {conductivity, "W/(m K)", 1.0, 0.0},
    {tension, "N/m", 1.0, 0.0},
};

std::string without_spaces(std::string_view text) {
  std::string s;
  for (const char c : text)
    if (c != ' ') s += c;
  return s;
}

}  // namespace

const unit& si_unit(quantity q) {
  for (const unit& u : units)
    if (u.of == q) return u;
  return units[0];  // not reached: every quantity has its SI unit
}

const unit& output_unit(quantity q, unit_system system) {
  if (system == unit_system::eng) {
    const char* eng = q == temperature ? "\u00b0C"
                      : q == pressure  ? "bar"
                      : q == energy    ? "kJ/kg"
                      : q == entropy   ? "kJ/(kg K)"
                                       : nullptr;
    if (eng != nullptr) return *find_unit(eng);
  }
  return si_unit(q);
}

const unit* find_unit(std::string_view symbol) {
  const std::string wanted = without_spaces(symbol);
  for (const unit& u : units)
    if (without_spaces(u.symbol) == wanted) return &u;
  return nullptr;
}

std::string unit_choices(quantity q) {
  std::string s;
  for (const unit& u : units) {
    if (u.of != q || u.symbol.empty()) continue;
    s += (s.empty() ? "" : ", ") + std::string(u.symbol);
  }
  return s.empty() ? "none" : s;
}

std::optional<double> parse_quantity(std::string_view text, quantity q, std::string& error, bool difference) {
  // Leading spaces are the program's own: they keep "-inf" from reading as an option.
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const std::string s(text);
  if (s.empty()) {
    error = "the value is empty";
    return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  if (end == s.c_str() || s.find_first_of("xX") < static_cast<std::size_t>(end - s.c_str())) {
    error = "'" + s + "' is not a number";
    return std::nullopt;
  }
  if (!std::isfinite(value)) {
    error = "'" + s + "' is not a finite number";
    return std::nullopt;
  }
  const std::string symbol = without_spaces(end);
  const unit* u = symbol.empty() ? &si_unit(q) : find_unit(symbol);
  if (u == nullptr || u->of != q) {
    error = "'" + s + "': unknown unit '" + symbol + "' (" + unit_choices(q) + ")";
    return std::nullopt;
  }
  return difference ? value * u->scale : to_si(value, *u);
}

}  // namespace kvtool
