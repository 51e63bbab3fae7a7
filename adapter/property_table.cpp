#include "adapter/property_table.hpp"

#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"

namespace kviapws97 {
namespace {

// Adapters from the dispatcher's state to each operation's argument list.
template <double (*F)(double, double)>
double at_pT(const if97_state& s) {
  return F(s.p, s.T);
}

template <double (*F)(double)>
double at_T(const if97_state& s) {
  return F(s.T);
}

constexpr operation absent = nullptr;  // arrives with a later operation
constexpr double per_kmol = 18015.2;  // kJ/kg -> J/kmol, kJ/(kg K) -> J/(kmol K)
constexpr double molar_mass = 18.0152;  // kg/kmol: m3/kg -> m3/kmol

using enum reference_shift;

// Index = property code. Code 1 is the fugacity (the dispatcher forms ln f/p);
// code 4 is served by the rows of codes 2 and 3.
constexpr std::array<property_code, last_code + 1> table{{
    /* unused */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  1 ln phi   */ {{at_pT<if97::fug1>, at_pT<if97::fug2>, absent, absent, at_pT<if97::fug5>}, false, 1.0, none},
    /*  2 H        */ {{at_pT<if97::h1>, at_pT<if97::h2>, absent, absent, at_pT<if97::h5>}, false, per_kmol, enthalpy},
    /*  3 S        */ {{at_pT<if97::s1>, at_pT<if97::s2>, absent, absent, at_pT<if97::s5>}, false, per_kmol, entropy},
    /*  4 G        */ {{absent, absent, absent, absent, absent}, false, per_kmol, gibbs},
    /*  5 V        */ {{at_pT<if97::v1>, at_pT<if97::v2>, absent, absent, at_pT<if97::v5>}, false, molar_mass, none},
    /*  6 mu       */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  7 lambda   */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  8 sigma    */ {{absent, absent, absent, absent, absent}, true, 1e-3, none},
    /*  9 Cp       */ {{at_pT<if97::cp1>, at_pT<if97::cp2>, absent, absent, at_pT<if97::cp5>}, false, per_kmol, cp},
    /* 10 Cv       */ {{at_pT<if97::cv1>, at_pT<if97::cv2>, absent, absent, at_pT<if97::cv5>}, false, per_kmol, cv},
    /* 11 Psat     */ {{at_T<if97::psat_bar>, absent, absent, absent, absent}, true, 1e5, none},
    /* 12 U        */ {{at_pT<if97::u1>, at_pT<if97::u2>, absent, absent, at_pT<if97::u5>}, false, per_kmol, none},
    /* 13 w        */ {{at_pT<if97::w1>, at_pT<if97::w2>, absent, absent, at_pT<if97::w5>}, false, 1.0, none},
    /* 14 P(T, V)  */ {{absent, absent, absent, absent, absent}, true, 1e6, none},
}};

}  // namespace

const property_code& property_row(int code) { return table[static_cast<std::size_t>(code)]; }

}  // namespace kviapws97
