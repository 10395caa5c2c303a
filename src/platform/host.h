#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/font.h"
#include "platform/screen.h"
#include "platform/surface.h"

namespace palvex {

struct MenuItem;

// Width and height of a text in twips.
struct TextExtent {
  double width = 0;
  double height = 0;
};

// The kinds of picture file the chart is written as: bitmaps of its
// picture, and vector pictures drawn afresh as shapes and text.
enum class PictureFormat { Bmp, Png, Svg, Pdf };

// A file type a save dialog offers: its name and pattern ("*.png").
struct FileFilter {
  std::u16string name;
  std::u16string pattern;
};

// What the save dialog is asked to show; the answer is the chosen path.
struct SaveDialogRequest {
  std::u16string initialFolder;
  std::u16string fileName;
  // The filter selected at first; otherFilters follow it in the list.
  std::u16string filterName;
  std::u16string filterPattern;
  std::vector<FileFilter> otherFilters;
  std::u16string title;
  std::u16string defaultExtension;
  bool overwritePrompt = true;
};

// What the embedding application provides to the control. The control
// never talks to a window system directly; a headless host answers from a
// script, the Qt widget with real menus, dialogs and clipboard.
class Host {
 public:
  virtual ~Host() = default;

  virtual Screen& screen() = 0;
  // A new surface with its own persistent image, in pixels.
  virtual std::unique_ptr<Surface> CreateSurface(int widthPx, int heightPx) = 0;
  // The device pixels per pixel of the surfaces CreateSurface makes now.
  virtual double PixelRatio() const { return 1.0; }
  // The size of a text in a font, for labels that size themselves.
  virtual TextExtent MeasureText(const FontSpec& font, std::u16string_view text) = 0;
  virtual Clock& clock() = 0;

  // The start timer: armed with its interval, or disarmed.
  virtual void SetTimer(int intervalMs, bool enabled) = 0;
  // Auto-repeat while a scroll bar's arrow or track is held: once armed,
  // the host calls the control's ScrollRepeatTick after its usual first
  // delay and then at its usual rate, until disarmed.
  virtual void SetScrollRepeat(bool /*armed*/) {}
  // A surface asked to show its image now (each animation frame does).
  virtual void RepaintNow() {}
  // A property the host should mark as changed in its saved state.
  virtual void PropertyChanged(std::u16string_view /*name*/) {}
  // Pops up a menu at the pointer (twips) and waits until it closes;
  // answers the name of the chosen item, or nothing when dismissed.
  virtual std::optional<std::string> PopupMenu(const MenuItem& /*root*/, double /*x*/,
                                               double /*y*/) {
    return std::nullopt;
  }
  // The save dialog; nothing when the user cancels.
  virtual std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& /*request*/) {
    return std::nullopt;
  }
  // The user's Pictures folder, or empty when there is none.
  virtual std::u16string PicturesFolder() { return {}; }
  // Places a copy of the surface's image on the clipboard.
  virtual bool SetClipboardImage(const Surface& /*surface*/) { return false; }
  // Writes the surface's image as a bitmap file; returns why it could not
  // (the path and the system's reason), empty when it was written.
  virtual std::u16string SaveBitmap(const Surface& /*surface*/, const std::u16string& path) {
    return path + u": this host writes no files";
  }
  // A surface that records drawing as a vector picture (Svg or Pdf) of
  // that size, for SavePicture; null when the host makes none.
  virtual std::unique_ptr<Surface> CreateVectorSurface(int /*widthPx*/, int /*heightPx*/,
                                                       PictureFormat /*format*/) {
    return nullptr;
  }
  // Writes a surface as a picture file of the format: a bitmap surface's
  // image as BMP or PNG, a vector surface's recording as SVG or PDF.
  // Returns why it could not, empty when it was written.
  virtual std::u16string SavePicture(Surface& surface, const std::u16string& path,
                                     PictureFormat format) {
    if (format == PictureFormat::Bmp) return SaveBitmap(surface, path);
    return path + u": this host writes no such pictures";
  }
  // Shows the about window modally; returns when it has been closed.
  virtual void ShowAbout() {}
  // What separates groups of three digits in an amount shown to the
  // user, as the user's locale writes it; empty when the host has no say.
  virtual std::u16string DigitGroupSeparator() { return {}; }
  // What separates an amount's decimals, likewise.
  virtual std::u16string DecimalPoint() { return {}; }
  // Tells the user that something they asked for from a menu failed.
  virtual void ShowMessage(const std::u16string& /*text*/) {}
  // A text of the control's own user interface in the user's language. The
  // Chinese text the control has always shown is the key, and it comes back
  // unchanged when no translation has it.
  virtual std::u16string Translate(std::u16string_view source) { return std::u16string(source); }
};

}  // namespace palvex
