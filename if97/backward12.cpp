#include "if97/backward12.hpp"

#include <array>
#include <cmath>

#include "if97/backward_form.hpp"
#include "if97/series.hpp"

namespace if97 {
namespace {

// IAPWS-IF97 Table 25 prints exponents I of pi that are multiples of 1/4 from
// -1.5 to 1.5: Eq. (25) is written as an integer series in x = pi^(1/4) with
// exponents 4 I. quarter(I) is 4 I, and fails to compile unless it is an integer.
consteval int quarter(double I) {
  const double four_I = 4.0 * I;
  const int k = static_cast<int>(four_I);
  if (static_cast<double>(k) != four_I) throw "an exponent of IF97 Table 25 is not a multiple of 1/4";
  return k;
}

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 6: numerical values of the coefficients and exponents of the backward equation T(p,h) for region 1, Eq. (11)
inline constexpr std::array<term, 20> T1_ph_terms{{
    {0, 0, -0.23872489924521e3},
    {0, 1, 0.40421188637945e3},
    {0, 2, 0.11349746881718e3},
    {0, 6, -0.58457616048039e1},
    {0, 22, -0.15285482413140e-3},
    {0, 32, -0.10866707695377e-5},
    {1, 0, -0.13391744872602e2},
    {1, 1, 0.43211039183559e2},
    {1, 2, -0.54010067170506e2},
    {1, 3, 0.30535892203916e2},
    {1, 4, -0.65964749423638e1},
    {1, 10, 0.93965400878363e-2},
    {1, 32, 0.11573647505340e-6},
    {2, 10, -0.25858641282073e-4},
    {2, 32, -0.40644363084799e-8},
    {3, 10, 0.66456186191635e-7},
    {3, 32, 0.80670734103027e-10},
    {4, 32, -0.93477771213947e-12},
    {5, 32, 0.58265442020601e-14},
    {6, 32, -0.15020185953503e-16},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 8: numerical values of the coefficients and exponents of the backward equation T(p,s) for region 1, Eq. (13)
inline constexpr std::array<term, 20> T1_ps_terms{{
    {0, 0, 0.17478268058307e3},
    {0, 1, 0.34806930892873e2},
    {0, 2, 0.65292584978455e1},
    {0, 3, 0.33039981775489},
    {0, 11, -0.19281382923196e-6},
    {0, 31, -0.24909197244573e-22},
    {1, 0, -0.26107636489332},
    {1, 1, 0.22592965981586},
    {1, 2, -0.64256463395226e-1},
    {1, 3, 0.78876289270526e-2},
    {1, 12, 0.35672110607366e-9},
    {1, 31, 0.17332496994895e-23},
    {2, 0, 0.56608900654837e-3},
    {2, 1, -0.32635483139717e-3},
    {2, 2, 0.44778286690632e-4},
    {2, 9, -0.51322156908507e-9},
    {2, 31, -0.42522657042207e-25},
    {3, 10, 0.26400441360689e-12},
    {3, 32, 0.78124600459723e-28},
    {4, 32, -0.30732199903668e-30},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 20: numerical values of the coefficients and exponents of the backward equation T(p,h) for subregion 2a, Eq. (22)
inline constexpr std::array<term, 34> T2a_ph_terms{{
    {0, 0, 0.10898952318288e4},
    {0, 1, 0.84951654495535e3},
    {0, 2, -0.10781748091826e3},
    {0, 3, 0.33153654801263e2},
    {0, 7, -0.74232016790248e1},
    {0, 20, 0.11765048724356e2},
    {1, 0, 0.18445749355790e1},
    {1, 1, -0.41792700549624e1},
    {1, 2, 0.62478196935812e1},
    {1, 3, -0.17344563108114e2},
    {1, 7, -0.20058176862096e3},
    {1, 9, 0.27196065473796e3},
    {1, 11, -0.45511318285818e3},
    {1, 18, 0.30919688604755e4},
    {1, 44, 0.25226640357872e6},
    {2, 0, -0.61707422868339e-2},
    {2, 2, -0.31078046629583},
    {2, 7, 0.11670873077107e2},
    {2, 36, 0.12812798404046e9},
    {2, 38, -0.98554909623276e9},
    {2, 40, 0.28224546973002e10},
    {2, 42, -0.35948971410703e10},
    {2, 44, 0.17227349913197e10},
    {3, 24, -0.13551334240775e5},
    {3, 44, 0.12848734664650e8},
    {4, 12, 0.13865724283226e1},
    {4, 32, 0.23598832556514e6},
    {4, 44, -0.13105236545054e8},
    {5, 32, 0.73999835474766e4},
    {5, 36, -0.55196697030060e6},
    {5, 42, 0.37154085996233e7},
    {6, 34, 0.19127729239660e5},
    {6, 44, -0.41535164835634e6},
    {7, 28, -0.62459855192507e2},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 21: numerical values of the coefficients and exponents of the backward equation T(p,h) for subregion 2b, Eq. (23)
inline constexpr std::array<term, 38> T2b_ph_terms{{
    {0, 0, 0.14895041079516e4},
    {0, 1, 0.74307798314034e3},
    {0, 2, -0.97708318797837e2},
    {0, 12, 0.24742464705674e1},
    {0, 18, -0.63281320016026},
    {0, 24, 0.11385952129658e1},
    {0, 28, -0.47811863648625},
    {0, 40, 0.85208123431544e-2},
    {1, 0, 0.93747147377932},
    {1, 2, 0.33593118604916e1},
    {1, 6, 0.33809355601454e1},
    {1, 12, 0.16844539671904},
    {1, 18, 0.73875745236695},
    {1, 24, -0.47128737436186},
    {1, 28, 0.15020273139707},
    {1, 40, -0.21764114219750e-2},
    {2, 2, -0.21810755324761e-1},
    {2, 8, -0.10829784403677},
    {2, 18, -0.46333324635812e-1},
    {2, 40, 0.71280351959551e-4},
    {3, 1, 0.11032831789999e-3},
    {3, 2, 0.18955248387902e-3},
    {3, 12, 0.30891541160537e-2},
    {3, 24, 0.13555504554949e-2},
    {4, 2, 0.28640237477456e-6},
    {4, 12, -0.10779857357512e-4},
    {4, 18, -0.76462712454814e-4},
    {4, 24, 0.14052392818316e-4},
    {4, 28, -0.31083814331434e-4},
    {4, 40, -0.10302738212103e-5},
    {5, 18, 0.28217281635040e-6},
    {5, 24, 0.12704902271945e-5},
    {5, 40, 0.73803353468292e-7},
    {6, 28, -0.11030139238909e-7},
    {7, 2, -0.81456365207833e-13},
    {7, 28, -0.25180545682962e-10},
    {9, 1, -0.17565233969407e-17},
    {9, 40, 0.86934156344163e-14},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 22: numerical values of the coefficients and exponents of the backward equation T(p,h) for subregion 2c, Eq. (24)
inline constexpr std::array<term, 23> T2c_ph_terms{{
    {-7, 0, -0.32368398555242e13},
    {-7, 4, 0.73263350902181e13},
    {-6, 0, 0.35825089945447e12},
    {-6, 2, -0.58340131851590e12},
    {-5, 0, -0.10783068217470e11},
    {-5, 2, 0.20825544563171e11},
    {-2, 0, 0.61074783564516e6},
    {-2, 1, 0.85977722535580e6},
    {-1, 0, -0.25745723604170e5},
    {-1, 2, 0.31081088422714e5},
    {0, 0, 0.12082315865936e4},
    {0, 1, 0.48219755109255e3},
    {1, 4, 0.37966001272486e1},
    {1, 8, -0.10842984880077e2},
    {2, 4, -0.45364172676660e-1},
    {6, 0, 0.14559115658698e-12},
    {6, 1, 0.11261597407230e-11},
    {6, 4, -0.17804982240686e-10},
    {6, 10, 0.12324579690832e-6},
    {6, 12, -0.11606921130984e-5},
    {6, 16, 0.27846367088554e-4},
    {6, 20, -0.59270038474176e-3},
    {6, 22, 0.12918582991878e-2},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 25: numerical values of the coefficients and exponents of the backward equation T(p,s) for subregion 2a, Eq. (25)
inline constexpr std::array<term, 46> T2a_ps_terms{{
    {quarter(-1.5), -24, -0.39235983861984e6},
    {quarter(-1.5), -23, 0.51526573827270e6},
    {quarter(-1.5), -19, 0.40482443161048e5},
    {quarter(-1.5), -13, -0.32193790923902e3},
    {quarter(-1.5), -11, 0.96961424218694e2},
    {quarter(-1.5), -10, -0.22867846371773e2},
    {quarter(-1.25), -19, -0.44942914124357e6},
    {quarter(-1.25), -15, -0.50118336020166e4},
    {quarter(-1.25), -6, 0.35684463560015},
    {quarter(-1.0), -26, 0.44235335848190e5},
    {quarter(-1.0), -21, -0.13673388811708e5},
    {quarter(-1.0), -17, 0.42163260207864e6},
    {quarter(-1.0), -16, 0.22516925837475e5},
    {quarter(-1.0), -9, 0.47442144865646e3},
    {quarter(-1.0), -8, -0.14931130797647e3},
    {quarter(-0.75), -15, -0.19781126320452e6},
    {quarter(-0.75), -14, -0.23554399470760e5},
    {quarter(-0.5), -26, -0.19070616302076e5},
    {quarter(-0.5), -13, 0.55375669883164e5},
    {quarter(-0.5), -9, 0.38293691437363e4},
    {quarter(-0.5), -7, -0.60391860580567e3},
    {quarter(-0.25), -27, 0.19363102620331e4},
    {quarter(-0.25), -25, 0.42660643698610e4},
    {quarter(-0.25), -11, -0.59780638872718e4},
    {quarter(-0.25), -6, -0.70401463926862e3},
    {quarter(0.25), 1, 0.33836784107553e3},
    {quarter(0.25), 4, 0.20862786635187e2},
    {quarter(0.25), 8, 0.33834172656196e-1},
    {quarter(0.25), 11, -0.43124428414893e-4},
    {quarter(0.50), 0, 0.16653791356412e3},
    {quarter(0.5), 1, -0.13986292055898e3},
    {quarter(0.5), 5, -0.78849547999872},
    {quarter(0.5), 6, 0.72132411753872e-1},
    {quarter(0.5), 10, -0.59754839398283e-2},
    {quarter(0.5), 14, -0.12141358953904e-4},
    {quarter(0.5), 16, 0.23227096733871e-6},
    {quarter(0.75), 0, -0.10538463566194e2},
    {quarter(0.75), 4, 0.20718925496502e1},
    {quarter(0.75), 9, -0.72193155260427e-1},
    {quarter(0.75), 17, 0.20749887081120e-6},
    {quarter(1.0), 7, -0.18340657911379e-1},
    {quarter(1.0), 18, 0.29036272348696e-6},
    {quarter(1.25), 3, 0.21037527893619},
    {quarter(1.25), 15, 0.25681239729999e-3},
    {quarter(1.5), 5, -0.12799002933781e-1},
    {quarter(1.5), 18, -0.82198102652018e-5},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 26: numerical values of the coefficients and exponents of the backward equation T(p,s) for subregion 2b, Eq. (26)
inline constexpr std::array<term, 44> T2b_ps_terms{{
    {-6, 0, 0.31687665083497e6},
    {-6, 11, 0.20864175881858e2},
    {-5, 0, -0.39859399803599e6},
    {-5, 11, -0.21816058518877e2},
    {-4, 0, 0.22369785194242e6},
    {-4, 1, -0.27841703445817e4},
    {-4, 11, 0.99207436071480e1},
    {-3, 0, -0.75197512299157e5},
    {-3, 1, 0.29708605951158e4},
    {-3, 11, -0.34406878548526e1},
    {-3, 12, 0.38815564249115},
    {-2, 0, 0.17511295085750e5},
    {-2, 1, -0.14237112854449e4},
    {-2, 6, 0.10943803364167e1},
    {-2, 10, 0.89971619308495},
    {-1, 0, -0.33759740098958e4},
    {-1, 1, 0.47162885818355e3},
    {-1, 5, -0.19188241993679e1},
    {-1, 8, 0.41078580492196},
    {-1, 9, -0.33465378172097},
    {0, 0, 0.13870034777505e4},
    {0, 1, -0.40663326195838e3},
    {0, 2, 0.41727347159610e2},
    {0, 4, 0.21932549434532e1},
    {0, 5, -0.10320050009077e1},
    {0, 6, 0.35882943516703},
    {0, 9, 0.52511453726066e-2},
    {1, 0, 0.12838916450705e2},
    {1, 1, -0.28642437219381e1},
    {1, 2, 0.56912683664855},
    {1, 3, -0.99962954584931e-1},
    {1, 7, -0.32632037778459e-2},
    {1, 8, 0.23320922576723e-3},
    {2, 0, -0.15334809857450},
    {2, 1, 0.29072288239902e-1},
    {2, 5, 0.37534702741167e-3},
    {3, 0, 0.17296691702411e-2},
    {3, 1, -0.38556050844504e-3},
    {3, 3, -0.35017712292608e-4},
    {4, 0, -0.14566393631492e-4},
    {4, 1, 0.56420857267269e-5},
    {5, 0, 0.41286150074605e-7},
    {5, 1, -0.20684671118824e-7},
    {5, 2, 0.16409393674725e-8},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007; IAPWS R7-97(2012)) Table 27: numerical values of the coefficients and exponents of the backward equation T(p,s) for subregion 2c, Eq. (27)
inline constexpr std::array<term, 30> T2c_ps_terms{{
    {-2, 0, 0.90968501005365e3},
    {-2, 1, 0.24045667088420e4},
    {-1, 0, -0.59162326387130e3},
    {0, 0, 0.54145404128074e3},
    {0, 1, -0.27098308411192e3},
    {0, 2, 0.97976525097926e3},
    {0, 3, -0.46966772959435e3},
    {1, 0, 0.14399274604723e2},
    {1, 1, -0.19104204230429e2},
    {1, 3, 0.53299167111971e1},
    {1, 4, -0.21252975375934e2},
    {2, 0, -0.31147334413760},
    {2, 1, 0.60334840894623},
    {2, 2, -0.42764839702509e-1},
    {3, 0, 0.58185597255259e-2},
    {3, 1, -0.14597008284753e-1},
    {3, 5, 0.56631175631027e-2},
    {4, 0, -0.76155864584577e-4},
    {4, 1, 0.22440342919332e-3},
    {4, 4, -0.12561095013413e-4},
    {5, 0, 0.63323132660934e-6},
    {5, 1, -0.20541989675375e-5},
    {5, 2, 0.36405370390082e-7},
    {6, 0, -0.29759897789215e-8},
    {6, 1, 0.10136618529763e-7},
    {7, 0, 0.59925719692351e-11},
    {7, 1, -0.20677870105164e-10},
    {7, 3, -0.20874278181886e-10},
    {7, 4, 0.10162166825089e-9},
    {7, 5, -0.16429828281347e-9},
}};


// IAPWS-IF97 Table 19: coefficients of the B2bc equation, Eqs. (20) and (21)
constexpr double b2bc_n1 = 0.90584278514723e3;
constexpr double b2bc_n2 = -0.67955786399241;
constexpr double b2bc_n3 = 0.12809002730136e-3;
constexpr double b2bc_n4 = 0.26526571908428e4;
constexpr double b2bc_n5 = 0.45257578905948e1;

using enum result_form;
using enum enters;

// Every equation gives theta = T / 1 K, and reduces p by 1 MPa.
constexpr double T_unit = 1.0;  // K
constexpr double p_unit = 1.0;  // MPa

// IAPWS-IF97 Eq. (11): theta = sum n pi^I (eta + 1)^J, eta = h / 2500 kJ/kg.
constexpr backward_equation T1_ph_eq{T1_ph_terms, sum, T_unit, {p_unit}, {2500.0, 1.0}};
// IAPWS-IF97 Eq. (13): theta = sum n pi^I (sigma + 2)^J, sigma = s / 1 kJ/(kg K).
constexpr backward_equation T1_ps_eq{T1_ps_terms, sum, T_unit, {p_unit}, {1.0, 2.0}};

// IAPWS-IF97 Eqs. (22) to (24), eta = h / 2000 kJ/kg:
// 2a: sum n pi^I (eta - 2.1)^J; 2b: sum n (pi - 2)^I (eta - 2.6)^J; 2c: sum n (pi + 25)^I (eta - 1.8)^J.
constexpr backward_equation T2a_ph_eq{T2a_ph_terms, sum, T_unit, {p_unit}, {2000.0, -2.1}};
constexpr backward_equation T2b_ph_eq{T2b_ph_terms, sum, T_unit, {p_unit, -2.0}, {2000.0, -2.6}};
constexpr backward_equation T2c_ph_eq{T2c_ph_terms, sum, T_unit, {p_unit, 25.0}, {2000.0, -1.8}};

// IAPWS-IF97 Eqs. (25) to (27):
// 2a: sum n pi^I (sigma - 2)^J, sigma = s / 2 kJ/(kg K), as a series in pi^(1/4);
// 2b: sum n pi^I (10 - sigma)^J, sigma = s / 0.7853 kJ/(kg K);
// 2c: sum n pi^I (2 - sigma)^J, sigma = s / 2.9251 kJ/(kg K).
constexpr backward_equation T2a_ps_eq{T2a_ps_terms, sum, T_unit, {p_unit, 0.0, quarter_root}, {2.0, -2.0}};
constexpr backward_equation T2b_ps_eq{T2b_ps_terms, sum, T_unit, {p_unit}, {0.7853, 10.0, mirrored}};
constexpr backward_equation T2c_ps_eq{T2c_ps_terms, sum, T_unit, {p_unit}, {2.9251, 2.0, mirrored}};

}  // namespace

double T1_ph(double p, double h) { return backward<T1_ph_eq>(p, h); }
double T1_ps(double p, double s) { return backward<T1_ps_eq>(p, s); }

// Eq. (20), pi = n1 + n2 eta + n3 eta^2, and Eq. (21), eta = n4 + ((pi - n5) / n3)^(1/2),
// with pi = p / 1 MPa and eta = h / 1 kJ/kg.
double b2bc_p(double h) { return (b2bc_n3 * h + b2bc_n2) * h + b2bc_n1; }
double b2bc_h(double p) { return b2bc_n4 + std::sqrt((p - b2bc_n5) / b2bc_n3); }

subregion2 subregion2_ph(double p, double h) {
  if (p <= p_2ab) return subregion2::a;
  return p <= b2bc_p(h) ? subregion2::b : subregion2::c;
}

subregion2 subregion2_ps(double p, double s) {
  if (p <= p_2ab) return subregion2::a;
  return s >= s_2bc ? subregion2::b : subregion2::c;
}

double T2_ph(subregion2 which, double p, double h) {
  if (which == subregion2::a) return backward<T2a_ph_eq>(p, h);
  if (which == subregion2::b) return backward<T2b_ph_eq>(p, h);
  return backward<T2c_ph_eq>(p, h);
}

double T2_ps(subregion2 which, double p, double s) {
  if (which == subregion2::a) return backward<T2a_ps_eq>(p, s);
  if (which == subregion2::b) return backward<T2b_ps_eq>(p, s);
  return backward<T2c_ps_eq>(p, s);
}

double T2_ph(double p, double h) { return T2_ph(subregion2_ph(p, h), p, h); }
double T2_ps(double p, double s) { return T2_ps(subregion2_ps(p, s), p, s); }

}  // namespace if97
