// What the program's SVG pictures share: the number format, the elements,
// text escaping, and the drawing of marked states (numbered, marks at one
// place drawn as rings around each other, marks beyond the frame drawn at
// its edge with a pointer).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvtool {

// Text as XML character data or attribute value: the five markup characters
// as entities; control characters as spaces; bytes that are not UTF-8, and
// the non-characters U+FFFE and U+FFFF, as U+FFFD.
std::string xml_escape(std::string_view text);

// The first `chars` code points of valid UTF-8 text, with an ellipsis when cut.
std::string cut_text(const std::string& text, std::size_t chars);

namespace svg {

// The one number format of the documents: fixed point, 0 for what is not finite.
std::string num(double v);
std::string text(double x, double y, std::string_view content, std::string_view attributes = {});
std::string line(double x1, double y1, double x2, double y2, std::string_view attributes);
std::string circle(double x, double y, double r, std::string_view attributes);
std::string polyline(const std::vector<std::pair<double, double>>& points, std::string_view attributes);
// The XML declaration, the root element and a white page; close with "</svg>\n".
// A document drawn in width x height units, shown `scale` px per unit.
std::string document(double width, double height, std::string_view title, double scale = 1.0);

struct box {
  double x0, y0, x1, y1;
  bool overlaps(const box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// A marked state as a picture draws it: where it belongs (possibly beyond
// the frame, not NaN), its number, and its colour.
struct mark_place {
  double x, y;
  int number;
  std::string colour;
};

// Hollow rings at the marks, a mark beyond the frame as a pointer on the
// frame's edge towards it, marks at one place (within 2 px) as rings of
// growing radius around each other with their numbers together; each group's
// numbers beside it, inside the frame and clear of `taken` (updated). Rings
// have class "mark" and the radius given to the first of a group.
std::string mark_layer(const std::vector<mark_place>& marks, const box& frame, double radius, std::vector<box>& taken,
                       std::string_view ring_attributes);

}  // namespace svg
}  // namespace kvtool
