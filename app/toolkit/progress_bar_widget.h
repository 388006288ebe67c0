// A progress bar over 0..100 that clamps positions outside the range, where
// Qt's own bar would ignore them.
#pragma once

#include <QProgressBar>

#include "listing/listing_ui.h"

namespace jixia {

class ProgressBarWidget : public QProgressBar, public ProgressBar {
  Q_OBJECT

 public:
  explicit ProgressBarWidget(QWidget* parent = nullptr);

  void SetPosition(int position) override;
  int Position() const override;
};

}  // namespace jixia
