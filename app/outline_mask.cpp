#include "app/outline_mask.h"

#include <QBitmap>

namespace jixia {

QRegion OutlineRegion(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
  // The mask image has a set bit for each white pixel; a bitmap's region is
  // made of its clear (color1, black) pixels, so white falls outside.
  return QRegion(
      QBitmap::fromImage(opaque.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskInColor)));
}

}  // namespace jixia
