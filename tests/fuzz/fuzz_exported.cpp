// libFuzzer target: the three exported routines with arbitrary doubles (NaN,
// +-Inf, subnormals, huge values) and arbitrary codes, regions, phases and
// flags. Nothing may crash, hang or trip a sanitizer, and the dispatcher may
// never report a value that is not a number as a success.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "adapter/kviapws97.h"
#include "host/host.h"
#include "host/standin/standin_host.hpp"

namespace {

struct reader {
  const std::uint8_t* data;
  std::size_t size;

  template <class T>
  T take() {
    T value{};
    const std::size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  standin::set_echo(false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  reader in{data, size};
  const std::uint8_t which = in.take<std::uint8_t>();
  const double T = in.take<double>();
  const double P = in.take<double>();
  const double V = in.take<double>();
  const std::int64_t phase = in.take<std::int8_t>();
  const std::int64_t region = in.take<std::int8_t>();
  standin::reset();  // the stand-in records every warning; start each input afresh
  SYS_MSGCTL[56] = which & 1;

  switch (which % 3) {
    case 0: {
      const std::int32_t code = in.take<std::int32_t>();
      double result = 0.0;
      std::int64_t error = -1;
      KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &result, &error);
      const bool sound = (error == 0 && std::isfinite(result)) || (error == 1 && result == SYS_RCONST[0]);
      if (!sound) std::abort();
      break;
    }
    case 1: {
      const std::int64_t saturation = in.take<std::int8_t>();
      const std::int64_t mode = in.take<std::int8_t>();
      std::int64_t want[5];
      for (std::int64_t& w : want) w = in.take<std::int8_t>() % 4;
      double out[5] = {};
      std::int64_t error = -1;
      KVIAPWS_ES15D(&T, &P, nullptr, &phase, &saturation, &mode, &want[0], &want[1], &want[2], &want[3], &want[4],
                    &out[0], &out[1], &out[2], &out[3], &out[4], &error);
      if (error != 0 && error != 1) std::abort();
      break;
    }
    default: {
      std::int64_t found = 0, error = -1;
      double T_used = 0.0, P_used = 0.0, volume = 0.0;
      KVIAPWS_FDREGION(&T, &P, &phase, nullptr, &found, &T_used, &P_used, &volume, &error);
      if (error != 0 && error != 1) std::abort();
      break;
    }
  }
  if (KVUTL_ROOTFL[0] != 0 || KVUTL_ROOTFL[1] != 0) std::abort();
  return 0;
}
