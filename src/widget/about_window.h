#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>

namespace palvex {

// The about window: a borderless modal picture, centred on its owner,
// closed by a press of any mouse button on it. At most one exists.
class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* owner = nullptr);

  // Shows a fresh about window and returns once it has been closed; one
  // that is already showing is closed first.
  static void ShowModal(QWidget* owner);
  // The about window showing now, or nullptr.
  static AboutWindow* Current() { return current_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  static QPointer<AboutWindow> current_;
  QPixmap picture_;
};

}  // namespace palvex
