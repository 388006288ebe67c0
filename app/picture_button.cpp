#include "app/picture_button.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>

namespace jixia {

PictureButton::PictureButton(pictures::ButtonLooks looks, QWidget* parent)
    : QAbstractButton(parent), looks_(std::move(looks)) {
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

PictureButton::Look PictureButton::CurrentLook() const {
  if (isDown()) return Look::kPressed;
  if (underMouse()) return Look::kHovered;
  return Look::kNormal;
}

QSize PictureButton::sizeHint() const {
  return looks_.normal.size();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Look look = CurrentLook();
  const QPixmap& picture = look == Look::kPressed   ? looks_.pressed
                           : look == Look::kHovered ? looks_.hovered
                                                    : looks_.normal;
  painter.drawPixmap(0, 0, picture);
}

bool PictureButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && toolTipBelow_ && !toolTip().isEmpty()) {
    // QToolTip puts the tip's corner a little right of and below the point it
    // is given; aim so that the tip's middle sits under the button's middle.
    const int tipWidth = QFontMetrics(QToolTip::font()).horizontalAdvance(toolTip()) + 8;
    const QPoint at = mapToGlobal(QPoint(width() / 2 - tipWidth / 2 - 2, height() - 16 + 2));
    QToolTip::showText(at, toolTip(), this);
    return true;
  }
  return QAbstractButton::event(event);
}

}  // namespace jixia
