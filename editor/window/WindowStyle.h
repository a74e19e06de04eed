#pragma once

#include <QProxyStyle>

namespace corvane {

// The main window's controls in the platform's style, with three changes:
// - a frame's caption sits in its top border line, and its contents start
//   below the caption, so the children laid out in twips lie inside it;
// - a drop-down list drops below its box with at most its maximum of visible
//   rows and a scroll bar, never as a screen-tall column;
// - a focused push button shows a dotted focus rectangle, also when it is the
//   default button, and a focused list box a highlight-coloured frame.
class WindowStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowStyle)

public:
    // The application's style underneath.
    WindowStyle();
    ~WindowStyle() override = default;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace corvane
