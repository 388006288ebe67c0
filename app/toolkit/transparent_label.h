// A label that draws only its text over whatever lies beneath it and reports
// presses of the left mouse button.
#pragma once

#include <QLabel>

namespace jixia {

class TransparentLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TransparentLabel(QWidget* parent = nullptr);

 signals:
  void leftPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace jixia
