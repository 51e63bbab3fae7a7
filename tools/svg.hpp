// What the program's SVG pictures share: the number format, the elements,
// text escaping, and the drawing of marked states (numbered, marks at one
// place drawn as rings around each other, marks beyond the frame drawn at
// its edge with a pointer).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// The part of the segment from (ax, ay) to (bx, by) inside the box, as the
// parameters [t0, t1] of a + t (b - a) (Liang and Barsky's clipping); nothing
// when the segment misses the box.
std::optional<std::pair<double, double>> clipped(const box& b, double ax, double ay, double bx, double by);

// Where a line drawn towards a place beyond the frame leaves the frame, and
// the line's direction there (a unit vector, outward).
struct edge_exit {
  double x, y, dx, dy;
};

// A marked state as a picture draws it: where it belongs (possibly beyond
// the frame, not NaN), its number, and its colour; for a mark beyond the
// frame, where the path drawn towards it leaves the frame, if it does.
struct mark_place {
  double x, y;
  int number;
  std::string colour;
  std::optional<edge_exit> exit{};
};

// Hollow rings at the marks, a mark beyond the frame as a pointer on the
// frame's edge towards it (where its path leaves the frame, or the nearest
// point of the edge), marks at one place (within 2 px) as rings of growing
// radius around each other with their numbers together. The rings and
// pointers come first; then each group's numbers, on a halo, inside the
// frame and clear of every ring, pointer and `taken` (updated): beside the
// ring, or further out joined to it by a leader line (class "leader") when
// the marks crowd. Rings have class "mark" and the radius given to the first
// of a group; numbers class "mark-number".
std::string mark_layer(const std::vector<mark_place>& marks, const box& frame, double radius, std::vector<box>& taken,
                       std::string_view ring_attributes);

}  // namespace svg
}  // namespace kvtool
