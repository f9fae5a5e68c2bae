#pragma once

#include "platform/report/Report.h"

#include <QString>

#include <memory>

class Dataset;

// The execution summary on paper: A4 landscape, one line per row of the
// summary with the totals row last, the conditions under the title of the
// first page, the page number in every footer.
std::unique_ptr<report::Report> summaryReport(Dataset *rows, const QString &conditions, const QString &preparedBy);
