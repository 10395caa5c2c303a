#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/menu_item.h"
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
// description arrays hold nullptr for an entry out of view, kept as its
// EntryRecord until it is scrolled into view.
using ControlArray = std::vector<std::unique_ptr<Control>>;

// A description entry as the pass made it: enough to make its colour box
// and label when it comes into view.
struct EntryRecord {
  double top = 0;  // twips, in the description panel
  Color colour = 0;
  std::int32_t colourIndex = 0;
  std::u16string description;
};

struct StartTimer {
  int Interval = 100;
  bool Enabled = false;
};

// The slider's captions in its symbol font: the panel is shown ("fold
// away") or folded ("open"). The control starts folded.
inline constexpr char16_t kSliderShownGlyph = 187;
inline constexpr char16_t kSliderFoldedGlyph = 171;

// What the description panel shows: painted into its picture only for the
// rows in view, since a stack of thousands of entries would need a picture
// tens of thousands of rows tall, repainted on every pass that frames one.
struct EntriesLook {
  // Until first painted the panel keeps the picture it was made with.
  bool painted = false;
  // The whole panel's picture in pixels, as sized when it was painted.
  int width = 1, height = 1;
  // A theme's gradient from top to bottom over (0, 0, fillWidth, fillHeight).
  bool themed = false;
  Color top = 0, bottom = 0;
  std::int32_t fillWidth = 0, fillHeight = 0;
  // The selected entry's white frame, corners in twips.
  bool framed = false;
  double frame[4] = {};
  // Changes with each of the above; the picture's rows and the version
  // they show.
  std::uint64_t version = 0;
  std::uint64_t shownVersion = ~std::uint64_t{0};
  int shownFirst = 0, shownRows = 0;
};

// Everything the chart owns besides its own surface: panels, labels, the
// scroll bar, the start timer and the two pop-up menus, created with their
// design values.
struct ChildControls {
  explicit ChildControls(Host& host);
  ChildControls(const ChildControls&) = delete;
  ChildControls& operator=(const ChildControls&) = delete;

  StartTimer tmrStart;
  Control picLegend;
  Control vsbContainer;
  // How many pixels the stack moves for one unit of vsbContainer: one, or
  // more where the overflow in pixels does not fit the 16-bit range.
  double scrollUnitPixels = 1;
  Control picContainer;
  Control lblSlider;
  Control lblInfo;
  // Control arrays; element 0 exists always and is the template.
  ControlArray Box;
  ControlArray lblDescription;
  // Elements unloaded from the two arrays, loaded again before new ones
  // are made: resetting a colour box costs far less than making its
  // picture. They never outnumber the most elements ever loaded, which the
  // 16-bit index keeps to 32767.
  ControlArray spareBoxes;
  ControlArray spareLabels;
  // Every entry's record; those past Box.size() are left from a longer
  // list, their strings' storage kept for the next.
  std::vector<EntryRecord> entryRecords;
  // Makes the controls of entry k from its record (set by the legend).
  std::function<void(std::size_t)> loadEntry;
  // The entries in view [first, last) of how many, when only they were
  // last made as controls; cleared when any other is made.
  std::array<std::size_t, 3> entriesShown{};
  // The templates, palette and screen the entries were last built with,
  // and that build's number: it changes whenever one of them does. Entries
  // made later are copied from these.
  Control builtBoxTemplate;
  Control builtLabelTemplate;
  std::array<Color, 32> builtPalette{};
  double builtTwipsPerPixelX = 0, builtTwipsPerPixelY = 0;
  std::uint64_t entryBuild = 0;
  // One colour box picture per colour of the bar palette, from the build
  // that painted it; the boxes of that build share it.
  struct ColourBox {
    std::shared_ptr<Surface> picture;
    std::uint64_t build = 0;
  };
  std::array<ColourBox, 16> colourBoxes;
  EntriesLook entriesLook;

  MenuItem mnuMain;
  MenuItem mnuSaveAs;
  MenuItem mnuEditCopy;
  MenuItem mnuSeperator;
  MenuItem mnuSelectionInfo;
  MenuItem mnuAutoMoveInfo;
  MenuItem mnuViewLegend;
  MenuItem mnuLegend;
  MenuItem mnuLegendHide;

  // Lookups by the names a script or test uses; nullptr when unknown. A
  // description entry out of view is made for the asker.
  Control* Find(std::string_view name, int index = -1);
  MenuItem* FindMenu(std::string_view name);

  // The children lying directly on parent (nullptr: on the chart itself),
  // bottom first. Labels are drawn on their parent's picture, so every
  // panel and scroll bar lies above them; otherwise later ones lie above.
  std::vector<Control*> ChildrenOf(const Control* parent);
};

// Before the main menu opens from the chart's surface: the selection
// information item shows only while columns can be selected. The
// separator is only ever made visible, never hidden again.
void AdjustMainMenu(ChildControls& children, bool selectable);

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
