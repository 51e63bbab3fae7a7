// Calls KVIAPWS_IF97PROP the way a host does, by address.
#pragma once

#include <cstdint>

#include "adapter/kviapws97.h"

namespace kvtest {

struct dispatch_result {
  double value;
  std::int64_t error;
};

using dispatcher_fn = decltype(&KVIAPWS_IF97PROP);

inline dispatch_result dispatch(std::int32_t code, double T, double P, std::int64_t region, double V = 0.0,
                                std::int64_t phase = 2, dispatcher_fn fn = &KVIAPWS_IF97PROP) {
  dispatch_result r{0.0, -7};
  fn(&T, &P, &V, &code, &phase, &region, nullptr, &r.value, &r.error);
  return r;
}

}  // namespace kvtest
