// The plug-in as this program hosts it: loaded with dlopen, as a simulator
// loads it, into a process that carries the stand-in host's routines and
// shared blocks. Each call starts from the stand-in's default settings and
// collects the warnings the library printed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "adapter/kviapws97.h"

namespace kvtool {

struct load_error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The plug-in next to this program in the build tree or in an installation,
// else the name alone for the dynamic loader to find.
std::string default_plugin_path();

// What a host call returned with the warnings the library printed during it.
struct property_result {
  double value;
  std::int64_t error;
  bool ok() const;  // error flag 0 and a value that is not the missing value
};

struct eos_result {
  double lnphi, H, S, G, V;  // -, J/kmol, J/(kmol K), J/kmol, m3/kmol
  std::int64_t error;
  std::vector<std::string> warnings;
};

struct region_result {
  std::int64_t region;
  double T_used, P_used, V;  // K, Pa, m3/kmol
  std::int64_t error;
  std::vector<std::string> warnings;
};

class plugin {
 public:
  explicit plugin(const std::string& path);  // throws load_error
  ~plugin();
  plugin(const plugin&) = delete;
  plugin& operator=(const plugin&) = delete;

  const std::string& path() const { return path_; }

  // KVIAPWS_IF97PROP for one code.
  property_result property(std::int32_t code, double T, double P, double V, std::int64_t phase,
                           std::int64_t region) const;
  // KVIAPWS_ES15D with every quantity requested.
  eos_result eos(double T, double P, std::int64_t phase, bool saturated, bool from_formulation) const;
  // KVIAPWS_FDREGION.
  region_result find_region(double T, double P, std::int64_t phase) const;

 private:
  std::string path_;
  void* handle_ = nullptr;
  decltype(&KVIAPWS_IF97PROP) if97prop_ = nullptr;
  decltype(&KVIAPWS_ES15D) es15d_ = nullptr;
  decltype(&KVIAPWS_FDREGION) fdregion_ = nullptr;
};

// The missing value of the host's SYS_RCONST, which marks "no value"; a
// value that is not finite is no value either.
double missing_value();
bool is_missing(double value);

}  // namespace kvtool
