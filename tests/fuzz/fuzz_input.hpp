// The fuzz target's input: one call of an exported routine. The fields follow
// one another unpadded in the order of `fields`, in the machine's byte order;
// bytes missing at the end read as zero and bytes beyond the last field are
// ignored. The corpus generator writes inputs with the same field list, so a
// change here changes both (and the committed corpus must be regenerated).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kvfuzz {

enum class routine : std::uint8_t { if97prop = 0, es15d = 1, fdregion = 2 };

struct fuzz_call {
  std::uint8_t which = 0;    // routine: the value modulo 3
  std::uint8_t options = 0;  // bit 0: diagnostics written (SYS_MSGCTL[56])
  double T = 0.0, P = 0.0, V = 0.0;
  std::int64_t phase = 0;
  std::int64_t region = 0;       // KVIAPWS_IF97PROP
  std::int32_t code = 0;         // KVIAPWS_IF97PROP
  std::int64_t saturation = 0;   // KVIAPWS_ES15D
  std::int64_t fugacity_mode = 0;
  std::int64_t want[5] = {};     // KVIAPWS_ES15D: ln phi, H, S, G, V

  routine called() const { return static_cast<routine>(which % 3); }
  bool diagnostics() const { return (options & 1) != 0; }
};

template <class Call, class F>
void fields(Call& c, F&& f) {
  f(c.which);
  f(c.options);
  f(c.T);
  f(c.P);
  f(c.V);
  f(c.phase);
  f(c.region);
  f(c.code);
  f(c.saturation);
  f(c.fugacity_mode);
  for (auto& w : c.want) f(w);
}

inline fuzz_call decode(const std::uint8_t* data, std::size_t size) {
  fuzz_call c;
  fields(c, [&](auto& field) {
    const std::size_t n = size < sizeof field ? size : sizeof field;
    if (n > 0) std::memcpy(&field, data, n);
    data += n;
    size -= n;
  });
  return c;
}

inline std::vector<std::uint8_t> encode(const fuzz_call& c) {
  std::vector<std::uint8_t> bytes;
  fields(c, [&](const auto& field) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&field);
    bytes.insert(bytes.end(), p, p + sizeof field);
  });
  return bytes;
}

}  // namespace kvfuzz
