#include "editor/window/WindowStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace corvane {

namespace {

// The caption starts this far right of the frame's left edge; the line
// stops this far short of it on either side.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;
// The etched line of a frame, and its distance from the contents.
constexpr int kFrameLineWidth = 2;
// A list box's frame: wide enough for the focus mark around its rows.
constexpr int kListFrameWidth = 2;

const QStyleOptionGroupBox* CaptionedFrame(const QStyleOptionComplex* option)
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    return box != nullptr && !box->text.isEmpty() ? box : nullptr;
}

} // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void WindowStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? CaptionedFrame(option) : nullptr;
    if (box == nullptr || !(box->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The etched line runs through the caption's middle and leaves it a gap.
    const QRect caption = subControlRect(control, box, SC_GroupBoxLabel, widget);
    QRect frame = box->rect;
    frame.setTop(caption.center().y());
    painter->save();
    painter->setClipRegion(QRegion(box->rect) -
                           QRegion(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0)));
    qDrawShadeRect(painter, frame, box->palette, true);
    painter->restore();
    QStyleOptionGroupBox rest(*box);
    rest.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &rest, painter, widget);
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!(option->state & State_HasFocus)) {
        return;
    }
    if (element == CE_PushButton) {
        // Keyboard or mouse focus alike, and also on the default button.
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(
            subElementRect(SE_PushButtonFocusRect, option, widget).adjusted(0, 0, -1, -1));
        painter->restore();
    } else if (element == CE_ShapedFrame &&
               qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::Highlight), kListFrameWidth));
        painter->setBrush(Qt::NoBrush);
        const qreal inset = kListFrameWidth / 2.0;
        painter->drawRect(QRectF(option->rect).adjusted(inset, inset, -inset, -inset));
        painter->restore();
    }
}

QRect WindowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl subControl, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? CaptionedFrame(option) : nullptr;
    if (box == nullptr) {
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
    switch (subControl) {
    case SC_GroupBoxLabel: {
        QRect caption = QProxyStyle::subControlRect(control, option, subControl, widget);
        if (!(box->textAlignment & (Qt::AlignRight | Qt::AlignHCenter))) {
            caption.translate(kCaptionIndent, 0);
        }
        return caption;
    }
    case SC_GroupBoxContents: {
        QRect contents = box->rect.adjusted(kFrameLineWidth, 0, -kFrameLineWidth, -kFrameLineWidth);
        contents.setTop(subControlRect(control, option, SC_GroupBoxLabel, widget).bottom() + 1);
        return contents;
    }
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const
{
    if (metric == PM_DefaultFrameWidth &&
        qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
        return kListFrameWidth;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int WindowStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const
{
    if (hint == SH_ComboBox_Popup) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace corvane
