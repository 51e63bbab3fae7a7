// The host's units against IF97's: the host speaks K, Pa and m3/kmol and
// receives molar values; IF97 speaks MPa (bar in the region-4 operations),
// kJ/kg and m3/kg.
#pragma once

#include "adapter/kviapws97.h"

namespace kviapws97 {

inline constexpr double molar_mass = KVIAPWS97_MOLAR_MASS;  // kg/kmol: m3/kg -> m3/kmol
inline constexpr double per_kmol = 1e3 * molar_mass;         // kJ/kg -> J/kmol, kJ/(kg K) -> J/(kmol K)
inline constexpr double pa_per_mpa = 1e6;                    // Pa/MPa
inline constexpr double pa_per_bar = 1e5;                    // Pa/bar

}  // namespace kviapws97
