#include "resources/pictures.h"

namespace jixia::pictures {

QPixmap Load(const char* path) {
  return QPixmap(QString::fromUtf8(path));
}

ButtonLooks LoadButton(const QString& name) {
  const QString stem = QStringLiteral(":/jixia/") + name;
  return {QPixmap(stem + QStringLiteral("_normal.png")),
          QPixmap(stem + QStringLiteral("_hovered.png")),
          QPixmap(stem + QStringLiteral("_pressed.png"))};
}

}  // namespace jixia::pictures
