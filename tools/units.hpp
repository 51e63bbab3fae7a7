// Quantities with units as engineers type and read them: the one table of
// units of the program, the one parser of "number[unit]" for every argument,
// and the units of output in SI or engineering units.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvtool {

enum class quantity {
  temperature,
  pressure,
  energy,   // per mass: h, u, the latent heat
  entropy,  // per mass and kelvin: s, cp, cv
  density,
  volume,  // per mass
  fraction,
  speed,
  viscosity,
  conductivity,
  tension,
};

// A unit of a quantity: value in SI = value x scale + offset.
struct unit {
  quantity of;
  std::string_view symbol;  // as printed
  double scale;
  double offset;  // kelvin of 0 degC; 0 for every other unit
};

// How values are printed: SI base units (K, Pa, J/kg, J/(kg K)), or the
// engineer's degC, bar, kJ/kg and kJ/(kg K).
enum class unit_system { si, eng };

const unit& output_unit(quantity q, unit_system system);
const unit& si_unit(quantity q);
// The unit of a symbol (spaces ignored), or nullptr.
const unit* find_unit(std::string_view symbol);

inline double to_si(double value, const unit& u) { return value * u.scale + u.offset; }
inline double from_si(double value, const unit& u) { return (value - u.offset) / u.scale; }

// "number[unit]": a finite number, then optionally (after optional spaces)
// one of the units of q; a bare number is in SI units. A difference (the
// step of a range) takes no offset: "25C" is 25 K. The SI value, or an
// empty optional with the reason in `error` ("'' is empty", "unknown unit").
std::optional<double> parse_quantity(std::string_view text, quantity q, std::string& error, bool difference = false);

// The symbols of q that the parser takes, for messages and help texts.
std::string unit_choices(quantity q);

}  // namespace kvtool
