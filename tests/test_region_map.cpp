// The map picture: a document an SVG renderer accepts whatever the states and
// labels, marks drawn where their states are, and axes that keep the order
// and the spacing they claim.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "tools/region_map.hpp"

namespace {

using kvtool::map_axes;
using kvtool::map_mark;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Every element closed in order, every '&' starting an entity or character
// reference, no '<' inside an attribute value; the XML declaration first and
// the root element last. Returns what is wrong, or an empty string.
std::string xml_fault(std::string_view doc) {
  if (doc.substr(0, 5) != "<?xml") return "no XML declaration";
  std::vector<std::string> open;
  std::size_t i = doc.find("?>");
  if (i == std::string_view::npos) return "unterminated declaration";
  i += 2;
  bool root_closed = false;
  while (i < doc.size()) {
    const char c = doc[i];
    if (c == '&') {
      const std::size_t semi = doc.find(';', i);
      const std::string_view ref = doc.substr(i + 1, semi == std::string_view::npos ? 0 : semi - i - 1);
      const bool named = ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos";
      const bool numeric =
          ref.size() > 1 && ref[0] == '#' && ref.find_first_not_of("0123456789", 1) == std::string_view::npos;
      if (!named && !numeric) return "bare '&' at " + std::to_string(i);
      i = semi + 1;
      continue;
    }
    if (c != '<') {
      if (root_closed && c != '\n' && c != ' ') return "text after the root element";
      ++i;
      continue;
    }
    if (root_closed) return "markup after the root element";
    // A tag: find its end outside quoted attribute values.
    std::size_t j = i + 1;
    char quote = 0;
    for (; j < doc.size(); ++j) {
      if (quote != 0) {
        if (doc[j] == quote)
          quote = 0;
        else if (doc[j] == '<')
          return "'<' in an attribute value at " + std::to_string(j);
      } else if (doc[j] == '"' || doc[j] == '\'') {
        quote = doc[j];
      } else if (doc[j] == '>') {
        break;
      }
    }
    if (j == doc.size()) return "unterminated tag";
    const std::string_view tag = doc.substr(i + 1, j - i - 1);
    const bool closing = tag.front() == '/';
    const bool empty = tag.back() == '/';
    const std::string_view body = closing ? tag.substr(1) : tag;
    const std::string name(body.substr(0, body.find_first_of(" \n/")));
    if (closing) {
      if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
      open.pop_back();
      root_closed = open.empty();
    } else if (!empty) {
      open.push_back(name);
    }
    i = j + 1;
  }
  if (!open.empty()) return "<" + open.back() + "> left open";
  if (!root_closed) return "no root element";
  return {};
}

// The values of the attributes that hold numbers: coordinates, sizes,
// transforms and path data. Any letter but a path command or a transform's
// name in them is a number gone wrong ("nan", "inf", "e+300").
std::vector<std::string> numeric_attributes(const std::string& doc) {
  static const char* names[] = {" x=", " y=",  " x1=",    " y1=",     " x2=",      " y2=",     " cx=", " cy=",
                                " r=", " dx=", " width=", " height=", " viewBox=", " points=", " d=",  " transform="};
  std::vector<std::string> values;
  for (const char* name : names) {
    const std::string key = std::string(name) + "\"";
    for (std::size_t at = doc.find(key); at != std::string::npos; at = doc.find(key, at + 1)) {
      const std::size_t start = at + key.size();
      values.push_back(doc.substr(start, doc.find('"', start) - start));
    }
  }
  return values;
}

bool number_gone_wrong(std::string value) {
  for (const char* word : {"rotate", "translate"})
    for (std::size_t at = value.find(word); at != std::string::npos; at = value.find(word))
      value.erase(at, std::string_view(word).size());
  for (const char c : value)
    if (std::isalpha(static_cast<unsigned char>(c)) && c != 'M' && c != 'L' && c != 'Z') return true;
  return false;
}

// The centre of the n-th circle of a class ("asked" or "used"), or NaN.
struct centre {
  double x, y;
};
centre circle_of_class(const std::string& doc, const char* cls, int n) {
  const std::string key = std::string("class=\"") + cls + "\"";
  std::size_t at = 0;
  for (int k = 0; k <= n; ++k) {
    at = doc.find(key, at + 1);
    if (at == std::string::npos) return {nan, nan};
  }
  const std::size_t tag = doc.rfind("<circle", at);
  const auto attribute = [&](const char* name) {
    const std::size_t a = doc.find(std::string(" ") + name + "=\"", tag);
    return std::strtod(doc.c_str() + a + std::string_view(name).size() + 3, nullptr);
  };
  return {attribute("cx"), attribute("cy")};
}

std::size_t count(const std::string& doc, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = doc.find(what); at != std::string::npos; at = doc.find(what, at + 1)) ++n;
  return n;
}

const map_mark liquid_moved{700.0, 1e7, 2, 3, 647.096, 22.064e6, "liquid 700 K, 1e7 Pa"};
const map_mark vapour_moved{1500.0, 6e7, 1, 5, 1500.0, 5e7, "vapour 1500 K, 6e7 Pa"};
const map_mark liquid_in_range{300.0, 1e5, 2, 1, 300.0, 1e5, "liquid 300 K, 1e5 Pa"};
const map_mark vapour_raised{250.0, 100.0, 1, 2, 273.15, 100.0, "vapour 250 K, 100 Pa"};
const map_mark failed{500.0, 1e6, 2, 0, 0.0, 0.0, "liquid 500 K, 1e6 Pa"};
const map_mark vapour_lowered{450.0, 1e7, 1, 2, 450.0, 0.93220e6, "vapour 450 K, 1e7 Pa"};

TEST(RegionMap, DocumentIsWellFormedForEveryKindOfMark) {
  const std::vector<std::vector<map_mark>> cases = {
      {},
      {liquid_in_range},
      {liquid_moved, vapour_moved, liquid_in_range, vapour_raised, failed},
      {{nan, nan, 1, 0, nan, nan, "<&>\"'"}, {inf, -inf, 2, 2, -inf, inf, ""}},
  };
  for (const auto& marks : cases) {
    const std::string doc = kvtool::region_map_svg(marks);
    EXPECT_EQ(xml_fault(doc), "") << marks.size() << " marks";
    EXPECT_NE(doc.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(doc.find(" viewBox=\"0 0 "), std::string::npos);
    EXPECT_EQ(doc.find("<script"), std::string::npos);
    EXPECT_EQ(doc.find("href"), std::string::npos) << "no external resources";
  }
}

// Every odd value in every field of a mark, and in both states at once.
TEST(RegionMap, HostileStatesGiveOnlyFiniteCoordinates) {
  const double odd[] = {nan, inf, -inf, 0.0, -0.0, -1.0, -1e300, 1e300, 4.9e-324, 1e-300};
  for (const double v : odd)
    for (int field = 0; field < 5; ++field) {
      map_mark m = liquid_moved;
      double* fields[] = {&m.T, &m.P, &m.T_used, &m.P_used};
      if (field < 4)
        *fields[field] = v;
      else
        m.T = m.P = m.T_used = m.P_used = v;
      for (const std::int64_t region : {std::int64_t{0}, std::int64_t{3}}) {
        m.region = region;
        const std::string doc = kvtool::region_map_svg({m, vapour_moved});
        EXPECT_EQ(xml_fault(doc), "") << "value " << v << " in field " << field;
        for (const std::string& value : numeric_attributes(doc))
          EXPECT_FALSE(number_gone_wrong(value)) << "value " << v << " in field " << field << ": " << value;
      }
    }
}

TEST(RegionMap, EscapesMarkupAndRepairsText) {
  struct row {
    std::string_view in;
    std::string_view out;
  };
  const row rows[] = {
      {"<&>\"'", "&lt;&amp;&gt;&quot;&apos;"},
      {"a\tb\nc\x01\x7f", "a b c  "},
      {"caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x92\xa7", "caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x92\xa7"},
      {"\xff", "&#65533;"},                          // never a UTF-8 byte
      {"\xc3", "&#65533;"},                          // cut short
      {"\xc0\xaf", "&#65533;&#65533;"},              // overlong '/'
      {"\xed\xa0\x80", "&#65533;&#65533;&#65533;"},  // a surrogate
      {"\xef\xbf\xbe", "&#65533;"},                  // U+FFFE, not an XML character
      {"&amp;", "&amp;amp;"},
  };
  for (const row& r : rows) EXPECT_EQ(kvtool::xml_escape(r.in), r.out) << r.in;
  const std::string doc = kvtool::region_map_svg({{300.0, 1e5, 2, 1, 300.0, 1e5, "x <b>&amp; \"q\" \xff"}});
  EXPECT_NE(doc.find("x &lt;b&gt;&amp;amp; &quot;q&quot; &#65533;"), std::string::npos);
  EXPECT_EQ(xml_fault(doc), "");
}

TEST(RegionMap, KeyTextNamesRegionMoveAndScale) {
  struct row {
    map_mark mark;
    std::vector<std::string> has;
    std::vector<std::string> lacks;
  };
  const std::string long_label(500, 'w');
  const row rows[] = {
      {liquid_in_range, {"liquid 300 K, 1e5 Pa \u2192 region 1"}, {" at ", "off scale", "failed"}},
      {liquid_moved, {"\u2192 region 3 at 647.096 K, 2.2064e+07 Pa"}, {"off scale"}},
      {failed, {"\u2192 failed"}, {"region", " at "}},
      {{300.0, 1e300, 2, 1, 300.0, 1e8, "deep"}, {"deep \u2192 region 1 at 300 K, 1e+08 Pa (off scale)"}, {"used off"}},
      {{-5.0, 1e5, 1, 2, 273.15, 1e5, "cold"}, {"(off scale)"}, {}},
      {{300.0, 1e5, 2, 1, 3000.0, 1e5, "u"}, {"(state used off scale)"}, {}},
      {{nan, 1e5, 2, 1, 300.0, 1e5, "n"}, {"(not a number, not drawn)"}, {"(off scale)"}},
      {{450.0, 2e6, 1, 2, 450.0, 2e6, ""}, {"vapour 450 K, 2e+06 Pa \u2192 region 2"}, {}},
      {{300.0, 1e5, 2, 1, 300.0, 1e5, long_label},
       {std::string(80, 'w') + "\u2026 \u2192 region 1"},
       {std::string(81, 'w')}},
  };
  for (const row& r : rows) {
    const std::string text = kvtool::map_key_text(r.mark);
    for (const auto& h : r.has) EXPECT_NE(text.find(h), std::string::npos) << text << " lacks " << h;
    for (const auto& l : r.lacks) EXPECT_EQ(text.find(l), std::string::npos) << text << " has " << l;
  }
  // A cut never splits a code point.
  const std::string wide = std::string(79, 'a') + "\xe2\x86\x92\xe2\x86\x92";
  const std::string cut = kvtool::map_key_text({300.0, 1e5, 2, 1, 300.0, 1e5, wide});
  EXPECT_EQ(cut.substr(0, 86), std::string(79, 'a') + "\xe2\x86\x92\xe2\x80\xa6 ");
}

TEST(RegionMap, AxesAreMonotonicWithEvenDecadesAndOneBreak) {
  double previous = -inf;
  for (double T = map_axes::T_min; T <= map_axes::T_max; T += 0.5) {
    const double x = map_axes::x_of_T(T);
    EXPECT_GT(x, previous) << T;
    previous = x;
  }
  EXPECT_DOUBLE_EQ(map_axes::x_of_T(map_axes::T_min), map_axes::left);
  EXPECT_DOUBLE_EQ(map_axes::x_of_T(map_axes::T_max), map_axes::right);
  // The two linear pieces meet at the break, the upper one 4 times denser.
  const double step_below = map_axes::x_of_T(map_axes::T_break) - map_axes::x_of_T(map_axes::T_break - 100);
  const double step_above = map_axes::x_of_T(map_axes::T_break + 100) - map_axes::x_of_T(map_axes::T_break);
  EXPECT_NEAR(step_below / step_above, map_axes::compression, 1e-9);
  EXPECT_NEAR(map_axes::x_of_T(500) - map_axes::x_of_T(400), step_below, 1e-9);
  EXPECT_NEAR(map_axes::x_of_T(2300) - map_axes::x_of_T(2200), step_above, 1e-9);

  const double decade = map_axes::y_of_P(1e2) - map_axes::y_of_P(1e3);
  EXPECT_GT(decade, 0.0) << "pressure rises up the page";
  for (int e = 3; e <= 8; ++e)
    EXPECT_NEAR(map_axes::y_of_P(std::pow(10.0, e - 1)) - map_axes::y_of_P(std::pow(10.0, e)), decade, 1e-9) << e;
  EXPECT_DOUBLE_EQ(map_axes::y_of_P(map_axes::P_min), map_axes::bottom);
  EXPECT_DOUBLE_EQ(map_axes::y_of_P(map_axes::P_max), map_axes::top);
}

// Every point the picture is about lies inside the box; beyond the axes and
// for any odd value a coordinate stays on an edge.
TEST(RegionMap, RegionCornersInsideAndOddValuesOnEdges) {
  const double corners[][2] = {
      {273.15, if97::psat(273.15) * 1e6},
      {273.15, 1e8},
      {623.15, if97::psat(623.15) * 1e6},
      {623.15, if97::pb23(623.15) * 1e6},
      {863.15, 1e8},
      {1073.15, 1e8},
      {1073.15, 5e7},
      {2273.15, 5e7},
      {if97::T_c, if97::p_c * 1e6},
      {2273.15, 100.0},
  };
  for (const auto& c : corners) {
    EXPECT_TRUE(map_axes::on_scale(c[0], c[1])) << c[0] << " K " << c[1] << " Pa";
    EXPECT_GT(map_axes::x_of_T(c[0]), map_axes::left) << c[0];
    EXPECT_LT(map_axes::x_of_T(c[0]), map_axes::right) << c[0];
    EXPECT_GT(map_axes::y_of_P(c[1]), map_axes::top) << c[1];
    EXPECT_LT(map_axes::y_of_P(c[1]), map_axes::bottom) << c[1];
  }
  struct edge_row {
    double value;
    double x, y;  // where T and P of that value land
  };
  const edge_row rows[] = {
      {nan, map_axes::left, map_axes::bottom},      {-inf, map_axes::left, map_axes::bottom},
      {inf, map_axes::right, map_axes::top},        {0.0, map_axes::left, map_axes::bottom},
      {-300.0, map_axes::left, map_axes::bottom},   {1e300, map_axes::right, map_axes::top},
      {4.9e-324, map_axes::left, map_axes::bottom},
  };
  for (const edge_row& r : rows) {
    EXPECT_EQ(map_axes::x_of_T(r.value), r.x) << r.value;
    EXPECT_EQ(map_axes::y_of_P(r.value), r.y) << r.value;
    EXPECT_FALSE(map_axes::on_scale(r.value, 1e5)) << r.value;
    EXPECT_FALSE(map_axes::on_scale(300.0, r.value)) << r.value;
  }
}

// The hollow circle at the state asked for, the dot at the state used, an
// arrow only when they differ by more than the symbols' size, and no dot for
// a state that failed.
TEST(RegionMap, MarksLandOnTheirStates) {
  const std::vector<map_mark> marks = {liquid_moved, liquid_in_range, failed, vapour_lowered, vapour_moved};
  const std::string doc = kvtool::region_map_svg(marks);
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const centre a = circle_of_class(doc, "asked", static_cast<int>(i));
    EXPECT_NEAR(a.x, map_axes::x_of_T(marks[i].T), 0.06) << i;
    EXPECT_NEAR(a.y, map_axes::y_of_P(marks[i].P), 0.06) << i;
  }
  const map_mark* with_dot[] = {&liquid_moved, &liquid_in_range, &vapour_lowered, &vapour_moved};
  for (int i = 0; i < 4; ++i) {
    const centre u = circle_of_class(doc, "used", i);
    EXPECT_NEAR(u.x, map_axes::x_of_T(with_dot[i]->T_used), 0.06) << i;
    EXPECT_NEAR(u.y, map_axes::y_of_P(with_dot[i]->P_used), 0.06) << i;
  }
  EXPECT_TRUE(std::isnan(circle_of_class(doc, "used", 4).x)) << "a failed state has no dot";
  // 1500 K moved from 60 to 50 MPa: a few px, its dot under its circle.
  EXPECT_EQ(count(doc, "class=\"move\""), 2u) << "arrows of the two states moved far";
  EXPECT_EQ(count(doc, "marker-end=\"url(#arrow-"), 3u) << "two arrows and the legend's";
}

}  // namespace
