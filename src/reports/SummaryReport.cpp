#include "reports/SummaryReport.h"

#include "reports/ExecutionSummary.h"
#include "reports/TQuickReport1.h"
#include "reports/TReport.h"

using report::BandKind;
using report::Frame;

namespace {

// Millimetres of each shown field, 277 across: the band width of A4
// landscape with 10 mm margins.
const double kWidths[] = {18, 28, 24, 10, 20, 20, 20, 20, 20, 12, 20, 20, 20, 25};

} // namespace

std::unique_ptr<report::Report> summaryReport(Dataset *rows, const QString &conditions, const QString &preparedBy)
{
    // The faces of the execution report, whose PDF text reads back.
    const report::Report &execution = executionReportLayout()->layout();
    QFont base = execution.baseFont();
    base.setPointSize(8);
    QFont title = execution.item(QStringLiteral("QRLabel1"))->font.value_or(base);
    title.setPointSize(16);
    title.setUnderline(false);

    auto r = std::make_unique<report::Report>();
    r->setPage(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));
    r->setBaseFont(base);
    r->setDataset(rows);

    report::Band *header = r->addBand(BandKind::PageHeader, QStringLiteral("PageHeaderBand1"), 14);
    report::Item *caption = header->addLabel(QStringLiteral("QRLabel1"), QStringLiteral("合同执行汇总"), 0, 3);
    caption->centredInBand = true;
    caption->font = title;

    report::Band *first = r->addBand(BandKind::Title, QStringLiteral("TitleBand1"), 8);
    first->addLabel(QStringLiteral("QRLabel2"), conditions, 0, 1.5);

    report::Band *titles = r->addBand(BandKind::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 7);
    report::Band *detail = r->addBand(BandKind::Detail, QStringLiteral("DetailBand1"), 6);
    titles->frame = Frame::all();
    detail->frame = Frame::all();
    const QList<ColumnDef> fields = ExecutionSummary::fields();
    double left = 0;
    for (int c = 0; c <= ExecutionSummary::NextDate; ++c) {
        const int n = c + 1;
        const QString field = fields[c].name;
        const double width = kWidths[c];
        if (left > 0) {
            titles->addRule(QStringLiteral("QRShape%1").arg(n), left);
            detail->addRule(QStringLiteral("QRShape%1").arg(n + 20), left);
        }
        report::Item *t = titles->addLabel(QStringLiteral("QRLabel%1").arg(n + 10), field, left + 0.8, 1.8, width - 1.6);
        t->alignment = Qt::AlignHCenter;
        report::Item *d = detail->addDataText(QStringLiteral("QRDBText%1").arg(n), field, left + 0.8, 1.3, width - 1.6);
        d->alignment = fields[c].type == ColumnType::Amount ? Qt::AlignRight : Qt::AlignLeft;
        left += width;
    }

    report::Band *footer = r->addBand(BandKind::PageFooter, QStringLiteral("PageFooterBand1"), 8);
    footer->frame.top = true;
    footer->addLabel(QStringLiteral("QRLabel3"), QStringLiteral("打印日期："), 0, 2.5, 16);
    footer->addSystemData(QStringLiteral("QRSysData1"), report::SystemData::DateTime, 16, 2.5, 40);
    footer->addLabel(QStringLiteral("QRLabel4"), QStringLiteral("制表："), 120, 2.5, 10);
    footer->addLabel(QStringLiteral("QRLabel5"), preparedBy, 130, 2.5, 40);
    footer->addLabel(QStringLiteral("QRLabel6"), QStringLiteral("第"), 259, 2.5, 4);
    footer->addSystemData(QStringLiteral("QRSysData2"), report::SystemData::PageNumber, 263, 2.5, 8)->alignment =
        Qt::AlignHCenter;
    footer->addLabel(QStringLiteral("QRLabel7"), QStringLiteral("页"), 271, 2.5, 4);
    return r;
}
