#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/device_context.h"
#include "platform/surface.h"

namespace palvex::testing {

// One drawing operation with its arguments, as text for readable failures
// ("FilledBox 825 2235 7440 2250 0") and the numbers for exact checks.
struct Op {
  std::string name;
  std::vector<double> args;
  std::u16string text;
};

// Wraps a real surface and records every drawing operation (and the
// gradient fills, created fonts and text output of its device context)
// before passing it on.
class RecordingSurface : public Surface, private DeviceContext {
 public:
  explicit RecordingSurface(std::unique_ptr<Surface> inner) : inner_(std::move(inner)) {}

  std::vector<Op> ops;
  // The recorded operations with the given name, in order.
  std::vector<Op> Named(const std::string& name) const;
  Surface& inner() { return *inner_; }

  double ScaleWidth() const override { return inner_->ScaleWidth(); }
  double ScaleHeight() const override { return inner_->ScaleHeight(); }
  int PixelWidth() const override { return inner_->PixelWidth(); }
  int PixelHeight() const override { return inner_->PixelHeight(); }
  void ResizePixels(int w, int h) override { inner_->ResizePixels(w, h); }
  Color BackColor() const override { return inner_->BackColor(); }
  void SetBackColor(Color c) override { inner_->SetBackColor(c); }
  Color ForeColor() const override { return inner_->ForeColor(); }
  void SetForeColor(Color c) override { inner_->SetForeColor(c); }
  std::u16string FontName() const override { return inner_->FontName(); }
  void SetFontName(const std::u16string& n) override;
  float FontSize() const override { return inner_->FontSize(); }
  void SetFontSize(float p) override;
  bool FontBold() const override { return inner_->FontBold(); }
  void SetFontBold(bool b) override;
  bool FontItalic() const override { return inner_->FontItalic(); }
  void SetFontItalic(bool i) override;
  double CurrentX() const override { return inner_->CurrentX(); }
  void SetCurrentX(double x) override { inner_->SetCurrentX(x); }
  double CurrentY() const override { return inner_->CurrentY(); }
  void SetCurrentY(double y) override { inner_->SetCurrentY(y); }
  void Cls() override;
  void Print(const std::u16string& text) override;
  double TextWidth(const std::u16string& t) const override { return inner_->TextWidth(t); }
  double TextHeight(const std::u16string& t) const override { return inner_->TextHeight(t); }
  void Line(double x1, double y1, double x2, double y2, Color c) override;
  void Box(double x1, double y1, double x2, double y2, Color c) override;
  void FilledBox(double x1, double y1, double x2, double y2, Color c) override;
  void PaintPicture(const Surface& source, double x, double y, double srcX, double srcY,
                    double width, double height) override;
  void Refresh() override;
  DeviceContext& dc() override { return *this; }
  Color PixelAt(int x, int y) const override { return inner_->PixelAt(x, y); }

 private:
  bool GradientFill(const TriVertex* v, std::uint32_t nv, const GradientRect* mesh,
                    std::uint32_t nm, std::uint32_t mode) override;
  Color GetPixel(int x, int y) const override { return inner_->dc().GetPixel(x, y); }
  ObjectHandle GetStockObject(int index) override { return inner_->dc().GetStockObject(index); }
  ObjectHandle SelectObject(ObjectHandle object) override {
    return inner_->dc().SelectObject(object);
  }
  int GetObject(ObjectHandle object, int bufferSize, LogFont* font) override {
    return inner_->dc().GetObject(object, bufferSize, font);
  }
  ObjectHandle CreateFontIndirect(const LogFont& font) override;
  bool GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                            TextSize* size) override {
    return inner_->dc().GetTextExtentPoint32(text, byteLength, size);
  }
  bool TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
               std::int32_t byteLength) override;
  bool DeleteObject(ObjectHandle object) override { return inner_->dc().DeleteObject(object); }

  std::unique_ptr<Surface> inner_;
};

}  // namespace palvex::testing
