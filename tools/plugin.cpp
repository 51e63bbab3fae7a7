#include "tools/plugin.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "host/host.h"
#include "host/standin/standin_host.hpp"

namespace kvtool {
namespace {

// A fresh stand-in host for each call, with its warnings kept for the caller
// rather than echoed.
void begin_call() {
  standin::reset();
  standin::set_echo(false);
}

std::vector<std::string> end_call() { return standin::printed_lines(); }

template <class F>
F symbol(void* handle, const char* name, const std::string& path) {
  void* address = dlsym(handle, name);
  if (address == nullptr) throw load_error(path + " has no routine " + name);
  return reinterpret_cast<F>(address);
}

}  // namespace

double missing_value() { return SYS_RCONST[0]; }

bool is_missing(double value) { return value == SYS_RCONST[0] || !std::isfinite(value); }

bool property_result::ok() const { return error == 0 && !is_missing(value); }

std::string default_plugin_path() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    for (const char* relative : {KVTOOL_PLUGIN_FROM_BUILD, KVTOOL_PLUGIN_FROM_INSTALL}) {
      const std::filesystem::path candidate = (self.parent_path() / relative).lexically_normal();
      if (std::filesystem::exists(candidate, ec)) return candidate.string();
    }
  }
  return "libkviapws97.so";
}

plugin::plugin(const std::string& path) : path_(path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    throw load_error("cannot load the plug-in " + path + ": " + (why != nullptr ? why : "unknown error"));
  }
  try {
    if97prop_ = symbol<decltype(if97prop_)>(handle_, "KVIAPWS_IF97PROP", path);
    es15d_ = symbol<decltype(es15d_)>(handle_, "KVIAPWS_ES15D", path);
    fdregion_ = symbol<decltype(fdregion_)>(handle_, "KVIAPWS_FDREGION", path);
  } catch (...) {
    dlclose(handle_);
    throw;
  }
}

plugin::~plugin() { dlclose(handle_); }

property_result plugin::property(std::int32_t code, double T, double P, double V, std::int64_t phase,
                                 std::int64_t region) const {
  begin_call();
  property_result r{0.0, 0};
  if97prop_(&T, &P, &V, &code, &phase, &region, nullptr, &r.value, &r.error);
  return r;
}

eos_result plugin::eos(double T, double P, std::int64_t phase, bool saturated, bool from_formulation) const {
  begin_call();
  const std::int64_t saturation = saturated ? 1 : 0;
  const std::int64_t mode = from_formulation ? 1 : 0;
  const std::int64_t want = 1;
  eos_result r{};
  es15d_(&T, &P, nullptr, &phase, &saturation, &mode, &want, &want, &want, &want, &want, &r.lnphi, &r.H, &r.S, &r.G,
         &r.V, &r.error);
  r.warnings = end_call();
  return r;
}

region_result plugin::find_region(double T, double P, std::int64_t phase) const {
  begin_call();
  region_result r{};
  fdregion_(&T, &P, &phase, nullptr, &r.region, &r.T_used, &r.P_used, &r.V, &r.error);
  r.warnings = end_call();
  return r;
}

}  // namespace kvtool
