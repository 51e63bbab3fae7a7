// The plug-in as a host loads it: dlopen in a process that already holds the
// host's routines and shared blocks (the stand-in host), then the exported
// routine by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "support/dispatch.hpp"

namespace {

TEST(Plugin, LoadsAndAgreesWithTheStaticLibrary) {
  void* handle = dlopen(KVIAPWS97_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  const auto plugin = reinterpret_cast<kvtest::dispatcher_fn>(dlsym(handle, "KVIAPWS_IF97PROP"));
  ASSERT_NE(plugin, nullptr) << dlerror();
  EXPECT_NE(plugin, &KVIAPWS_IF97PROP) << "dlsym found the static library's routine, not the plug-in's";

  struct state {
    std::int32_t code;
    double T, P;
    std::int64_t region;
  };
  const state states[] = {{1, 300, 1e5, 1},  {2, 300, 1e5, 1}, {3, 450, 3e7, 1}, {4, 600, 8e7, 1},
                          {5, 300, 3e6, 1},  {9, 350, 1e6, 1}, {10, 350, 1e6, 1}, {12, 500, 3e6, 1},
                          {13, 300, 8e7, 1}, {2, 300, 1e5, 0}};
  for (const state& s : states) {
    const auto from_plugin = kvtest::dispatch(s.code, s.T, s.P, s.region, 0.0, 2, plugin);
    const auto from_static = kvtest::dispatch(s.code, s.T, s.P, s.region);
    EXPECT_EQ(from_plugin.value, from_static.value) << "code " << s.code << " T " << s.T << " P " << s.P;
    EXPECT_EQ(from_plugin.error, from_static.error) << "code " << s.code;
  }
  dlclose(handle);
}

}  // namespace
