// The stand-in host: the C++ side that tests and the command-line program use
// to inspect and reset it. The routines and blocks themselves are declared in
// host/host.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// The missing value of SYS_RCONST[0]: no property of water in any unit of this
// library comes near it.
inline constexpr double missing_value = -1.0e35;
inline constexpr double reference_pressure = 101325.0;  // Pa, KVUTL_GLOBAL[0]
inline constexpr double gas_constant = 8314.41;         // J/(kmol K), KVUTL_GLOBAL[2]

struct msgchk_call {
  std::string routine;  // the 16 characters passed
  std::int64_t severity;
  std::int64_t message;
  void* component;
  double* prpctl7;
  std::int64_t a, b, c;
};

// Every SYS_MSGCHK call since the last reset.
const std::vector<msgchk_call>& msgchk_calls();
// Every record SYS_MSGPRT printed since the last reset, trailing blanks removed.
const std::vector<std::string>& printed_lines();

// Restores the shared blocks to their defaults and forgets the records.
void reset();

// Calls of KVUTL_LIQRT or KVUTL_VAPRT made without a root flag of
// KVUTL_ROOTFL set to -1, or out of turn: caller errors.
int root_flag_errors();
void clear_root_flag_errors();

// Pressures one root search takes before it ends with status 5.
inline constexpr int evaluation_budget = 100;

// Since the last reset: the root searches started and the pressures handed
// back to them (calls with status 1, 2 or 3). A caller that keeps a search
// going past its budget hands back more than evaluation_budget per search.
struct root_search_counts {
  int searches = 0;
  int pressures = 0;
};
root_search_counts root_search_totals();
void clear_root_search_totals();

// The arguments of the last root search started: which routine, its mode and
// the caller's start volume (m3/kmol).
struct root_search_start {
  bool vapour = false;
  std::int64_t mode = 0;
  double volume = 0.0;
};
root_search_start last_root_search_start();

// Whether SYS_MSGPRT also writes to standard error (default true).
void set_echo(bool on);

}  // namespace standin
