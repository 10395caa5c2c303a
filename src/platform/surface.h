#pragma once

#include <cstdint>
#include <string>

#include "platform/color.h"
#include "platform/font.h"

namespace palvex {

class DeviceContext;

// A drawing surface in twips (y downwards) with a persistent image behind
// it: every operation, including those through dc(), lands in the image,
// and Refresh() shows it. Corners of boxes and lines are inclusive.
class Surface {
 public:
  virtual ~Surface() = default;

  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  virtual int PixelWidth() const = 0;
  virtual int PixelHeight() const = 0;
  // Device pixels per pixel of the image.
  virtual double PixelRatio() const { return 1.0; }
  // Changes the image size; what fits is kept, new area takes BackColor.
  virtual void ResizePixels(int width, int height) = 0;

  virtual Color BackColor() const = 0;
  virtual void SetBackColor(Color c) = 0;
  virtual Color ForeColor() const = 0;
  virtual void SetForeColor(Color c) = 0;

  virtual std::u16string FontName() const = 0;
  virtual void SetFontName(const std::u16string& name) = 0;
  virtual float FontSize() const = 0;
  virtual void SetFontSize(float points) = 0;
  virtual bool FontBold() const = 0;
  virtual void SetFontBold(bool bold) = 0;
  virtual bool FontItalic() const = 0;
  virtual void SetFontItalic(bool italic) = 0;
  FontSpec Font() const {
    return {.name = FontName(), .size = FontSize(), .bold = FontBold(), .italic = FontItalic()};
  }
  // Face, size, bold and italic at once.
  void SetFont(const FontSpec& font) {
    SetFontName(font.name);
    SetFontSize(font.size);
    SetFontBold(font.bold);
    SetFontItalic(font.italic);
  }

  virtual double CurrentX() const = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual double CurrentY() const = 0;
  virtual void SetCurrentY(double y) = 0;

  // Fills the image with BackColor and moves the print position to (0, 0).
  virtual void Cls() = 0;
  // Draws in ForeColor at the print position, then moves to the start of
  // the next line.
  virtual void Print(const std::u16string& text) = 0;
  virtual double TextWidth(const std::u16string& text) const = 0;
  virtual double TextHeight(const std::u16string& text) const = 0;

  virtual void Line(double x1, double y1, double x2, double y2, Color c) = 0;
  virtual void Box(double x1, double y1, double x2, double y2, Color c) = 0;
  virtual void FilledBox(double x1, double y1, double x2, double y2, Color c) = 0;
  // Copies the part (srcX, srcY, width, height) of another surface's image
  // to (x, y) on this one, all in twips; what falls outside either image is
  // left out. How child panels are laid over the chart for the screen.
  virtual void PaintPicture(const Surface& source, double x, double y, double srcX, double srcY,
                            double width, double height) = 0;

  virtual void Refresh() = 0;
  virtual DeviceContext& dc() = 0;

  // What is drawn from BeginPass to EndPass is one whole picture, drawn
  // again and again with small changes (a hover, a selection): a surface
  // may compare it with the one before and paint only where they differ.
  // The picture after EndPass is the same either way. A pass begun inside
  // another is part of it.
  virtual void BeginPass() {}
  virtual void EndPass() {}

  // The pixel at (x, y) as a packed colour; for tests and export.
  virtual Color PixelAt(int x, int y) const = 0;
};

// BeginPass and EndPass around a scope, however it is left.
class DrawingPass {
 public:
  explicit DrawingPass(Surface& surface) : surface_(surface) { surface_.BeginPass(); }
  ~DrawingPass() { surface_.EndPass(); }
  DrawingPass(const DrawingPass&) = delete;
  DrawingPass& operator=(const DrawingPass&) = delete;

 private:
  Surface& surface_;
};

// How a number is printed: a non-negative number gets one leading blank
// where the sign would stand.
std::u16string PrintedNumber(double value);

}  // namespace palvex
