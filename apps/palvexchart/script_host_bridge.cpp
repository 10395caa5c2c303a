#include "script_host_bridge.h"

#include <QFileInfo>

#include "model/chart_state.h"
#include "model/child_controls.h"
#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qt_text.h"
#include "theme/legend_entries.h"

namespace palvex {

namespace {

class HostBridge : public QObject {
  Q_OBJECT
 public:
  explicit HostBridge(ScriptHost::Impl& impl) : impl_(impl) {}

  // The host resizes the control, in pixels, as a window would.
  Q_INVOKABLE void resize(const QJSValue& width, const QJSValue& height) {
    try {
      const std::int32_t w = impl_.FromJs(width).ToI4();
      const std::int32_t h = impl_.FromJs(height).ToI4();
      const int most = impl_.maxSidePx;
      if (w < 1 || h < 1 || w > most || h > most) {
        impl_.Throw(
            kErrInvalidCall,
            QStringLiteral("host.resize: width and height must be 1 to %1 pixels").arg(most));
        return;
      }
      impl_.chart.Resize(w, h);
    } catch (const ChartError& e) {
      impl_.Throw(e.number(), QStringLiteral("host.resize: %1").arg(e.what()));
    }
  }

  Q_INVOKABLE void saveImage(const QString& path) {
    if (path.isEmpty()) {
      impl_.Throw(kErrBadFileName, QStringLiteral("host.saveImage: no file name"));
      return;
    }
    if (!impl_.writesFiles) {
      impl_.Throw(kErrPathAccess, QStringLiteral("host.saveImage: this host writes no files"));
      return;
    }
    // The formats the command line documents; a NUL in the name is
    // refused with the rest of what may not be written.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("bmp")) {
      impl_.Throw(kErrBadFileName,
                  QStringLiteral("host.saveImage: %1: give a .png or .bmp file").arg(path));
      return;
    }
    const QString error =
        SaveImageAtomically(ImageOf(*impl_.chart.state().surface), path, suffix.toLatin1());
    if (!error.isEmpty()) impl_.Throw(kErrPathAccess, QStringLiteral("host.saveImage: ") + error);
  }

  // Shows the control (themed background, start timer armed); tick fires
  // the start timer, whose pass plays the growth animation.
  Q_INVOKABLE void show() {
    Notify("show", [this] { impl_.chart.Show(); });
  }
  Q_INVOKABLE void tick() {
    Notify("tick", [this] { impl_.chart.StartTimerTick(); });
  }
  // A double-click in place of the second press; the left button unless
  // a button (and shift state) is given.
  Q_INVOKABLE void dblClick(const QJSValue& x, const QJSValue& y, const QJSValue& b,
                            const QJSValue& s) {
    Notify("dblClick", [&] {
      const std::int16_t button = b.isUndefined() ? 1 : impl_.FromJs(b).ToI2();
      const std::int16_t shift = s.isUndefined() ? 0 : impl_.FromJs(s).ToI2();
      impl_.chart.DblClick(impl_.FromJs(x).ToR4(), impl_.FromJs(y).ToR4(), button, shift);
    });
  }
  // A wheel turn, 120 a notch (positive away from the user); answers
  // whether the description list took it.
  Q_INVOKABLE bool wheel(const QJSValue& delta, const QJSValue& x, const QJSValue& y) {
    bool taken = false;
    Notify("wheel", [&] {
      taken = impl_.chart.MouseWheel(impl_.FromJs(delta).ToI4(), impl_.FromJs(x).ToR4(),
                                     impl_.FromJs(y).ToR4());
    });
    return taken;
  }
  // The scroll bar's repeat timer, armed while an arrow or the track is held.
  Q_INVOKABLE bool scrollRepeatArmed() { return impl_.host.scrollRepeatArmed(); }
  Q_INVOKABLE void scrollRepeat() {
    Notify("scrollRepeat", [this] { impl_.chart.ScrollRepeatTick(); });
  }

  Q_INVOKABLE void mouseDown(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                             const QJSValue& y) {
    Mouse("mouseDown", &PalvexChart::MouseDown, b, s, x, y);
  }
  Q_INVOKABLE void mouseMove(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                             const QJSValue& y) {
    Mouse("mouseMove", &PalvexChart::MouseMove, b, s, x, y);
  }
  Q_INVOKABLE void mouseUp(const QJSValue& b, const QJSValue& s, const QJSValue& x,
                           const QJSValue& y) {
    Mouse("mouseUp", &PalvexChart::MouseUp, b, s, x, y);
  }

  // The next pop-up menu answers this item; null or nothing dismisses it.
  Q_INVOKABLE void answerMenu(const QJSValue& name) {
    if (name.isNull() || name.isUndefined()) {
      impl_.host.QueueMenuAnswer(std::nullopt);
    } else {
      impl_.host.QueueMenuAnswer(name.toString().toStdString());
    }
  }

  Q_INVOKABLE QJSValue control(const QString& name, const QJSValue& index) {
    const int i = index.isUndefined() ? -1 : index.toInt();
    ChartState& state = impl_.chart.state();
    ChildControls& children = state.children;
    const std::string key = name.toStdString();
    // Only the entries in view exist; a script may ask for any.
    MakeEntryExist(state, key, i);
    if (const Control* c = children.Find(key, i)) return ControlJs(*c);
    if (const MenuItem* m = children.FindMenu(key)) return MenuJs(*m);
    if (key == "tmrStart") {
      QJSValue o = impl_.engine.newObject();
      o.setProperty("Name", name);
      o.setProperty("Interval", children.tmrStart.Interval);
      o.setProperty("Enabled", children.tmrStart.Enabled);
      return o;
    }
    impl_.Throw(kErrSubscript, QStringLiteral("host.control: no control %1%2")
                                   .arg(name, i < 0 ? QString() : QStringLiteral("(%1)").arg(i)));
    return {};
  }

  Q_INVOKABLE void printLine(const QString& line) { impl_.print(line); }

 private:
  // Runs a notification; its error reaches the script with its number.
  template <typename F>
  void Notify(const char* what, F&& notify) {
    try {
      notify();
    } catch (const ChartError& e) {
      impl_.Throw(e.number(), QStringLiteral("host.%1: %2").arg(what, e.what()));
      return;
    }
    impl_.RethrowPending();
  }

  void Mouse(const char* what,
             void (PalvexChart::*handler)(std::int16_t, std::int16_t, float, float),
             const QJSValue& b, const QJSValue& s, const QJSValue& x, const QJSValue& y) {
    try {
      const std::int16_t button = impl_.FromJs(b).ToI2();
      const std::int16_t shift = impl_.FromJs(s).ToI2();
      const float px = impl_.FromJs(x).ToR4();
      const float py = impl_.FromJs(y).ToR4();
      (impl_.chart.*handler)(button, shift, px, py);
    } catch (const ChartError& e) {
      impl_.Throw(e.number(), QStringLiteral("host.%1: %2").arg(what, e.what()));
      return;
    }
    impl_.RethrowPending();
  }

  QJSValue ControlJs(const Control& c) {
    QJSValue o = impl_.engine.newObject();
    o.setProperty("Name", QString::fromStdString(c.Name));
    o.setProperty("Index", c.Index);
    o.setProperty("Left", c.Left);
    o.setProperty("Top", c.Top);
    o.setProperty("Width", c.Width);
    o.setProperty("Height", c.Height);
    o.setProperty("ScaleWidth", c.ScaleWidth());
    o.setProperty("ScaleHeight", c.ScaleHeight());
    o.setProperty("Visible", c.Visible);
    o.setProperty("Enabled", c.Enabled);
    o.setProperty("BackColor", static_cast<double>(c.BackColor));
    o.setProperty("ForeColor", static_cast<double>(c.ForeColor));
    o.setProperty("Caption", ToQString(c.Caption));
    o.setProperty("ToolTipText", ToQString(c.ToolTipText));
    o.setProperty("Tag", ToQString(c.Tag));
    o.setProperty("TabIndex", c.TabIndex);
    o.setProperty("FontName", ToQString(c.Font.name));
    o.setProperty("FontSize", static_cast<double>(c.Font.size));
    o.setProperty("FontBold", c.Font.bold);
    if (c.Kind == ControlKind::ScrollBar) {
      o.setProperty("Min", c.Min);
      o.setProperty("Max", c.Max);
      o.setProperty("Value", c.Value);
      o.setProperty("SmallChange", c.SmallChange);
      o.setProperty("LargeChange", c.LargeChange);
    }
    if (c.Kind == ControlKind::Label) o.setProperty("AutoSize", c.AutoSize);
    if (c.Kind == ControlKind::Picture)
      o.setProperty("FillColor", static_cast<double>(c.FillColor));
    return o;
  }

  QJSValue MenuJs(const MenuItem& m) {
    QJSValue o = impl_.engine.newObject();
    o.setProperty("Name", QString::fromStdString(m.Name));
    o.setProperty("Caption", ToQString(m.Caption));
    o.setProperty("Checked", m.Checked);
    o.setProperty("Visible", m.Visible);
    o.setProperty("Enabled", m.Enabled);
    return o;
  }

  ScriptHost::Impl& impl_;
};

}  // namespace

std::unique_ptr<QObject> MakeHostBridge(ScriptHost::Impl& impl) {
  return std::make_unique<HostBridge>(impl);
}

}  // namespace palvex

#include "script_host_bridge.moc"
