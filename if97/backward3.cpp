#include "if97/backward3.hpp"

#include <array>

#include "if97/backward_form.hpp"
#include "if97/series.hpp"

namespace if97 {
namespace {

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 2: numerical values of the coefficients of the equation h3ab(p) in its dimensionless form, Eq. (1), for defining the boundary between subregions 3a and 3b
inline constexpr std::array<term, 4> h3ab_terms{{
    {0, 0, 0.201464004206875e4},
    {0, 1, 0.374696550136983e1},
    {0, 2, -0.219921901054187e-1},
    {0, 3, 0.875131686009950e-4},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 3: coefficients and exponents of the backward equation T3a(p,h) for subregion 3a in its dimensionless form, Eq. (2)
inline constexpr std::array<term, 31> T3a_ph_terms{{
    {-12, 0, -0.133645667811215e-6},
    {-12, 1, 0.455912656802978e-5},
    {-12, 2, -0.146294640700979e-4},
    {-12, 6, 0.639341312970080e-2},
    {-12, 14, 0.372783927268847e3},
    {-12, 16, -0.718654377460447e4},
    {-12, 20, 0.573494752103400e6},
    {-12, 22, -0.267569329111439e7},
    {-10, 1, -0.334066283302614e-4},
    {-10, 5, -0.245479214069597e-1},
    {-10, 12, 0.478087847764996e2},
    {-8, 0, 0.764664131818904e-5},
    {-8, 2, 0.128350627676972e-2},
    {-8, 4, 0.171219081377331e-1},
    {-8, 10, -0.851007304583213e1},
    {-5, 2, -0.136513461629781e-1},
    {-3, 0, -0.384460997596657e-5},
    {-2, 1, 0.337423807911655e-2},
    {-2, 3, -0.551624873066791},
    {-2, 4, 0.729202277107470},
    {-1, 0, -0.992522757376041e-2},
    {-1, 2, -0.119308831407288},
    {0, 0, 0.793929190615421},
    {0, 1, 0.454270731799386},
    {1, 1, 0.209998591259910},
    {3, 0, -0.642109823904738e-2},
    {3, 1, -0.235155868604540e-1},
    {4, 0, 0.252233108341612e-2},
    {4, 3, -0.764885133368119e-2},
    {10, 4, 0.136176427574291e-1},
    {12, 5, -0.133027883575669e-1},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 4: coefficients and exponents of the backward equation T3b(p,h) for subregion 3b in its dimensionless form, Eq. (3)
inline constexpr std::array<term, 33> T3b_ph_terms{{
    {-12, 0, 0.323254573644920e-4},
    {-12, 1, -0.127575556587181e-3},
    {-10, 0, -0.475851877356068e-3},
    {-10, 1, 0.156183014181602e-2},
    {-10, 5, 0.105724860113781},
    {-10, 10, -0.858514221132534e2},
    {-10, 12, 0.724140095480911e3},
    {-8, 0, 0.296475810273257e-2},
    {-8, 1, -0.592721983365988e-2},
    {-8, 2, -0.126305422818666e-1},
    {-8, 4, -0.115716196364853},
    {-8, 10, 0.849000969739595e2},
    {-6, 0, -0.108602260086615e-1},
    {-6, 1, 0.154304475328851e-1},
    {-6, 2, 0.750455441524466e-1},
    {-4, 0, 0.252520973612982e-1},
    {-4, 1, -0.602507901232996e-1},
    {-3, 5, -0.307622221350501e1},
    {-2, 0, -0.574011959864879e-1},
    {-2, 4, 0.503471360939849e1},
    {-1, 2, -0.925081888584834},
    {-1, 4, 0.391733882917546e1},
    {-1, 6, -0.773146007130190e2},
    {-1, 10, 0.949308762098587e4},
    {-1, 14, -0.141043719679409e7},
    {-1, 16, 0.849166230819026e7},
    {0, 0, 0.861095729446704},
    {0, 2, 0.323346442811720},
    {1, 1, 0.873281936020439},
    {3, 1, -0.436653048526683},
    {5, 1, 0.286596714529479},
    {6, 1, -0.131778331276228},
    {8, 1, 0.676682064330275e-2},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 6: coefficients and exponents of the backward equation v3a(p,h) for subregion 3a in its dimensionless form, Eq. (4)
inline constexpr std::array<term, 32> v3a_ph_terms{{
    {-12, 6, 0.529944062966028e-2},
    {-12, 8, -0.170099690234461},
    {-12, 12, 0.111323814312927e2},
    {-12, 18, -0.217898123145125e4},
    {-10, 4, -0.506061827980875e-3},
    {-10, 7, 0.556495239685324},
    {-10, 10, -0.943672726094016e1},
    {-8, 5, -0.297856807561527},
    {-8, 12, 0.939353943717186e2},
    {-6, 3, 0.192944939465981e-1},
    {-6, 4, 0.421740664704763},
    {-6, 22, -0.368914126282330e7},
    {-4, 2, -0.737566847600639e-2},
    {-4, 3, -0.354753242424366},
    {-3, 7, -0.199768169338727e1},
    {-2, 3, 0.115456297059049e1},
    {-2, 16, 0.568366875815960e4},
    {-1, 0, 0.808169540124668e-2},
    {-1, 1, 0.172416341519307},
    {-1, 2, 0.104270175292927e1},
    {-1, 3, -0.297691372792847},
    {0, 0, 0.560394465163593},
    {0, 1, 0.275234661176914},
    {1, 0, -0.148347894866012},
    {1, 1, -0.651142513478515e-1},
    {1, 2, -0.292468715386302e1},
    {2, 0, 0.664876096952665e-1},
    {2, 2, 0.352335014263844e1},
    {3, 0, -0.146340792313332e-1},
    {4, 2, -0.224503486668184e1},
    {5, 2, 0.110533464706142e1},
    {8, 2, -0.408757344495612e-1},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 7: coefficients and exponents of the backward equation v3b(p,h) for subregion 3b in its dimensionless form, Eq. (5)
inline constexpr std::array<term, 30> v3b_ph_terms{{
    {-12, 0, -0.225196934336318e-8},
    {-12, 1, 0.140674363313486e-7},
    {-8, 0, 0.233784085280560e-5},
    {-8, 1, -0.331833715229001e-4},
    {-8, 3, 0.107956778514318e-2},
    {-8, 6, -0.271382067378863},
    {-8, 7, 0.107202262490333e1},
    {-8, 8, -0.853821329075382},
    {-6, 0, -0.215214194340526e-4},
    {-6, 1, 0.769656088222730e-3},
    {-6, 2, -0.431136580433864e-2},
    {-6, 5, 0.453342167309331},
    {-6, 6, -0.507749535873652},
    {-6, 10, -0.100475154528389e3},
    {-4, 3, -0.219201924648793},
    {-4, 6, -0.321087965668917e1},
    {-4, 10, 0.607567815637771e3},
    {-3, 0, 0.557686450685932e-3},
    {-3, 2, 0.187499040029550},
    {-2, 1, 0.905368030448107e-2},
    {-2, 2, 0.285417173048685},
    {-1, 0, 0.329924030996098e-1},
    {-1, 1, 0.239897419685483},
    {-1, 4, 0.482754995951394e1},
    {-1, 5, -0.118035753702231e2},
    {0, 0, 0.169490044091791},
    {1, 0, -0.179967222507787e-1},
    {1, 1, 0.371810116332674e-1},
    {2, 2, -0.536288335065096e-1},
    {2, 6, 0.160697101092520e1},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 10: coefficients and exponents of the backward equation T3a(p,s) for subregion 3a in its dimensionless form, Eq. (6)
inline constexpr std::array<term, 33> T3a_ps_terms{{
    {-12, 28, 0.150042008263875e10},
    {-12, 32, -0.159397258480424e12},
    {-10, 4, 0.502181140217975e-3},
    {-10, 10, -0.672057767855466e2},
    {-10, 12, 0.145058545404456e4},
    {-10, 14, -0.823889534888890e4},
    {-8, 5, -0.154852214233853},
    {-8, 7, 0.112305046746695e2},
    {-8, 8, -0.297000213482822e2},
    {-8, 28, 0.438565132635495e11},
    {-6, 2, 0.137837838635464e-2},
    {-6, 6, -0.297478527157462e1},
    {-6, 32, 0.971777947349413e13},
    {-5, 0, -0.571527767052398e-4},
    {-5, 14, 0.288307949778420e5},
    {-5, 32, -0.744428289262703e14},
    {-4, 6, 0.128017324848921e2},
    {-4, 10, -0.368275545889071e3},
    {-4, 36, 0.664768904779177e16},
    {-2, 1, 0.449359251958880e-1},
    {-2, 4, -0.422897836099655e1},
    {-1, 1, -0.240614376434179},
    {-1, 6, -0.474341365254924e1},
    {0, 0, 0.724093999126110},
    {0, 1, 0.923874349695897},
    {0, 4, 0.399043655281015e1},
    {1, 0, 0.384066651868009e-1},
    {2, 0, -0.359344365571848e-2},
    {2, 3, -0.735196448821653},
    {3, 2, 0.188367048396131},
    {8, 0, 0.141064266818704e-3},
    {8, 1, -0.257418501496337e-2},
    {10, 2, 0.123220024851555e-2},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 11: coefficients and exponents of the backward equation T3b(p,s) for subregion 3b in its dimensionless form, Eq. (7)
inline constexpr std::array<term, 28> T3b_ps_terms{{
    {-12, 1, 0.527111701601660},
    {-12, 3, -0.401317830052742e2},
    {-12, 4, 0.153020073134484e3},
    {-12, 7, -0.224799398218827e4},
    {-8, 0, -0.193993484669048},
    {-8, 1, -0.140467557893768e1},
    {-8, 3, 0.426799878114024e2},
    {-6, 0, 0.752810643416743},
    {-6, 2, 0.226657238616417e2},
    {-6, 4, -0.622873556909932e3},
    {-5, 0, -0.660823667935396},
    {-5, 1, 0.841267087271658},
    {-5, 2, -0.253717501764397e2},
    {-5, 4, 0.485708963532948e3},
    {-5, 6, 0.880531517490555e3},
    {-4, 12, 0.265015592794626e7},
    {-3, 1, -0.359287150025783},
    {-3, 6, -0.656991567673753e3},
    {-2, 2, 0.241768149185367e1},
    {0, 0, 0.856873461222588},
    {2, 1, 0.655143675313458},
    {3, 1, -0.213535213206406},
    {4, 0, 0.562974957606348e-2},
    {5, 24, -0.316955725450471e15},
    {6, 0, -0.699997000152457e-3},
    {8, 3, 0.119845803210767e-1},
    {12, 1, 0.193848122022095e-4},
    {14, 2, -0.215095749182309e-4},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 13: coefficients and exponents of the backward equation v3a(p,s) for subregion 3a in its dimensionless form, Eq. (8)
inline constexpr std::array<term, 28> v3a_ps_terms{{
    {-12, 10, 0.795544074093975e2},
    {-12, 12, -0.238261242984590e4},
    {-12, 14, 0.176813100617787e5},
    {-10, 4, -0.110524727080379e-2},
    {-10, 8, -0.153213833655326e2},
    {-10, 10, 0.297544599376982e3},
    {-10, 20, -0.350315206871242e8},
    {-8, 5, 0.277513761062119},
    {-8, 6, -0.523964271036888},
    {-8, 14, -0.148011182995403e6},
    {-8, 16, 0.160014899374266e7},
    {-6, 28, 0.170802322663427e13},
    {-5, 1, 0.246866996006494e-3},
    {-4, 5, 0.165326084797980e1},
    {-3, 2, -0.118008384666987},
    {-3, 4, 0.253798642355900e1},
    {-2, 3, 0.965127704669424},
    {-2, 8, -0.282172420532826e2},
    {-1, 1, 0.203224612353823},
    {-1, 2, 0.110648186063513e1},
    {0, 0, 0.526127948451280},
    {0, 1, 0.277000018736321},
    {0, 3, 0.108153340501132e1},
    {1, 0, -0.744127885357893e-1},
    {2, 0, 0.164094443541384e-1},
    {4, 2, -0.680468275301065e-1},
    {5, 2, 0.257988576101640e-1},
    {6, 0, -0.145749861944416e-3},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 14: coefficients and exponents of the backward equation v3b(p,s) for subregion 3b in its dimensionless form, Eq. (9)
inline constexpr std::array<term, 31> v3b_ps_terms{{
    {-12, 0, 0.591599780322238e-4},
    {-12, 1, -0.185465997137856e-2},
    {-12, 2, 0.104190510480013e-1},
    {-12, 3, 0.598647302038590e-2},
    {-12, 5, -0.771391189901699},
    {-12, 6, 0.172549765557036e1},
    {-10, 0, -0.467076079846526e-3},
    {-10, 1, 0.134533823384439e-1},
    {-10, 2, -0.808094336805495e-1},
    {-10, 4, 0.508139374365767},
    {-8, 0, 0.128584643361683e-2},
    {-5, 1, -0.163899353915435e1},
    {-5, 2, 0.586938199318063e1},
    {-5, 3, -0.292466667918613e1},
    {-4, 0, -0.614076301499537e-2},
    {-4, 1, 0.576199014049172e1},
    {-4, 2, -0.121613320606788e2},
    {-4, 3, 0.167637540957944e1},
    {-3, 1, -0.744135838773463e1},
    {-2, 0, 0.378168091437659e-1},
    {-2, 1, 0.401432203027688e1},
    {-2, 2, 0.160279837479185e2},
    {-2, 3, 0.317848779347728e1},
    {-2, 4, -0.358362310304853e1},
    {-2, 12, -0.115995260446827e7},
    {0, 0, 0.199256573577909},
    {0, 1, -0.122270624794624},
    {0, 2, -0.191449143716586e2},
    {1, 0, -0.150448002905284e-1},
    {1, 2, 0.146407900162154e2},
    {2, 2, -0.327477787188230e1},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 17: coefficients and exponents of the boundary equation p3sat(h) in its dimensionless form, Eq. (10)
inline constexpr std::array<term, 14> p3sat_h_terms{{
    {0, 0, 0.600073641753024},
    {1, 1, -0.936203654849857e1},
    {1, 3, 0.246590798594147e2},
    {1, 4, -0.107014222858224e3},
    {1, 36, -0.915821315805768e14},
    {5, 3, -0.862332011700662e4},
    {7, 0, -0.235837344740032e2},
    {8, 24, 0.252304969384128e18},
    {14, 16, -0.389718771997719e19},
    {20, 16, -0.333775713645296e23},
    {22, 3, 0.356499469636328e11},
    {24, 18, -0.148547544720641e27},
    {28, 8, 0.330611514838798e19},
    {36, 24, 0.813641294467829e38},
}};

// IAPWS SR3-03 Supplementary Release (2003; revised 2004 and 2014) on Backward Equations for the Functions T(p,h), v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97 Table 19: coefficients and exponents of the boundary equation p3sat(s) in its dimensionless form, Eq. (11)
inline constexpr std::array<term, 10> p3sat_s_terms{{
    {0, 0, 0.639767553612785},
    {1, 1, -0.129727445396014e2},
    {1, 32, -0.224595125848403e16},
    {4, 7, 0.177466741801846e7},
    {12, 4, 0.717079349571538e10},
    {12, 14, -0.378829107169011e18},
    {16, 36, -0.955586736431328e35},
    {24, 10, 0.187269814676188e24},
    {28, 0, 0.119254746466473e12},
    {32, 18, 0.110649277244882e37},
}};


using enum result_form;

// SR3-03 Eq. (1): eta = h / 1 kJ/kg = sum n_i pi^(i-1), pi = p / 1 MPa; the
// table is a series in y = pi alone.
constexpr backward_equation h3ab_eq{h3ab_terms, sum, 1.0, {1.0}, {1.0}};  // kJ/kg; MPa; MPa

// Every T(p,h), v(p,h), T(p,s) and v(p,s) equation reduces p by 100 MPa.
constexpr double p_star = 100.0;  // MPa

// SR3-03 Eqs. (2) and (3): T/T* = sum n (pi + a)^I (eta + b)^J, eta = h / h*.
constexpr backward_equation T3a_ph_eq{T3a_ph_terms, sum, 760.0, {p_star, 0.240}, {2300.0, -0.615}};  // K; MPa; kJ/kg
constexpr backward_equation T3b_ph_eq{T3b_ph_terms, sum, 860.0, {p_star, 0.298}, {2800.0, -0.720}};  // K; MPa; kJ/kg
// SR3-03 Eqs. (4) and (5): v/v* = sum n (pi + a)^I (eta + b)^J.
constexpr backward_equation v3a_ph_eq{v3a_ph_terms, sum, 0.0028, {p_star, 0.128}, {2100.0, -0.727}};   // m3/kg; MPa; kJ/kg
constexpr backward_equation v3b_ph_eq{v3b_ph_terms, sum, 0.0088, {p_star, 0.0661}, {2800.0, -0.720}};  // m3/kg; MPa; kJ/kg
// SR3-03 Eqs. (6) and (7): T/T* = sum n (pi + a)^I (sigma + b)^J, sigma = s / s*.
constexpr backward_equation T3a_ps_eq{T3a_ps_terms, sum, 760.0, {p_star, 0.240}, {4.4, -0.703}};  // K; MPa; kJ/(kg K)
constexpr backward_equation T3b_ps_eq{T3b_ps_terms, sum, 860.0, {p_star, 0.760}, {5.3, -0.818}};  // K; MPa; kJ/(kg K)
// SR3-03 Eqs. (8) and (9): v/v* = sum n (pi + a)^I (sigma + b)^J.
constexpr backward_equation v3a_ps_eq{v3a_ps_terms, sum, 0.0028, {p_star, 0.187}, {4.4, -0.755}};  // m3/kg; MPa; kJ/(kg K)
constexpr backward_equation v3b_ps_eq{v3b_ps_terms, sum, 0.0088, {p_star, 0.298}, {5.3, -0.816}};  // m3/kg; MPa; kJ/(kg K)

// SR3-03 Eq. (10): p/22 MPa = sum n (eta - 1.02)^I (eta - 0.608)^J, eta = h / 2600 kJ/kg,
// and Eq. (11): p/22 MPa = sum n (sigma - 1.03)^I (sigma - 0.699)^J, sigma = s / 5.2 kJ/(kg K).
constexpr backward_equation p3sat_h_eq{p3sat_h_terms, sum, 22.0, {2600.0, -1.02}, {2600.0, -0.608}};  // MPa; kJ/kg
constexpr backward_equation p3sat_s_eq{p3sat_s_terms, sum, 22.0, {5.2, -1.03}, {5.2, -0.699}};         // MPa; kJ/(kg K)

}  // namespace

double h3ab(double p) { return backward<h3ab_eq>(p); }

subregion3ab subregion3ab_ph(double p, double h) { return h <= h3ab(p) ? subregion3ab::a : subregion3ab::b; }
subregion3ab subregion3ab_s(double s) { return s <= s_c ? subregion3ab::a : subregion3ab::b; }

double T3_ph(subregion3ab which, double p, double h) {
  return which == subregion3ab::a ? backward<T3a_ph_eq>(p, h) : backward<T3b_ph_eq>(p, h);
}
double v3_ph(subregion3ab which, double p, double h) {
  return which == subregion3ab::a ? backward<v3a_ph_eq>(p, h) : backward<v3b_ph_eq>(p, h);
}
double T3_ps(subregion3ab which, double p, double s) {
  return which == subregion3ab::a ? backward<T3a_ps_eq>(p, s) : backward<T3b_ps_eq>(p, s);
}
double v3_ps(subregion3ab which, double p, double s) {
  return which == subregion3ab::a ? backward<v3a_ps_eq>(p, s) : backward<v3b_ps_eq>(p, s);
}

double T3_ph(double p, double h) { return T3_ph(subregion3ab_ph(p, h), p, h); }
double v3_ph(double p, double h) { return v3_ph(subregion3ab_ph(p, h), p, h); }
double T3_ps(double p, double s) { return T3_ps(subregion3ab_s(s), p, s); }
double v3_ps(double p, double s) { return v3_ps(subregion3ab_s(s), p, s); }

double p3sat_h(double h) { return backward<p3sat_h_eq>(h); }
double p3sat_s(double s) { return backward<p3sat_s_eq>(s); }

}  // namespace if97
