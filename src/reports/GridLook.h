#pragma once

#include <QColor>

#include <functional>

class DBGrid;

// The look of the report windows' grids: sky-blue title cells, cell text in
// the given colour, and stored dates shown in the short date format (a
// computed query does not know which of its columns are dates).
namespace GridLook {

// How one row stands out: its background (none when invalid) and bold text.
struct RowLook {
    QColor background;
    bool bold = false;
};

void apply(DBGrid *grid, const QColor &text = QColor(Qt::black), std::function<RowLook(int row)> rowLook = {});

} // namespace GridLook
