#include "tools/svg.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kvtool {
namespace {

// The next code point of valid UTF-8 at text[i], its length in bytes, or 0.
std::size_t utf8_length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range (Unicode Table 3-7)
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

constexpr double same_place = 2.0;                                 // px: marks this close are drawn as one group
constexpr double ring_step = 3.0;                                  // px: radius added per further mark of a group
constexpr double digit_width = 8.4;      // px, of a 12 px DejaVu Sans Bold digit (0.696 em)
constexpr double separator_width = 8.8;  // px, its ", " (0.380 em and 0.348 em)
constexpr double number_height = 12.0;                             // px
constexpr double pointer_length = 11.0, pointer_half_width = 6.0;  // px
constexpr double ring_stroke = 1.5;                                // px, half a ring's stroke and a margin
constexpr double leader_step = 10.0, leader_reach = 220.0;         // px: the leaders' lengths tried

}  // namespace

std::string xml_escape(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t n = utf8_length(text, i);
    if (n == 0) {
      s += "&#65533;";
      ++i;
      continue;
    }
    if (n == 3 && text.substr(i, 2) == "\xEF\xBF" && static_cast<unsigned char>(text[i + 2]) >= 0xBE) {
      s += "&#65533;";
    } else if (n > 1) {
      s.append(text.substr(i, n));
    } else if (c == '&') {
      s += "&amp;";
    } else if (c == '<') {
      s += "&lt;";
    } else if (c == '>') {
      s += "&gt;";
    } else if (c == '"') {
      s += "&quot;";
    } else if (c == '\'') {
      s += "&apos;";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      s += ' ';
    } else {
      s += c;
    }
    i += n;
  }
  return s;
}

std::string cut_text(const std::string& text, std::size_t chars) {
  std::size_t count = 0, i = 0;
  while (i < text.size() && count < chars) {
    const std::size_t n = utf8_length(text, i);
    i += n == 0 ? 1 : n;
    ++count;
  }
  return i < text.size() ? text.substr(0, i) + "\u2026" : text;
}

namespace svg {

std::string num(double v) {
  if (!std::isfinite(v)) v = 0.0;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  return buffer;
}

std::string text(double x, double y, std::string_view content, std::string_view attributes) {
  std::string s = "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"";
  if (!attributes.empty()) s += " " + std::string(attributes);
  return s + ">" + std::string(content) + "</text>\n";
}

std::string line(double x1, double y1, double x2, double y2, std::string_view attributes) {
  return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\" " +
         std::string(attributes) + "/>\n";
}

std::string circle(double x, double y, double r, std::string_view attributes) {
  return "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" r=\"" + num(r) + "\" " + std::string(attributes) + "/>\n";
}

std::string polyline(const std::vector<std::pair<double, double>>& points, std::string_view attributes) {
  std::string s = "<polyline points=\"";
  for (const auto& [x, y] : points) s += num(x) + "," + num(y) + " ";
  return s + "\" " + std::string(attributes) + "/>\n";
}

std::string document(double width, double height, std::string_view title, double scale) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         num(scale * width) + "\" height=\"" + num(scale * height) + "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
         "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"12\">\n<title>" +
         std::string(title) + "</title>\n<rect x=\"0\" y=\"0\" width=\"" + num(width) + "\" height=\"" + num(height) +
         "\" fill=\"#ffffff\"/>\n";
}

std::optional<std::pair<double, double>> clipped(const box& b, double ax, double ay, double bx, double by) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = bx - ax, dy = by - ay;
  // Each edge as p t <= q: left, right, top, bottom.
  const double p[] = {-dx, dx, -dy, dy}, q[] = {ax - b.x0, b.x1 - ax, ay - b.y0, b.y1 - ay};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return std::nullopt;  // parallel to the edge and beyond it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return std::nullopt;
  return std::pair{t0, t1};
}

namespace {

// Marks at one place (within 2 px), as drawn: on the frame's edge for a mark beyond it.
struct mark_group {
  double x, y;    // px
  double dx, dy;  // towards the place beyond the frame; 0 inside
  std::vector<const mark_place*> members;
  double outer = 0.0;  // px, of the outermost ring or of the pointer
  bool pointer() const { return dx != 0.0 || dy != 0.0; }
};

std::vector<mark_group> groups_of(const std::vector<mark_place>& marks, const box& frame) {
  std::vector<mark_group> groups;
  for (const mark_place& m : marks) {
    double x = std::clamp(m.x, frame.x0, frame.x1), y = std::clamp(m.y, frame.y0, frame.y1);
    double dx = 0.0, dy = 0.0;
    if (m.exit && (x != m.x || y != m.y)) {
      x = m.exit->x, y = m.exit->y, dx = m.exit->dx, dy = m.exit->dy;
    } else if (const double d = std::hypot(m.x - x, m.y - y); d > 0.0) {
      dx = (m.x - x) / d, dy = (m.y - y) / d;
    }
    const auto near = [&](const mark_group& g) { return std::hypot(g.x - x, g.y - y) <= same_place; };
    const auto found = std::find_if(groups.begin(), groups.end(), near);
    if (found != groups.end()) {
      found->members.push_back(&m);
      continue;
    }
    groups.push_back({x, y, dx, dy, {&m}});
  }
  return groups;
}

// A group's rings or pointer; its box is taken.
std::string drawn(mark_group& g, double radius, std::vector<box>& taken, std::string_view ring_attributes) {
  std::string s;
  if (g.pointer()) {
    // A triangle inside the frame, its tip on the edge, pointing outward.
    const double bx = g.x - g.dx * pointer_length, by = g.y - g.dy * pointer_length;
    const double px = -g.dy * pointer_half_width, py = g.dx * pointer_half_width;
    s += "<path class=\"pointer\" d=\"M" + num(g.x) + "," + num(g.y) + " L" + num(bx + px) + "," + num(by + py) +
         " L" + num(bx - px) + "," + num(by - py) + " Z\" fill=\"" + g.members.front()->colour +
         "\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n";
    g.outer = pointer_length;
    taken.push_back({std::min({g.x, bx + px, bx - px}) - 1, std::min({g.y, by + py, by - py}) - 1,
                     std::max({g.x, bx + px, bx - px}) + 1, std::max({g.y, by + py, by - py}) + 1});
    return s;
  }
  // The outer rings first, so that each fill leaves the rings inside it seen.
  g.outer = radius + ring_step * static_cast<double>(g.members.size() - 1);
  for (std::size_t k = g.members.size(); k-- > 0;)
    s += circle(g.x, g.y, radius + ring_step * static_cast<double>(k),
                "class=\"mark\" stroke=\"" + g.members[k]->colour + "\" " + std::string(ring_attributes));
  const double r = g.outer + ring_stroke;
  taken.push_back({g.x - r, g.y - r, g.x + r, g.y + r});
  return s;
}

bool within(const box& b, const box& frame) {
  return b.x0 >= frame.x0 && b.x1 <= frame.x1 && b.y0 >= frame.y0 && b.y1 <= frame.y1;
}

// Where a group's numbers, w px wide, stand: beside it, clear of `taken`, or
// (`clear` false) anywhere beside it within the frame.
std::optional<box> beside(const mark_group& g, double w, const box& frame, const std::vector<box>& taken, bool clear) {
  const double gap = g.outer + 3.0, h = number_height;
  // The text's anchor (its baseline's start) from the mark.
  const std::pair<double, double> offsets[] = {{gap, -gap + 4},     {gap, gap + 8},     {-gap - w, -gap + 4},
                                               {-gap - w, gap + 8}, {-w / 2, -gap - 2}, {-w / 2, gap + h},
                                               {gap + 8, 4},        {-gap - w - 8, 4}};
  for (const auto& [ox, oy] : offsets) {
    const box b{g.x + ox, g.y + oy - h + 2, g.x + ox + w, g.y + oy + 2};
    if (within(b, frame) && (!clear || std::none_of(taken.begin(), taken.end(), [&](const box& t) {
                               return t.overlaps(b);
                             })))
      return b;
  }
  return std::nullopt;
}

// Where a crowded group's numbers stand further out, in 32 directions, and
// the leader line to them, which crosses none of `names` (it may cross the
// rings of the crowd it leaves).
struct led {
  box at;
  double x1, y1, x2, y2;
};
std::optional<led> led_out(const mark_group& g, double w, const box& frame, const std::vector<box>& taken,
                           const std::vector<box>& names) {
  const double h = number_height;
  for (double d = g.outer + 12.0 + w / 2; d <= leader_reach; d += leader_step)
    for (int k = 0; k < 32; ++k) {
      const double a = 2.0 * std::numbers::pi * k / 32.0, cx = g.x + d * std::cos(a), cy = g.y - d * std::sin(a);
      const box b{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
      if (!within(b, frame) || std::any_of(taken.begin(), taken.end(), [&](const box& t) { return t.overlaps(b); }))
        continue;
      const double lx = g.x + (g.outer + 1) * std::cos(a), ly = g.y - (g.outer + 1) * std::sin(a);
      if (std::any_of(names.begin(), names.end(), [&](const box& t) { return clipped(t, lx, ly, cx, cy).has_value(); }))
        continue;
      const auto entry = clipped(b, lx, ly, cx, cy);
      const double t = entry ? entry->first : 1.0;
      return led{b, lx, ly, lx + t * (cx - lx), ly + t * (cy - ly)};
    }
  return std::nullopt;
}

}  // namespace

std::string mark_layer(const std::vector<mark_place>& marks, const box& frame, double radius, std::vector<box>& taken,
                       std::string_view ring_attributes) {
  std::vector<mark_group> groups = groups_of(marks, frame);
  // The names (and numbers) placed so far, which leaders keep clear of; then the rings and pointers.
  std::vector<box> names = taken;
  std::string s;
  for (mark_group& g : groups) s += drawn(g, radius, taken, ring_attributes);
  std::string leaders, numbers_drawn;
  std::vector<int> numbered;
  for (const mark_group& g : groups) {
    // A mark's second pointer (where another path towards it leaves the frame) goes without its number.
    if (g.pointer() && g.members.size() == 1 &&
        std::find(numbered.begin(), numbered.end(), g.members.front()->number) != numbered.end())
      continue;
    // The numbers, "1, 5", each in its mark's colour.
    std::string numbers;
    double w = 0.0;
    for (const mark_place* m : g.members) {
      numbered.push_back(m->number);
      const std::string n = std::to_string(m->number);
      numbers += std::string(numbers.empty() ? "" : "<tspan fill=\"#222222\">, </tspan>") + "<tspan fill=\"" +
                 m->colour + "\">" + n + "</tspan>";
      w += digit_width * static_cast<double>(n.size()) + (w == 0.0 ? 0.0 : separator_width);
    }
    std::optional<box> placed = beside(g, w, frame, taken, true);
    if (!placed) {
      if (const std::optional<led> l = led_out(g, w, frame, taken, names)) {
        placed = l->at;
        leaders += line(l->x1, l->y1, l->x2, l->y2,
                        "class=\"leader\" stroke=\"" + g.members.front()->colour + "\" stroke-width=\"1\"");
      }
    }
    // Nowhere clear within reach: beside the mark, where the frame allows.
    if (!placed) placed = beside(g, w, frame, taken, false);
    const box b = placed.value_or(box{g.x, g.y - number_height, g.x + w, g.y});
    taken.push_back(b);
    names.push_back(b);
    // A halo: what lies beneath stops short of the numbers.
    numbers_drawn += "<rect x=\"" + num(b.x0 - 1) + "\" y=\"" + num(b.y0 - 1) + "\" width=\"" + num(b.x1 - b.x0 + 2) +
                     "\" height=\"" + num(b.y1 - b.y0 + 2) + "\" fill=\"#ffffff\" fill-opacity=\"0.9\"/>\n";
    numbers_drawn += "<text class=\"mark-number\" x=\"" + num(b.x0) + "\" y=\"" + num(b.y1 - 2) +
                     "\" font-size=\"12\" font-weight=\"bold\">" + numbers + "</text>\n";
  }
  return s + leaders + numbers_drawn;
}

}  // namespace svg
}  // namespace kvtool
