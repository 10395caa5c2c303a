#include "widget/about_window.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/qt/fonts.h"
#include "platform/qt/qt_host.h"
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
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
  // The words over the picture, in the user's language.
  QFont song(ResolveFontFamily(u"宋体"));
  song.setPixelSize(16);
  p.setFont(song);
  p.setPen(QColor(200, 220, 255));
  p.drawText(QRect(26, 92, 200, 24), Qt::AlignLeft, Translated(u"动画特效图表控件"));
  p.drawText(QRect(26, 118, 200, 24), Qt::AlignLeft, Translated(u"支持换肤"));
  song.setPixelSize(12);
  p.setFont(song);
  p.setPen(QColor(150, 170, 200));
  p.drawText(QRect(26, kAboutHeightPx - 36, 440, 20), Qt::AlignLeft, Translated(u"单击任意处关闭"));
}

}  // namespace palvex
