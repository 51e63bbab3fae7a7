#include "if97/backward_hs.hpp"

#include <array>

#include "if97/backward_form.hpp"
#include "if97/series.hpp"

namespace if97 {
namespace {

// IAPWS SR2-01 Supplementary Release (2001; revised 2014) on Backward Equations for Pressure as a Function of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97 Table 2: coefficients and exponents of the backward equation p1(h,s) for region 1 in its dimensionless form, Eq. (1)
inline constexpr std::array<term, 19> p1_terms{{
    {0, 0, -0.691997014660582},
    {0, 1, -0.183612548787560e2},
    {0, 2, -0.928332409297335e1},
    {0, 4, 0.659639569909906e2},
    {0, 5, -0.162060388912024e2},
    {0, 6, 0.450620017338667e3},
    {0, 8, 0.854680678224170e3},
    {0, 14, 0.607523214001162e4},
    {1, 0, 0.326487682621856e2},
    {1, 1, -0.269408844582931e2},
    {1, 4, -0.319947848334300e3},
    {1, 6, -0.928354307043320e3},
    {2, 0, 0.303634537455249e2},
    {2, 1, -0.650540422444146e2},
    {2, 10, -0.430991316516130e4},
    {3, 4, -0.747512324096068e3},
    {4, 1, 0.730000345529245e3},
    {4, 4, 0.114284032569021e4},
    {5, 0, -0.436407041874559e3},
}};

// IAPWS SR2-01 Supplementary Release (2001; revised 2014) on Backward Equations for Pressure as a Function of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97 Table 5: numerical values of the coefficients of the equation h2ab(s) in its dimensionless form, Eq. (2), for defining the boundary between subregions 2a and 2b
inline constexpr std::array<term, 4> h2ab_terms{{
    {0, 0, -0.349898083432139e4},
    {0, 1, 0.257560716905876e4},
    {0, 2, -0.421073558227969e3},
    {0, 3, 0.276349063799944e2},
}};

// IAPWS SR2-01 Supplementary Release (2001; revised 2014) on Backward Equations for Pressure as a Function of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97 Table 6: coefficients and exponents of the backward equation p2a(h,s) for subregion 2a in its dimensionless form, Eq. (3)
inline constexpr std::array<term, 29> p2a_terms{{
    {0, 1, -0.182575361923032e-1},
    {0, 3, -0.125229548799536},
    {0, 6, 0.592290437320145},
    {0, 16, 0.604769706185122e1},
    {0, 20, 0.238624965444474e3},
    {0, 22, -0.298639090222922e3},
    {1, 0, 0.512250813040750e-1},
    {1, 1, -0.437266515606486},
    {1, 2, 0.413336902999504},
    {1, 3, -0.516468254574773e1},
    {1, 5, -0.557014838445711e1},
    {1, 6, 0.128555037824478e2},
    {1, 10, 0.114144108953290e2},
    {1, 16, -0.119504225652714e3},
    {1, 20, -0.284777985961560e4},
    {1, 22, 0.431757846408006e4},
    {2, 3, 0.112894040802650e1},
    {2, 16, 0.197409186206319e4},
    {2, 20, 0.151612444706087e4},
    {3, 0, 0.141324451421235e-1},
    {3, 2, 0.585501282219601},
    {3, 3, -0.297258075863012e1},
    {3, 6, 0.594567314847319e1},
    {3, 16, -0.623656565798905e4},
    {4, 16, 0.965986235133332e4},
    {5, 3, 0.681500934948134e1},
    {5, 16, -0.633207286824489e4},
    {6, 3, -0.558919224465760e1},
    {7, 1, 0.400645798472063e-1},
}};

// IAPWS SR2-01 Supplementary Release (2001; revised 2014) on Backward Equations for Pressure as a Function of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97 Table 7: coefficients and exponents of the backward equation p2b(h,s) for subregion 2b in its dimensionless form, Eq. (4)
inline constexpr std::array<term, 33> p2b_terms{{
    {0, 0, 0.801496989929495e-1},
    {0, 1, -0.543862807146111},
    {0, 2, 0.337455597421283},
    {0, 4, 0.890555451157450e1},
    {0, 8, 0.313840736431485e3},
    {1, 0, 0.797367065977789},
    {1, 1, -0.121616973556240e1},
    {1, 2, 0.872803386937477e1},
    {1, 3, -0.169769781757602e2},
    {1, 5, -0.186552827328416e3},
    {1, 12, 0.951159274344237e5},
    {2, 1, -0.189168510120494e2},
    {2, 6, -0.433407037194840e4},
    {2, 18, 0.543212633012715e9},
    {3, 0, 0.144793408386013},
    {3, 1, 0.128024559637516e3},
    {3, 7, -0.672309534071268e5},
    {3, 12, 0.336972380095287e8},
    {4, 1, -0.586634196762720e3},
    {4, 16, -0.221403224769889e11},
    {5, 1, 0.171606668708389e4},
    {5, 12, -0.570817595806302e9},
    {6, 1, -0.312109693178482e4},
    {6, 8, -0.207841384633010e7},
    {6, 18, 0.305605946157786e13},
    {7, 1, 0.322157004314333e4},
    {7, 16, 0.326810259797295e12},
    {8, 1, -0.144104158934487e4},
    {8, 3, 0.410694867802691e3},
    {8, 14, 0.109077066873024e12},
    {8, 18, -0.247964654258893e14},
    {12, 10, 0.188801906865134e10},
    {14, 16, -0.123651009018773e15},
}};

// IAPWS SR2-01 Supplementary Release (2001; revised 2014) on Backward Equations for Pressure as a Function of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97 Table 8: coefficients and exponents of the backward equation p2c(h,s) for subregion 2c in its dimensionless form, Eq. (5)
inline constexpr std::array<term, 31> p2c_terms{{
    {0, 0, 0.112225607199012},
    {0, 1, -0.339005953606712e1},
    {0, 2, -0.320503911730094e2},
    {0, 3, -0.197597305104900e3},
    {0, 4, -0.407693861553446e3},
    {0, 8, 0.132943775222331e5},
    {1, 0, 0.170846839774007e1},
    {1, 2, 0.373694198142245e2},
    {1, 5, 0.358144365815434e4},
    {1, 8, 0.423014446424664e6},
    {1, 14, -0.751071025760063e9},
    {2, 2, 0.523446127607898e2},
    {2, 3, -0.228351290812417e3},
    {2, 7, -0.960652417056937e6},
    {2, 10, -0.807059292526074e8},
    {2, 18, 0.162698017225669e13},
    {3, 0, 0.772465073604171},
    {3, 5, 0.463929973837746e5},
    {3, 8, -0.137317885134128e8},
    {3, 16, 0.170470392630512e13},
    {3, 18, -0.251104628187308e14},
    {4, 18, 0.317748830835520e14},
    {5, 1, 0.538685623675312e2},
    {5, 4, -0.553089094625169e5},
    {5, 6, -0.102861522421405e7},
    {5, 14, 0.204249418756234e13},
    {6, 8, 0.273918446626977e9},
    {6, 18, -0.263963146312685e16},
    {10, 7, -0.107890854108088e10},
    {12, 7, -0.296492620980124e11},
    {16, 10, -0.111754907323424e16},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 3: coefficients and exponents of the backward equation p3a(h,s) for subregion 3a in its dimensionless form, Eq. (1)
inline constexpr std::array<term, 33> p3a_terms{{
    {0, 0, 0.770889828326934e1},
    {0, 1, -0.260835009128688e2},
    {0, 5, 0.267416218930389e3},
    {1, 0, 0.172221089496844e2},
    {1, 3, -0.293542332145970e3},
    {1, 4, 0.614135601882478e3},
    {1, 8, -0.610562757725674e5},
    {1, 14, -0.651272251118219e8},
    {2, 6, 0.735919313521937e5},
    {2, 16, -0.116646505914191e11},
    {3, 0, 0.355267086434461e2},
    {3, 2, -0.596144543825955e3},
    {3, 3, -0.475842430145708e3},
    {4, 0, 0.696781965359503e2},
    {4, 1, 0.335674250377312e3},
    {4, 4, 0.250526809130882e5},
    {4, 5, 0.146997380630766e6},
    {5, 28, 0.538069315091534e20},
    {6, 28, 0.143619827291346e22},
    {7, 24, 0.364985866165994e20},
    {8, 1, -0.254741561156775e4},
    {10, 32, 0.240120197096563e28},
    {10, 36, -0.393847464679496e30},
    {14, 22, 0.147073407024852e25},
    {18, 28, -0.426391250432059e32},
    {20, 36, 0.194509340621077e39},
    {22, 16, 0.666212132114896e24},
    {22, 28, 0.706777016552858e34},
    {24, 36, 0.175563621975576e42},
    {28, 16, 0.108408607429124e29},
    {28, 36, 0.730872705175151e44},
    {32, 10, 0.159145847398870e25},
    {32, 28, 0.377121605943324e41},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 4: coefficients and exponents of the backward equation p3b(h,s) for subregion 3b in its dimensionless form, Eq. (2)
inline constexpr std::array<term, 35> p3b_terms{{
    {-12, 2, 0.125244360717979e-12},
    {-12, 10, -0.126599322553713e-1},
    {-12, 12, 0.506878030140626e1},
    {-12, 14, 0.317847171154202e2},
    {-12, 20, -0.391041161399932e6},
    {-10, 2, -0.975733406392044e-10},
    {-10, 10, -0.186312419488279e2},
    {-10, 14, 0.510973543414101e3},
    {-10, 18, 0.373847005822362e6},
    {-8, 2, 0.299804024666572e-7},
    {-8, 8, 0.200544393820342e2},
    {-6, 2, -0.498030487662829e-5},
    {-6, 6, -0.102301806360030e2},
    {-6, 7, 0.552819126990325e2},
    {-6, 8, -0.206211367510878e3},
    {-5, 10, -0.794012232324823e4},
    {-4, 4, 0.782248472028153e1},
    {-4, 5, -0.586544326902468e2},
    {-4, 8, 0.355073647696481e4},
    {-3, 1, -0.115303107290162e-3},
    {-3, 3, -0.175092403171802e1},
    {-3, 5, 0.257981687748160e3},
    {-3, 6, -0.727048374179467e3},
    {-2, 0, 0.121644822609198e-3},
    {-2, 1, 0.393137871762692e-1},
    {-1, 0, 0.704181005909296e-2},
    {0, 3, -0.829108200698110e2},
    {2, 0, -0.265178818131250},
    {2, 1, 0.137531682453991e2},
    {5, 0, -0.522394090753046e2},
    {6, 1, 0.240556298941048e4},
    {8, 1, -0.227361631268929e5},
    {10, 1, 0.890746343932567e5},
    {14, 3, -0.239234565822486e8},
    {14, 7, 0.568795808129714e10},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 9: coefficients and exponents of the boundary equation h'1(s) in its dimensionless form, Eq. (3)
inline constexpr std::array<term, 27> hsat_liquid_1_terms{{
    {0, 14, 0.332171191705237},
    {0, 36, 0.611217706323496e-3},
    {1, 3, -0.882092478906822e1},
    {1, 16, -0.455628192543250},
    {2, 0, -0.263483840850452e-4},
    {2, 5, -0.223949661148062e2},
    {3, 4, -0.428398660164013e1},
    {3, 36, -0.616679338856916},
    {4, 4, -0.146823031104040e2},
    {4, 16, 0.284523138727299e3},
    {4, 24, -0.113398503195444e3},
    {5, 18, 0.115671380760859e4},
    {5, 24, 0.395551267359325e3},
    {7, 1, -0.154891257229285e1},
    {8, 4, 0.194486637751291e2},
    {12, 2, -0.357915139457043e1},
    {12, 4, -0.335369414148819e1},
    {14, 1, -0.664426796332460},
    {14, 22, 0.323321885383934e5},
    {16, 10, 0.331766744667084e4},
    {20, 12, -0.223501257931087e5},
    {20, 28, 0.573953875852936e7},
    {22, 8, 0.173226193407919e3},
    {24, 3, -0.363968822121321e-1},
    {28, 0, 0.834596332878346e-6},
    {32, 6, 0.503611916682674e1},
    {32, 8, 0.655444787064505e2},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 10: coefficients and exponents of the boundary equation h'3a(s) in its dimensionless form, Eq. (4)
inline constexpr std::array<term, 19> hsat_liquid_3a_terms{{
    {0, 1, 0.822673364673336},
    {0, 4, 0.181977213534479},
    {0, 10, -0.112000260313624e-1},
    {0, 16, -0.746778287048033e-3},
    {2, 1, -0.179046263257381},
    {3, 36, 0.424220110836657e-1},
    {4, 3, -0.341355823438768},
    {4, 16, -0.209881740853565e1},
    {5, 20, -0.822477343323596e1},
    {5, 36, -0.499684082076008e1},
    {6, 4, 0.191413958471069},
    {7, 2, 0.581062241093136e-1},
    {7, 28, -0.165505498701029e4},
    {7, 32, 0.158870443421201e4},
    {10, 14, -0.850623535172818e2},
    {10, 32, -0.317714386511207e5},
    {10, 36, -0.945890406632871e5},
    {32, 0, -0.139273847088690e-5},
    {32, 6, 0.631052532240980},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 16: coefficients and exponents of the boundary equation h''2ab(s) in its dimensionless form, Eq. (5)
inline constexpr std::array<term, 30> hsat_vapour_2ab_terms{{
    {1, 8, -0.524581170928788e3},
    {1, 24, -0.926947218142218e7},
    {2, 4, -0.237385107491666e3},
    {2, 32, 0.210770155812776e11},
    {4, 1, -0.239494562010986e2},
    {4, 2, 0.221802480294197e3},
    {7, 7, -0.510472533393438e7},
    {8, 5, 0.124981396109147e7},
    {8, 12, 0.200008436996201e10},
    {10, 1, -0.815158509791035e3},
    {12, 0, -0.157612685637523e3},
    {12, 7, -0.114200422332791e11},
    {18, 10, 0.662364680776872e16},
    {20, 12, -0.227622818296144e19},
    {24, 32, -0.171048081348406e32},
    {28, 8, 0.660788766938091e16},
    {28, 12, 0.166320055886021e23},
    {28, 20, -0.218003784381501e30},
    {28, 22, -0.787276140295618e30},
    {28, 24, 0.151062329700346e32},
    {32, 2, 0.795732170300541e7},
    {32, 7, 0.131957647355347e16},
    {32, 12, -0.325097068299140e24},
    {32, 14, -0.418600611419248e26},
    {32, 24, 0.297478906557467e35},
    {36, 10, -0.953588761745473e20},
    {36, 12, 0.166957699620939e25},
    {36, 20, -0.175407764869978e33},
    {36, 22, 0.347581490626396e35},
    {36, 28, -0.710971318427851e39},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 17: coefficients and exponents of the boundary equation h''2c3b(s) in its dimensionless form, Eq. (6)
inline constexpr std::array<term, 16> hsat_vapour_2c3b_terms{{
    {0, 0, 0.104351280732769e1},
    {0, 3, -0.227807912708513e1},
    {0, 4, 0.180535256723202e1},
    {1, 0, 0.420440834792042},
    {1, 12, -0.105721244834660e6},
    {5, 36, 0.436911607493884e25},
    {6, 12, -0.328032702839753e12},
    {7, 16, -0.678686760804270e16},
    {8, 2, 0.743957464645363e4},
    {8, 20, -0.356896445355761e20},
    {12, 32, 0.167590585186801e32},
    {16, 36, -0.355028625419105e38},
    {22, 2, 0.396611982166538e12},
    {22, 32, -0.414716268484468e41},
    {24, 7, 0.359080103867382e19},
    {36, 20, -0.116994334851995e41},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 23: coefficients and exponents of the equation hB13(s) in its dimensionless form, Eq. (7)
inline constexpr std::array<term, 6> h_b13_terms{{
    {0, 0, 0.913965547600543},
    {1, -2, -0.430944856041991e-4},
    {1, 2, 0.603235694765419e2},
    {3, -12, 0.117518273082168e-17},
    {5, -4, 0.220000904781292},
    {6, -3, -0.690815545851641e2},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 25: coefficients and exponents of the boundary equation TB23(h,s) in its dimensionless form, Eq. (8)
inline constexpr std::array<term, 25> T_b23_terms{{
    {-12, 10, 0.629096260829810e-3},
    {-10, 8, -0.823453502583165e-3},
    {-8, 3, 0.515446951519474e-7},
    {-4, 4, -0.117565945784945e1},
    {-3, 3, 0.348519684726192e1},
    {-2, -6, -0.507837382408313e-11},
    {-2, 2, -0.284637670005479e1},
    {-2, 3, -0.236092263939673e1},
    {-2, 4, 0.601492324973779e1},
    {0, 0, 0.148039650824546e1},
    {1, -3, 0.360075182221907e-3},
    {1, -2, -0.126700045009952e-1},
    {1, 10, -0.122184332521413e7},
    {3, -2, 0.149276502463272},
    {3, -1, 0.698733471798484},
    {5, -5, -0.252207040114321e-1},
    {6, -6, 0.147151930985213e-1},
    {6, -3, -0.108618917681849e1},
    {8, -8, -0.936875039816322e-3},
    {8, -2, 0.819877897570217e2},
    {8, -1, -0.182041861521835e3},
    {12, -12, 0.261907376402688e-5},
    {12, -1, -0.291626417025961e5},
    {14, -12, 0.140660774926165e-4},
    {14, 1, 0.783237062349385e7},
}};

// IAPWS SR4-04 Supplementary Release (2004; revised 2014) on Backward Equations p(h,s) for Region 3, Equations as a Function of h and s for the Region Boundaries, and an Equation Tsat(h,s) for Region 4 of IAPWS-IF97 Table 28: coefficients and exponents of the equation Tsat(h,s) in its dimensionless form, Eq. (9)
inline constexpr std::array<term, 36> Tsat_terms{{
    {0, 0, 0.179882673606601},
    {0, 3, -0.267507455199603},
    {0, 12, 0.116276722612600e1},
    {1, 0, 0.147545428713616},
    {1, 1, -0.512871635973248},
    {1, 2, 0.421333567697984},
    {1, 5, 0.563749522189870},
    {2, 0, 0.429274443819153},
    {2, 5, -0.335704552142140e1},
    {2, 8, 0.108890916499278e2},
    {3, 0, -0.248483390456012},
    {3, 2, 0.304153221906390},
    {3, 3, -0.494819763939905},
    {3, 4, 0.107551674933261e1},
    {4, 0, 0.733888415457688e-1},
    {4, 1, 0.140170545411085e-1},
    {5, 1, -0.106110975998808},
    {5, 2, 0.168324361811875e-1},
    {5, 4, 0.125028363714877e1},
    {5, 16, 0.101316840309509e4},
    {6, 6, -0.151791558000712e1},
    {6, 8, 0.524277865990866e2},
    {6, 22, 0.230495545563912e5},
    {8, 1, 0.249459806365456e-1},
    {10, 20, 0.210796467412137e7},
    {10, 36, 0.366836848613065e9},
    {12, 24, -0.144814105365163e9},
    {14, 1, -0.179276373003590e-2},
    {14, 28, 0.489955602100459e10},
    {16, 12, 0.471262212070518e3},
    {16, 32, -0.829294390198652e11},
    {18, 14, -0.171545662263191e4},
    {18, 22, 0.355777682973575e7},
    {18, 36, 0.586062760258436e12},
    {20, 24, -0.129887635078195e8},
    {28, 36, 0.317247449371057e11},
}};


using enum result_form;
using enum enters;

// SR2-01 Eq. (1): p/100 MPa = sum n (eta + 0.05)^I (sigma + 0.05)^J, eta = h / 3400 kJ/kg, sigma = s / 7.6 kJ/(kg K).
constexpr backward_equation p1_eq{p1_terms, sum, 100.0, {3400.0, 0.05}, {7.6, 0.05}};  // MPa; kJ/kg; kJ/(kg K)

// SR2-01 Eq. (2): eta = h / 1 kJ/kg = sum n_i sigma^(i-1), sigma = s / 1 kJ/(kg K); a series in y = sigma alone.
constexpr backward_equation h2ab_eq{h2ab_terms, sum, 1.0, {1.0}, {1.0}};  // kJ/kg; kJ/(kg K); kJ/(kg K)

// SR2-01 Eqs. (3) to (5): p/p* = [sum n (eta + a)^I (sigma + b)^J]^4, eta = h / h*, sigma = s / s*.
constexpr backward_equation p2a_eq{p2a_terms, fourth_power, 4.0, {4200.0, -0.5}, {12.0, -1.2}};     // MPa; kJ/kg; kJ/(kg K)
constexpr backward_equation p2b_eq{p2b_terms, fourth_power, 100.0, {4100.0, -0.6}, {7.9, -1.01}};   // MPa; kJ/kg; kJ/(kg K)
constexpr backward_equation p2c_eq{p2c_terms, fourth_power, 100.0, {3500.0, -0.7}, {5.9, -1.1}};    // MPa; kJ/kg; kJ/(kg K)

// SR4-04 Eq. (1): p/99 MPa = sum n (eta - 1.01)^I (sigma - 0.750)^J, eta = h / 2300 kJ/kg, sigma = s / 4.4 kJ/(kg K);
// Eq. (2): 16.6 MPa/p = sum n (eta - 0.681)^I (sigma - 0.792)^J, eta = h / 2800 kJ/kg, sigma = s / 5.3 kJ/(kg K).
constexpr backward_equation p3a_eq{p3a_terms, sum, 99.0, {2300.0, -1.01}, {4.4, -0.750}};         // MPa; kJ/kg; kJ/(kg K)
constexpr backward_equation p3b_eq{p3b_terms, reciprocal, 16.6, {2800.0, -0.681}, {5.3, -0.792}};  // MPa; kJ/kg; kJ/(kg K)

// SR4-04 Eqs. (3) and (4): h/1700 kJ/kg = sum n (sigma - 1.09)^I (sigma + 0.366e-4)^J, sigma = s / 3.8 kJ/(kg K).
constexpr backward_equation hsat_liquid_1_eq{hsat_liquid_1_terms, sum, 1700.0, {3.8, -1.09}, {3.8, 0.366e-4}};    // kJ/kg; kJ/(kg K)
constexpr backward_equation hsat_liquid_3a_eq{hsat_liquid_3a_terms, sum, 1700.0, {3.8, -1.09}, {3.8, 0.366e-4}};  // kJ/kg; kJ/(kg K)
// SR4-04 Eq. (5): h/2800 kJ/kg = exp[sum n (1/sigma1 - 0.513)^I (sigma2 - 0.524)^J], sigma1 = s / 5.21 kJ/(kg K),
// sigma2 = s / 9.2 kJ/(kg K).
constexpr backward_equation hsat_vapour_2ab_eq{hsat_vapour_2ab_terms, exponential, 2800.0, {5.21, -0.513, inverse},
                                               {9.2, -0.524}};  // kJ/kg; kJ/(kg K)
// SR4-04 Eq. (6): h/2800 kJ/kg = [sum n (sigma - 1.02)^I (sigma - 0.726)^J]^4, sigma = s / 5.9 kJ/(kg K).
constexpr backward_equation hsat_vapour_2c3b_eq{hsat_vapour_2c3b_terms, fourth_power, 2800.0, {5.9, -1.02},
                                                {5.9, -0.726}};  // kJ/kg; kJ/(kg K)
// SR4-04 Eq. (7): h/1700 kJ/kg = sum n (sigma - 0.884)^I (sigma - 0.864)^J, sigma = s / 3.8 kJ/(kg K).
constexpr backward_equation h_b13_eq{h_b13_terms, sum, 1700.0, {3.8, -0.884}, {3.8, -0.864}};  // kJ/kg; kJ/(kg K)
// SR4-04 Eq. (8): T/900 K = sum n (eta - 0.727)^I (sigma - 0.864)^J, eta = h / 3000 kJ/kg, sigma = s / 5.3 kJ/(kg K).
constexpr backward_equation T_b23_eq{T_b23_terms, sum, 900.0, {3000.0, -0.727}, {5.3, -0.864}};  // K; kJ/kg; kJ/(kg K)
// SR4-04 Eq. (9): T/550 K = sum n (eta - 0.119)^I (sigma - 1.07)^J, eta = h / 2800 kJ/kg, sigma = s / 9.2 kJ/(kg K).
constexpr backward_equation Tsat_eq{Tsat_terms, sum, 550.0, {2800.0, -0.119}, {9.2, -1.07}};  // K; kJ/kg; kJ/(kg K)

}  // namespace

double p1_hs(double h, double s) { return backward<p1_eq>(h, s); }

double h2ab(double s) { return backward<h2ab_eq>(s); }

subregion2 subregion2_hs(double h, double s) {
  if (s > s_2ab_max || (s >= s_2ab_min && h <= h2ab(s))) return subregion2::a;
  return s >= s_2bc ? subregion2::b : subregion2::c;
}

double p2_hs(subregion2 which, double h, double s) {
  if (which == subregion2::a) return backward<p2a_eq>(h, s);
  if (which == subregion2::b) return backward<p2b_eq>(h, s);
  return backward<p2c_eq>(h, s);
}

double p2_hs(double h, double s) { return p2_hs(subregion2_hs(h, s), h, s); }

double p3_hs(subregion3ab which, double h, double s) {
  return which == subregion3ab::a ? backward<p3a_eq>(h, s) : backward<p3b_eq>(h, s);
}

double p3_hs(double h, double s) { return p3_hs(subregion3ab_s(s), h, s); }

double hsat_liquid_1(double s) { return backward<hsat_liquid_1_eq>(s); }
double hsat_liquid_3a(double s) { return backward<hsat_liquid_3a_eq>(s); }
double hsat_vapour_2ab(double s) { return backward<hsat_vapour_2ab_eq>(s); }
double hsat_vapour_2c3b(double s) { return backward<hsat_vapour_2c3b_eq>(s); }
double h_b13(double s) { return backward<h_b13_eq>(s); }
double T_b23_hs(double h, double s) { return backward<T_b23_eq>(h, s); }
double Tsat_hs(double h, double s) { return backward<Tsat_eq>(h, s); }

}  // namespace if97
