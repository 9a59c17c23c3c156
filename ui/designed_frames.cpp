#include "ui/designed_frames.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

namespace tolvan {
namespace {

// The caption starts this far from the frame's left edge, and the border stops this far short
// of the caption on either side (pixels).
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;

// The platform's style, with frames laid out and drawn as designed.
class DesignedFrameStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
      return QProxyStyle::subControlRect(control, option, part, widget);
    }
    const int caption_height = frame->fontMetrics.height();
    switch (part) {
      case SC_GroupBoxLabel:
        return {kCaptionIndent, 0,
                frame->fontMetrics.horizontalAdvance(frame->text) + 2 * kCaptionGap,
                caption_height};
      case SC_GroupBoxFrame:
        return frame->rect.adjusted(0, caption_height / 2, 0, 0);
      case SC_GroupBoxContents:
        return frame->rect.adjusted(2, caption_height, -2, -2);
      default:
        return {};
    }
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    const QRect border = subControlRect(control, option, SC_GroupBoxFrame, widget);
    painter->save();
    if (!frame->text.isEmpty()) painter->setClipRegion(QRegion(frame->rect).subtracted(caption));
    qDrawShadeRect(painter, border, frame->palette, /*sunken=*/true, /*lineWidth=*/1);
    painter->restore();
    drawItemText(painter, caption.adjusted(kCaptionGap, 0, 0, 0),
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextHideMnemonic, frame->palette,
                 frame->state.testFlag(State_Enabled), frame->text, QPalette::WindowText);
  }
};

// One for the whole run, on the application's own style; the application owns it.
QStyle* FrameStyle() {
  static QStyle* style = [] {
    auto* made = new DesignedFrameStyle(QApplication::style()->name());
    made->setParent(qApp);
    return made;
  }();
  return style;
}

}  // namespace

void DrawFramesAsDesigned(QWidget& window) {
  for (QGroupBox* frame : window.findChildren<QGroupBox*>()) frame->setStyle(FrameStyle());
}

}  // namespace tolvan
