#include "widget/about_window.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/about.h"

namespace palvex {

QPointer<AboutWindow> AboutWindow::current_;

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      picture_(QStringLiteral(":/palvex/about.png")) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(true);
  setFixedSize(kAboutWidthPx, kAboutHeightPx);
  const QRect around = owner ? owner->window()->frameGeometry()
                             : QGuiApplication::primaryScreen()->availableGeometry();
  move(around.center() - rect().center());
}

void AboutWindow::ShowModal(QWidget* owner) {
  if (current_) current_->close();
  auto* window = new AboutWindow(owner);
  current_ = window;
  window->exec();  // deletes the window when it closes
}

void AboutWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  close();
}

void AboutWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0, picture_);
}

}  // namespace palvex
