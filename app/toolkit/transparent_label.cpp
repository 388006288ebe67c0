#include "app/toolkit/transparent_label.h"

#include <QMouseEvent>

namespace jixia {

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(false);
}

void TransparentLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit leftPressed();
}

}  // namespace jixia
