#include "app/toolkit/program_font.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace jixia {

void InstallProgramFont() {
  const QString family = QString::fromUtf8("微软雅黑");
  QFont::insertSubstitutions(
      family, {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
               QStringLiteral("Noto Sans CJK SC")});
  QApplication::setFont(QFont(family, 9));
}

}  // namespace jixia
