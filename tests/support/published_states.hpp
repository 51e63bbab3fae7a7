// The verification states of the IF97 basic equations, each property kept as
// the release prints it: IAPWS-IF97 Tables 5 (region 1), 15 (region 2), 33
// (region 3) and 42 as revised in 2007 (region 5), with cv and the fugacity
// given with the same states. Regions 1, 2 and 5 are states (p, T); region 3
// is (T, rho) with the printed pressure. The region tests call the IF97
// operations on them, the dispatcher tests the host's codes.
#pragma once

#include <cstdint>

#include "if97/if97.h"

namespace kvtest {

struct published_state {
  std::int64_t region;
  double p;    // MPa (region 3: the printed pressure, as the fugacity's argument)
  double T;    // K
  double rho;  // kg/m3, region 3 only
  const char* pv;  // v in m3/kg, or in region 3 p in MPa
  const char *h, *u, *s, *cp, *cv, *w;
  const char* f;  // fugacity, MPa; null where none is given
};

// f(30 MPa, 700 K), quoted to nine digits as 20.0459845, is that rounding of
// the ten-digit 20.04598445; the equation gives 20.0459844482, which lies
// 2e-10 MPa outside half a unit of the ninth digit, so the row keeps ten.
inline constexpr published_state published_states[] = {
    {1, 3, 300, 0, "0.100215168e-2", "0.115331273e3", "0.112324818e3", "0.392294792", "0.417301218e1", "4.12120160",
     "0.150773921e4", "0.00360821559"},
    {1, 80, 300, 0, "0.971180894e-3", "0.184142828e3", "0.106448356e3", "0.368563852", "0.401008987e1", nullptr,
     "0.163469054e4", nullptr},
    {1, 3, 500, 0, "0.120241800e-2", "0.975542239e3", "0.971934985e3", "0.258041912e1", "0.465580682e1", nullptr,
     "0.124071337e4", nullptr},
    {2, 0.0035, 300, 0, "0.394913866e2", "0.254991145e4", "0.241169160e4", "0.852238967e1", "0.191300162e1",
     "1.44132662", "0.427920172e3", "0.00349413548"},
    {2, 0.0035, 700, 0, "0.923015898e2", "0.333568375e4", "0.301262819e4", "0.101749996e2", "0.208141274e1",
     "1.61978333", "0.644289068e3", nullptr},
    {2, 30, 700, 0, "0.542946619e-2", "0.263149474e4", "0.246861076e4", "0.517540298e1", "0.103505092e2",
     "2.97553837", "0.480386523e3", "20.04598445"},
    {3, 25.5837018, 650, 500, "0.255837018e2", "0.186343019e4", "0.181226279e4", "0.405427273e1", "0.138935717e2",
     "3.19131787", "0.502005554e3", "15.0574335"},
    {3, 22.2930643, 650, 200, "0.222930643e2", "0.237512401e4", "0.226365868e4", "0.485438792e1", "0.446579342e2",
     "4.04118076", "0.383444594e3", nullptr},
    {3, 78.3095639, 750, 500, "0.783095639e2", "0.225868845e4", "0.210206932e4", "0.446971906e1", "0.634165359e1",
     "2.71701677", "0.760696041e3", nullptr},
    {5, 0.5, 1500, 0, "0.138455090e1", "0.521976855e4", "0.452749310e4", "0.965408875e1", "0.261609445e1",
     "2.15337784", "0.917068690e3", "0.499990143"},
    {5, 30, 1500, 0, "0.230761299e-1", "0.516723514e4", "0.447495124e4", "0.772970133e1", "0.272724317e1",
     "2.19274829", "0.928548002e3", "29.9811285"},
    {5, 30, 2000, 0, "0.311385219e-1", "0.657122604e4", "0.563707038e4", "0.853640523e1", "0.288569882e1",
     "2.39589436", "0.106736948e4", "30.3551277"},
};

using region_operation = double (*)(const double*, const double*);

// The operations of a region: of (p, T) in regions 1, 2 and 5, of (T, v) in
// region 3, where the first is the pressure instead of the volume.
struct region_ops {
  region_operation pv, h, u, s, cp, cv, w, f, dvdp;  // f, dvdp: null where the region has none of (p, T)
};

inline region_ops ops_of(std::int64_t region) {
  switch (region) {
    case 1: return {IF97_V1, IF97_H1, IF97_U1, IF97_S1, IF97_CP1, IF97_CV1, IF97_W1, IF97_FUG1, IF97_DVDP1};
    case 2: return {IF97_V2, IF97_H2, IF97_U2, IF97_S2, IF97_CP2, IF97_CV2, IF97_W2, IF97_FUG2, IF97_DVDP2};
    case 3: return {IF97_P3, IF97_H3, IF97_U3, IF97_S3, IF97_CP3, IF97_CV3, IF97_W3, nullptr, IF97_DPDV3};
    default: return {IF97_V5, IF97_H5, IF97_U5, IF97_S5, IF97_CP5, IF97_CV5, IF97_W5, IF97_FUG5, nullptr};
  }
}

}  // namespace kvtest
