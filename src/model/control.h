#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/surface.h"

namespace palvex {

class Host;

enum class ControlKind { Picture, Label, ScrollBar };

// A light child control: geometry in twips relative to its parent, the
// properties the chart reads and writes, and for picture panels a surface
// of their own. The chart composes them over its surface for the screen.
struct Control {
  std::string Name;
  int Index = -1;  // element of a control array, or -1
  ControlKind Kind = ControlKind::Label;
  Control* Parent = nullptr;  // nullptr: lies on the chart's own surface

  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;
  bool Visible = true;
  bool Enabled = true;
  Color BackColor = 0;
  Color ForeColor = 0;
  Color FillColor = 0;
  FontSpec Font;
  std::u16string Caption;
  std::u16string ToolTipText;
  std::u16string Tag;
  int TabIndex = -1;
  bool AutoSize = false;
  // Labels only: the parent's picture shows through around the text.
  bool Transparent = false;

  // Vertical scroll bars.
  int Min = 0;
  int Max = 32767;
  int Value = 0;
  int SmallChange = 1;
  int LargeChange = 1;

  // Picture panels: the persistent image, sized to the inner area, or for
  // a panel taller than any view only the rows in view, the first of them
  // PictureTop twips below the panel's top. Colour boxes of one colour
  // share theirs; whatever gives an element a picture to paint gives it
  // one of its own.
  std::shared_ptr<Surface> surface;
  double PictureTop = 0;

  // The panels have no border: inner and outer size are the same.
  double ScaleWidth() const { return Width; }
  double ScaleHeight() const { return Height; }
  bool Contains(double x, double y) const {
    return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
  }
};

// Control arrays: element k at position k; element 0 exists always. The
// description arrays hold nullptr for an entry out of view.
using ControlArray = std::vector<std::unique_ptr<Control>>;

// Sets a control's geometry, leaving its picture as it is.
void PlaceControl(Control& c, double left, double top, double width, double height);

// Moves and sizes a control; a picture panel's image follows its size.
// Returns whether the size changed (a picture panel's resize event).
bool MoveControl(Host& host, Control& c, double left, double top, double width, double height);

// Gives a picture panel an image of its own, of its size, cleared to its
// colours.
void GiveSurface(Host& host, Control& c);

// A panel's side of that many twips in pixels: at least one, and bounded.
int PixelsOf(double twips, float twipsPerPixel);

// A new element of a control array, copied from element 0 of the array.
std::unique_ptr<Control> CopyControl(Host& host, const Control& templ, int index);

// Creates the next element of an array (index = its size) as a copy of
// element 0, hidden, and returns it. Destroying elements is shrinking the
// array, never below element 0.
Control& LoadElement(Host& host, ControlArray& array);
// Makes element k (an empty slot) a copy of templ, taking an element
// unloaded earlier when spares holds one: it is reset exactly as a new one
// would be.
Control& LoadElementAt(Host& host, ControlArray& array, ControlArray& spares, const Control& templ,
                       std::size_t k);
// Unloads every element but 0, keeping them in spares.
void UnloadElements(ControlArray& array, ControlArray& spares);
// Unloads element k, leaving its slot empty.
void UnloadElementAt(ControlArray& array, ControlArray& spares, std::size_t k);
// Makes element a copy of templ with that index, as CopyControl does,
// keeping its picture when the size allows.
void ResetFromTemplate(Host& host, Control& element, const Control& templ, int index);

// Every property of from but its index and picture; and
// whether two controls have the same such properties.
void CopyProperties(Control& to, const Control& from);
bool SameProperties(const Control& a, const Control& b);

// Caption and font changes; a label that sizes itself takes the size of
// its text at once, so callers can read the new Width and Height.
void SetCaption(Host& host, Control& c, std::u16string caption);
void SetFont(Host& host, Control& c, const FontSpec& font);

}  // namespace palvex
