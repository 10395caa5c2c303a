#include "support/recording_surface.h"

namespace palvex::testing {

std::vector<Op> RecordingSurface::Named(const std::string& name) const {
  std::vector<Op> out;
  for (const Op& op : ops) {
    if (op.name == name) out.push_back(op);
  }
  return out;
}

void RecordingSurface::SetFontName(const std::u16string& n) {
  ops.push_back({"FontName", {}, n});
  inner_->SetFontName(n);
}
void RecordingSurface::SetFontSize(float p) {
  ops.push_back({"FontSize", {p}, {}});
  inner_->SetFontSize(p);
}
void RecordingSurface::SetFontBold(bool b) {
  ops.push_back({"FontBold", {double(b)}, {}});
  inner_->SetFontBold(b);
}
void RecordingSurface::SetFontItalic(bool i) {
  ops.push_back({"FontItalic", {double(i)}, {}});
  inner_->SetFontItalic(i);
}
void RecordingSurface::Cls() {
  ops.push_back({"Cls", {}, {}});
  inner_->Cls();
}
void RecordingSurface::Print(const std::u16string& text) {
  ops.push_back({"Print", {CurrentX(), CurrentY(), FontSize()}, text});
  inner_->Print(text);
}
void RecordingSurface::Line(double x1, double y1, double x2, double y2, Color c) {
  ops.push_back({"Line", {x1, y1, x2, y2, double(c)}, {}});
  inner_->Line(x1, y1, x2, y2, c);
}
void RecordingSurface::Box(double x1, double y1, double x2, double y2, Color c) {
  ops.push_back({"Box", {x1, y1, x2, y2, double(c)}, {}});
  inner_->Box(x1, y1, x2, y2, c);
}
void RecordingSurface::FilledBox(double x1, double y1, double x2, double y2, Color c) {
  ops.push_back({"FilledBox", {x1, y1, x2, y2, double(c)}, {}});
  inner_->FilledBox(x1, y1, x2, y2, c);
}
void RecordingSurface::PaintPicture(const Surface& source, double x, double y, double srcX,
                                    double srcY, double width, double height) {
  ops.push_back({"PaintPicture", {x, y, srcX, srcY, width, height}, {}});
  inner_->PaintPicture(source, x, y, srcX, srcY, width, height);
}
void RecordingSurface::Refresh() {
  ops.push_back({"Refresh", {}, {}});
  inner_->Refresh();
}
bool RecordingSurface::GradientFill(const TriVertex* v, std::uint32_t nv, const GradientRect* mesh,
                                    std::uint32_t nm, std::uint32_t mode) {
  if (nv >= 2) {
    ops.push_back(
        {"GradientFill",
         {double(v[0].x), double(v[0].y), double(v[1].x), double(v[1].y),
          double(v[0].Red >> 8 | (v[0].Green >> 8) << 8 | (v[0].Blue >> 8) << 16),
          double(v[1].Red >> 8 | (v[1].Green >> 8) << 8 | (v[1].Blue >> 8) << 16), double(mode)},
         {}});
  }
  return inner_->dc().GradientFill(v, nv, mesh, nm, mode);
}

ObjectHandle RecordingSurface::CreateFontIndirect(const LogFont& font) {
  ops.push_back({"CreateFont",
                 {double(font.lfEscapement), double(font.lfHeight), double(font.lfWeight)},
                 font.lfFaceName});
  return inner_->dc().CreateFontIndirect(font);
}
bool RecordingSurface::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                               std::int32_t byteLength) {
  ops.push_back({"TextOut", {double(x), double(y), double(byteLength)}, std::u16string(text)});
  return inner_->dc().TextOut(x, y, text, byteLength);
}

}  // namespace palvex::testing
