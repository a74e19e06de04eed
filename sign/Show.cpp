#include "sign/Show.h"

#include "sign/ColumnTable.h"

namespace corvane {

Show ShowOf(const Message& message, const Board& board)
{
    return Show{
        .plan = ScrollPlan(message, board),
        .table = ColumnTableBytes(message, board),
    };
}

} // namespace corvane
