// A button drawn entirely from pictures: one for its normal look, one while
// the mouse is over it and one while it is held down. Whatever the pictures
// leave transparent shows the parent beneath.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include "resources/pictures.h"

namespace jixia {

class PictureButton : public QAbstractButton {
 public:
  enum class Look { kNormal, kHovered, kPressed };

  PictureButton(pictures::ButtonLooks looks, QWidget* parent);

  // The look the button shows now.
  Look CurrentLook() const;

  // Places the tooltip centred below the button instead of at the mouse.
  void SetToolTipBelow(bool below) { toolTipBelow_ = below; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  pictures::ButtonLooks looks_;
  bool toolTipBelow_ = false;
};

}  // namespace jixia
