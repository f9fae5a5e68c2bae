#pragma once

#include <QList>

class DBGrid;

// Copies each grid (header row of column titles, then one row per record) into one worksheet
// of a new workbook and shows it in the desktop's spreadsheet program. When the spreadsheet
// program cannot be started, the message is shown only if reportStartFailure is true.
void ExportGridsToExcel(const QList<DBGrid *> &grids, bool reportStartFailure);
