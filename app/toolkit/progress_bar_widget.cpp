#include "app/toolkit/progress_bar_widget.h"

#include <algorithm>

namespace jixia {

ProgressBarWidget::ProgressBarWidget(QWidget* parent) : QProgressBar(parent) {
  setRange(0, 100);
  setValue(0);
}

void ProgressBarWidget::SetPosition(int position) {
  setValue(std::clamp(position, 0, 100));
}

int ProgressBarWidget::Position() const {
  return value();
}

}  // namespace jixia
