#include "editor/window/ListWidgetSync.h"

#include <QListWidget>
#include <QtTest>
#include <string>

namespace corvane {

class ListWidgetSyncTest final : public QObject
{
    Q_OBJECT

private:
    static std::vector<ListItem> Numbered(int count)
    {
        std::vector<ListItem> items;
        for (int i = 0; i < count; ++i) {
            items.push_back({"entry " + std::to_string(i), i});
        }
        return items;
    }
    static void VerifyShows(const QListWidget& list, const std::vector<ListItem>& items)
    {
        QCOMPARE(static_cast<std::size_t>(list.count()), items.size());
        for (int row = 0; row < list.count(); ++row) {
            QCOMPARE(list.item(row)->text().toStdString(), items[row].text);
            QCOMPARE(list.item(row)->data(Qt::UserRole).toInt(), items[row].itemData);
        }
    }

private slots:
    // One change to a full list: rows outside it keep their widget items.
    void touchesOnlyTheChangedRows_data()
    {
        QTest::addColumn<int>("change"); // 0 replace, 1 insert, 2 remove
        QTest::addColumn<int>("at");
        for (const int at : {0, 100, 255}) {
            for (const int change : {0, 1, 2}) {
                QTest::addRow("change %d at %d", change, at) << change << at;
            }
        }
    }
    void touchesOnlyTheChangedRows()
    {
        QFETCH(int, change);
        QFETCH(int, at);
        QListWidget list;
        std::vector<ListItem> shown;
        std::vector<ListItem> items = Numbered(256);
        SyncListWidget(list, shown, items);
        QList<QListWidgetItem*> before;
        for (int row = 0; row < list.count(); ++row) {
            before << list.item(row);
        }

        const auto position = items.begin() + at;
        if (change == 0) {
            position->text += " edited";
        } else if (change == 1) {
            items.insert(position, {"new", 7});
        } else {
            items.erase(position);
        }
        SyncListWidget(list, shown, items);
        VerifyShows(list, items);
        QVERIFY(shown == items);
        for (int row = 0; row < list.count(); ++row) {
            const int shift = change == 1 ? -1 : change == 2 ? 1 : 0;
            const int old = row < at ? row : row + shift;
            if (row != at || change != 1) {
                QCOMPARE(list.item(row), before.at(old));
            }
        }
    }
};

} // namespace corvane

QTEST_MAIN(corvane::ListWidgetSyncTest)
#include "ListWidgetSyncTest.moc"
