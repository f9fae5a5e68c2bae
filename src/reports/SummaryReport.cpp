#include "reports/SummaryReport.h"

#include "reports/TQuickReport1.h"
#include "reports/TReport.h"

using report::BandKind;
using report::Frame;

namespace {

struct PrintedColumn {
    const char *field;
    double width; // mm
    bool number;
};

// 277 mm across: the band width of A4 landscape with 10 mm margins.
const PrintedColumn kColumns[] = {
    {"合同编号", 18, false},     {"合同名称", 28, false},     {"对方单位", 24, false},   {"项目", 10, false},
    {"合同金额", 20, true},      {"计划付款合计", 20, true},  {"截至今日应付", 20, true}, {"已付金额", 20, true},
    {"未付金额", 20, true},      {"付款比例", 12, true},      {"逾期未付", 20, true},    {"已开票金额", 20, true},
    {"已付未开票", 20, true},    {"下次计划付款日期", 25, false},
};

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
    double left = 0;
    int n = 0;
    for (const PrintedColumn &c : kColumns) {
        ++n;
        const QString field = QString::fromUtf8(c.field);
        if (left > 0) {
            titles->addRule(QStringLiteral("QRShape%1").arg(n), left);
            detail->addRule(QStringLiteral("QRShape%1").arg(n + 20), left);
        }
        report::Item *t = titles->addLabel(QStringLiteral("QRLabel%1").arg(n + 10), field, left + 0.8, 1.8, c.width - 1.6);
        t->alignment = Qt::AlignHCenter;
        report::Item *d = detail->addDataText(QStringLiteral("QRDBText%1").arg(n), field, left + 0.8, 1.3, c.width - 1.6);
        d->alignment = c.number ? Qt::AlignRight : Qt::AlignLeft;
        left += c.width;
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
