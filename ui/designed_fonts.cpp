#include "ui/designed_fonts.h"

#include <QStringList>

namespace tolvan {

QFont DesignedFont(qreal points) {
  QFont font;
  // Liberation Sans and Arial share the metrics of the faces the sizes were laid out in.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::Normal);
  font.setPointSizeF(points);
  return font;
}

}  // namespace tolvan
