#include "sign/Show.h"

#include "sign/ColumnTable.h"

namespace corvane {

Show ShowOf(const Message& message, const Board& board, const Font& font)
{
    return Show{
        .plan = ScrollPlan(message, board),
        .table = ColumnTableBytes(message, board, font),
    };
}

} // namespace corvane
