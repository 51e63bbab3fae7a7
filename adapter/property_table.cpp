#include "adapter/property_table.hpp"

#include "if97/region1.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"

namespace kviapws97 {
namespace {

// Adapters from the dispatcher's state to each operation's argument list.
template <double (*F)(double, double)>
double at_pT(const if97_state& s) {
  return F(s.p, s.T);
}
template <double (*F)(double, double)>
double at_Tv(const if97_state& s) {
  return F(s.T, s.v);
}
template <double (*F)(double, double, double)>
double at_pTv(const if97_state& s) {
  return F(s.p, s.T, s.v);
}

constexpr operation absent = nullptr;  // arrives with a later operation
constexpr double per_kmol = 18015.2;  // kJ/kg -> J/kmol, kJ/(kg K) -> J/(kmol K)
constexpr double molar_mass = 18.0152;  // kg/kmol: m3/kg -> m3/kmol

using enum reference_shift;

// Index = property code. Code 1 is the fugacity (the dispatcher forms ln f/p);
// code 4 is served by the rows of codes 2 and 3.
constexpr std::array<property_code, last_code + 1> table{{
    /* unused */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  1 ln phi   */ {{at_pT<if97::fug1>, absent, at_pTv<if97::fug3>, absent, absent}, false, 1.0, none},
    /*  2 H        */ {{at_pT<if97::h1>, absent, at_Tv<if97::h3>, absent, absent}, false, per_kmol, enthalpy},
    /*  3 S        */ {{at_pT<if97::s1>, absent, at_Tv<if97::s3>, absent, absent}, false, per_kmol, entropy},
    /*  4 G        */ {{absent, absent, absent, absent, absent}, false, per_kmol, gibbs},
    /*  5 V        */ {{at_pT<if97::v1>, absent, at_pT<if97::v3pt>, absent, absent}, false, molar_mass, none},
    /*  6 mu       */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  7 lambda   */ {{absent, absent, absent, absent, absent}, false, 1.0, none},
    /*  8 sigma    */ {{absent, absent, absent, absent, absent}, true, 1e-3, none},
    /*  9 Cp       */ {{at_pT<if97::cp1>, absent, at_Tv<if97::cp3>, absent, absent}, false, per_kmol, cp},
    /* 10 Cv       */ {{at_pT<if97::cv1>, absent, at_Tv<if97::cv3>, absent, absent}, false, per_kmol, cv},
    /* 11 Psat     */ {{absent, absent, absent, absent, absent}, true, 1e5, none},
    /* 12 U        */ {{at_pT<if97::u1>, absent, at_Tv<if97::u3>, absent, absent}, false, per_kmol, none},
    /* 13 w        */ {{at_pT<if97::w1>, absent, at_Tv<if97::w3>, absent, absent}, false, 1.0, none},
    /* 14 P(T, V)  */ {{at_Tv<if97::p3>, absent, absent, absent, absent}, true, 1e6, none},
}};

}  // namespace

const property_code& property_row(int code) { return table[static_cast<std::size_t>(code)]; }

}  // namespace kviapws97
