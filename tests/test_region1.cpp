// IAPWS-IF97 region 1 against the release's verification values.
#include <gtest/gtest.h>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/published_pT.hpp"

namespace {

// IAPWS-IF97 Table 5, and cv, fugacity and (dv/dp)_T at 3 MPa and 300 K.
const kvtest::published_pT_row region1_rows[] = {
    {"v", IF97_V1, 3, 300, "0.100215168e-2"},   {"h", IF97_H1, 3, 300, "0.115331273e3"},
    {"u", IF97_U1, 3, 300, "0.112324818e3"},    {"s", IF97_S1, 3, 300, "0.392294792"},
    {"cp", IF97_CP1, 3, 300, "0.417301218e1"},  {"w", IF97_W1, 3, 300, "0.150773921e4"},
    {"v", IF97_V1, 80, 300, "0.971180894e-3"},  {"h", IF97_H1, 80, 300, "0.184142828e3"},
    {"u", IF97_U1, 80, 300, "0.106448356e3"},   {"s", IF97_S1, 80, 300, "0.368563852"},
    {"cp", IF97_CP1, 80, 300, "0.401008987e1"}, {"w", IF97_W1, 80, 300, "0.163469054e4"},
    {"v", IF97_V1, 3, 500, "0.120241800e-2"},   {"h", IF97_H1, 3, 500, "0.975542239e3"},
    {"u", IF97_U1, 3, 500, "0.971934985e3"},    {"s", IF97_S1, 3, 500, "0.258041912e1"},
    {"cp", IF97_CP1, 3, 500, "0.465580682e1"},  {"w", IF97_W1, 3, 500, "0.124071337e4"},
    {"cv", IF97_CV1, 3, 300, "4.12120160"},     {"f", IF97_FUG1, 3, 300, "0.00360821559"},
    {"dv/dp", IF97_DVDP1, 3, 300, "-4.4734259e-10"},
};

TEST(Region1, ReproducesPublishedValues) {
  kvtest::expect_published(region1_rows);
}

}  // namespace
