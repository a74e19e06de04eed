#pragma once

#include "editor/model/controls/ListItem.h"

#include <vector>

class QListWidget;

namespace corvane {

// Makes the list widget show `items` (text, and item data under
// Qt::UserRole). `shown` is what the widget shows now and is kept equal to
// `items`; only the rows that differ are touched, so a live edit of one
// message updates one row even when the list is full.
void SyncListWidget(QListWidget& list, std::vector<ListItem>& shown,
                    const std::vector<ListItem>& items);

} // namespace corvane
