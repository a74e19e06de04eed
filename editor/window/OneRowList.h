#pragma once

#include <QListWidget>

class QKeyEvent;

namespace corvane {

// A list box one row high: the row it shows is the row it selects. Scrolling
// it (the scroll bar's arrows, the wheel, the Page keys) makes the row
// scrolled to the current one, as the arrow keys do, so currentRowChanged
// reports it like a click.
class OneRowList final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OneRowList)

public:
    explicit OneRowList(QWidget* parent = nullptr);
    ~OneRowList() override = default;

    // The row in view; -1 when there is none.
    int shownRow() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectShownRow();
};

} // namespace corvane
