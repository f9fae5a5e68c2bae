#pragma once

#include "reports/ExecutionSummary.h"

#include <QList>
#include <QPair>
#include <QString>

class QChart;
class QChartView;

// The execution summary's two charts.
namespace SummaryCharts {

// Paid against planned per month; the months after `today`'s are the plans ahead.
QChart *monthly(const QList<ExecutionSummary::Month> &months);
// The counterparties with the most unpaid, the first at the top.
QChart *topUnpaid(const QList<QPair<QString, double>> &owed);

// Asks for a file and saves the chart there as a PNG picture, telling the user how it went.
void saveAsPng(QChartView *view, const QString &suggestedName);

} // namespace SummaryCharts
