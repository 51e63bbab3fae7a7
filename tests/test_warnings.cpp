// The warnings, byte for byte, and their protocol with the host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "adapter/warnings.hpp"
#include "host/host.h"
#include "host/standin/standin_host.hpp"

namespace {

using kviapws97::fortran_e;
using kviapws97::fortran_f;

struct format_row {
  double x;
  const char* f72;   // F7.2
  const char* e103;  // E10.3
};

const format_row formats[] = {
    {700.0, " 700.00", " 0.700E+03"},
    {2273.15, "2273.15", " 0.227E+04"},
    {273.15, " 273.15", " 0.273E+03"},
    {-273.15, "-273.15", "-0.273E+03"},
    {12345.678, "*******", " 0.123E+05"},
    {0.5, "   0.50", " 0.500E+00"},
    {0.0, "   0.00", " 0.000E+00"},
    {1e8, "*******", " 0.100E+09"},
    {5e7, "*******", " 0.500E+08"},
    {1000.0, "1000.00", " 0.100E+04"},
    {3536.58941, "3536.59", " 0.354E+04"},
    {999.6e3, "*******", " 0.100E+07"},
    {-1.5e-5, "  -0.00", "-0.150E-04"},
    {1e-99, "   0.00", " 0.100E-98"},
    {1e-100, "   0.00", " 0.100E-99"},
    {1.5e-101, "   0.00", " 0.150-100"},
    {1e200, "*******", " 0.100+201"},
};

TEST(Warnings, FortranFixedWidthFields) {
  for (const format_row& r : formats) {
    EXPECT_EQ(fortran_f(r.x, 7, 2), r.f72) << "F7.2 of " << r.x;
    EXPECT_EQ(fortran_e(r.x, 10, 3), r.e103) << "E10.3 of " << r.x;
  }
}

struct message_row {
  int number;
  double value, other;
  const char* line1;
  const char* line2;
};

const message_row messages[] = {
    {2, 250.0, 273.15, "      TEMP (= 250.00 K) LESS THAN LOWER BOUND (= 273.15 K); LOWER BOUND ASSUMED", ""},
    {3, 700.0, 0.0, "      SATD WATER PROPS AT SUPERCRIT TEMP (= 700.00 K) REQUESTED;",
     "      CRIT TEMP (=647.3 K) ASSUMED"},
    {4, 6e7, 5e7, "      PRES (= 0.600E+08 PASCAL) GREATER THAN UPPER BOUND (= 0.500E+08 PASCAL);",
     "      UPPER BOUND ASSUMED"},
    {5, 700.0, 0.0, "      LIQUID WATER PROPS AT SUPERCRIT TEMP (= 700.00 K) REQUESTED;",
     "      CRIT TEMP (=647.3 K) ASSUMED"},
    {6, 1000.0, 3536.58941, "      PRES (= 0.100E+04 PASCAL) LESS THAN VAPOR PRES (= 0.354E+04 PASCAL);",
     "      LIQUID WATER SPECIFIED; PRESSURE = VAPOR PRES ASSUMED"},
    {7, 1e5, 3536.58941, "      PRES (= 0.100E+06 PASCAL) GREATER THAN VAPOR PRES (= 0.354E+04 PASCAL);",
     "      VAPOR WATER SPECIFIED; PRESSURE = VAPOR PRES ASSUMED"},
    {8, 2500.0, 2273.15, "      TEMP (=2500.00 K) GREATER THAN UPPER BOUND (=2273.15 K); UPPER BOUND",
     "      ASSUMED"},
};

TEST(Warnings, CatalogueLines) {
  for (const message_row& m : messages) {
    const auto lines = kviapws97::warning_lines(m.number, m.value, m.other);
    EXPECT_EQ(lines[0], m.line1) << "message " << m.number;
    EXPECT_EQ(lines[1], m.line2) << "message " << m.number;
    EXPECT_LE(lines[0].size(), 80u);
  }
}

TEST(Warnings, ProtocolWithTheHost) {
  standin::reset();
  standin::set_echo(false);
  int component = 0;
  kviapws97::warn(kviapws97::warning_source::fdregion, 6, &component, 1000.0, 3536.58941);
  ASSERT_EQ(standin::msgchk_calls().size(), 1u);
  const standin::msgchk_call& c = standin::msgchk_calls()[0];
  EXPECT_EQ(c.routine, "FDRE    GION    ");
  EXPECT_EQ(c.severity, 5);
  EXPECT_EQ(c.message, 6);
  EXPECT_EQ(c.component, &component);
  EXPECT_EQ(c.prpctl7, &SYS_PRPCTL[7]);
  EXPECT_EQ(c.a, 0);
  EXPECT_EQ(c.b, 1);
  EXPECT_EQ(c.c, 2);
  ASSERT_EQ(standin::printed_lines().size(), 2u);
  EXPECT_EQ(standin::printed_lines()[0], messages[4].line1);
  EXPECT_EQ(standin::printed_lines()[1], messages[4].line2);
  // Each record is blank to its end.
  EXPECT_EQ(std::string(SYS_MSGBUF + 80 + std::strlen(messages[4].line2), 80 - std::strlen(messages[4].line2)),
            std::string(80 - std::strlen(messages[4].line2), ' '));

  kviapws97::warn(kviapws97::warning_source::es15d, 2, &component, 250.0, 273.15);
  ASSERT_EQ(standin::msgchk_calls().size(), 2u);
  EXPECT_EQ(standin::msgchk_calls()[1].routine, "ES15    D       ");
  EXPECT_EQ(standin::printed_lines().size(), 3u);

  SYS_MSGCTL[56] = 0;
  kviapws97::warn(kviapws97::warning_source::es15d, 4, &component, 6e7, 5e7);
  EXPECT_EQ(standin::msgchk_calls().size(), 2u);
  EXPECT_EQ(standin::printed_lines().size(), 3u);
  standin::reset();
}

}  // namespace
