#pragma once

#include <QColor>

class DBGrid;

// The look of the report windows' grids: sky-blue title cells, cell text in
// the given colour, and stored dates shown in the short date format (a
// computed query does not know which of its columns are dates).
namespace GridLook {
void apply(DBGrid *grid, const QColor &text = QColor(Qt::black));
}
