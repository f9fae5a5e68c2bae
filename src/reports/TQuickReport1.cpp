#include "reports/TQuickReport1.h"

#include "db/Tdm.h"
#include "platform/Named.h"
#include "platform/data/Dataset.h"
#include "platform/data/Format.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

TQuickReport1 *QuickReport1 = nullptr;

using report::BandKind;
using report::Frame;
using report::Item;

namespace {

// Fonts whose PDF text layer reads back: TrueType faces, a heavy Chinese sans
// for 黑体 and for the hanzi of the base font. The layout was made for Arial;
// Liberation Sans has its metrics, so figures take the width it planned.
const QString kHeavyChinese = QStringLiteral("WenQuanYi Zen Hei");
const QString kArialMetrics = QStringLiteral("Liberation Sans");

QFont baseFont()
{
    QFont f(kArialMetrics);
    f.setFamilies({kArialMetrics, kHeavyChinese});
    f.setPointSize(10);
    return f;
}

QFont boldFont()
{
    QFont f = baseFont();
    f.setBold(true);
    return f;
}

QFont titleFont()
{
    QFont f(kHeavyChinese);
    f.setFamilies({kHeavyChinese});
    f.setPointSize(18);
    f.setBold(true);
    f.setUnderline(true);
    return f;
}

QString dateText(const QVariant &v)
{
    return Format::display(v, true, false);
}

QImage applicationIcon()
{
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        return icon.pixmap(32, 32).toImage();
    for (const char *path : {":/icons/kadero-32.png", ":/icons/kadero.png"}) {
        const QString p = QString::fromLatin1(path);
        if (QFile::exists(p))
            return QImage(p).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QImage();
}

} // namespace

TQuickReport1::TQuickReport1(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("QuickReport1"));
    ADOQuery1 = named(new Dataset(nullptr, this), "ADOQuery1");
    m_report.setDataset(ADOQuery1);
    build();
    QuickReport1 = this;
}

TQuickReport1::~TQuickReport1()
{
    if (QuickReport1 == this)
        QuickReport1 = nullptr;
}

void TQuickReport1::attachConnection()
{
    ADOQuery1->setConnection(dm ? dm->ADOConnection1 : nullptr);
}

void TQuickReport1::build()
{
    m_report.setPage(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    m_report.setBaseFont(baseFont());

    report::Band *header = m_report.addBand(BandKind::PageHeader, QStringLiteral("PageHeaderBand1"), 30.4);
    QRLabel1 = header->addLabel(QStringLiteral("QRLabel1"), QString(), 0, 10.6);
    QRLabel1->centredInBand = true;
    QRLabel1->font = titleFont();

    report::Band *title = m_report.addBand(BandKind::Title, QStringLiteral("TitleBand1"), 23.3);
    const double line1 = 2.1, line2 = 12.7;
    title->addLabel(QStringLiteral("QRLabel2"), QStringLiteral("合同编号："), 4.2, line1, 21.4);
    title->addDataText(QStringLiteral("QRDBText1"), QStringLiteral("合同编号"), 27.5, line1, 27.8);
    title->addLabel(QStringLiteral("QRLabel6"), QStringLiteral("合同名称："), 65.6, line1, 21.4);
    title->addDataText(QStringLiteral("QRDBText2"), QStringLiteral("合同名称"), 88.9, line1);
    title->addLabel(QStringLiteral("QRLabel5"), QStringLiteral("合同金额："), 141.8, line1);
    title->addDataText(QStringLiteral("QRDBText3"), QStringLiteral("合同金额"), 165.1, line1);
    title->addLabel(QStringLiteral("QRLabel3"), QStringLiteral("对方单位："), 4.2, line2, 21.4);
    title->addDataText(QStringLiteral("QRDBText4"), QStringLiteral("对方单位"), 27.5, line2);
    title->addLabel(QStringLiteral("QRLabel4"), QStringLiteral("类别："), 65.6, line2, 13.0);
    title->addDataText(QStringLiteral("QRDBText5"), QStringLiteral("类别"), 80.4, line2);
    title->addLabel(QStringLiteral("QRLabel7"), QStringLiteral("项目："), 105.8, line2);
    title->addDataText(QStringLiteral("QRDBText6"), QStringLiteral("项目"), 120.7, line2);
    title->addLabel(QStringLiteral("QRLabel8"), QStringLiteral("签订日期："), 141.8, line2);
    title->addDataText(QStringLiteral("QRDBText7"), QStringLiteral("签订日期"), 165.1, line2)->format = dateText;

    const double rules[] = {29.1, 63.5, 97.9, 129.6};
    report::Band *columns = m_report.addBand(BandKind::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 10.6);
    columns->frame = Frame::all();
    for (int i = 0; i < 4; ++i)
        columns->addRule(QStringLiteral("QRShape%1").arg(i + 1), rules[i]);
    columns->addLabel(QStringLiteral("QRLabel9"), QStringLiteral("付款日期"), 4.2, 4.2, 17.2);
    columns->addLabel(QStringLiteral("QRLabel10"), QStringLiteral("付款金额"), 38.1, 4.2, 17.2);
    columns->addLabel(QStringLiteral("QRLabel11"), QStringLiteral("凭证号码"), 72.0, 4.2, 17.2);
    columns->addLabel(QStringLiteral("QRLabel12"), QStringLiteral("经办人员"), 105.8, 4.2, 17.2);
    columns->addLabel(QStringLiteral("QRLabel13"), QStringLiteral("备  注"), 152.4, 4.2, 13.0);

    report::Band *detail = m_report.addBand(BandKind::Detail, QStringLiteral("DetailBand1"), 11.1);
    detail->frame = Frame::all();
    for (int i = 0; i < 4; ++i)
        detail->addRule(QStringLiteral("QRShape%1").arg(i + 5), rules[i]);
    detail->addDataText(QStringLiteral("QRDBText8"), QStringLiteral("付款日期"), 4.2, 4.2)->format = dateText;
    Item *amountPaid = detail->addDataText(QStringLiteral("QRDBText9"), QStringLiteral("付款金额"), 31.2, 4.2, 32.0);
    detail->addDataText(QStringLiteral("QRDBText10"), QStringLiteral("凭证号码"), 65.6, 4.2, 32.0);
    detail->addDataText(QStringLiteral("QRDBText11"), QStringLiteral("经办人员"), 105.8, 4.2)->alignment = Qt::AlignHCenter;
    detail->addDataText(QStringLiteral("QRDBText12"), QStringLiteral("备注"), 131.2, 4.2, 57.4);

    report::Band *summary = m_report.addBand(BandKind::Summary, QStringLiteral("SummaryBand1"), 14.3);
    summary->frame.bottom = true;
    summary->frame.widthMm = Frame::pixelsToMm(2);
    const double top = 6.3;
    summary->addLabel(QStringLiteral("QRLabel16"), QStringLiteral("累计付款"), 2.1, top);
    Item *paid = summary->addExpression(QStringLiteral("QRExpr1"), QStringLiteral("SUM(ADOQuery1.付款金额)"), 19.1, top, 21.4);
    summary->addLabel(QStringLiteral("QRLabel20"), QStringLiteral("付款比例"), 50.8, top, 17.2);
    // A zero or empty contract amount gives no share (a null result prints empty).
    Item *share = summary->addExpression(QStringLiteral("QRExpr3"),
                                         QStringLiteral("SUM(ADOQuery1.付款金额) / (adoquery1.合同金额) * 100"), 67.7, top, 10.8);
    Item *percent = summary->addLabel(QStringLiteral("QRLabel21"), QStringLiteral("%"), 78.3, top, 6.6);
    summary->addLabel(QStringLiteral("QRLabel17"), QStringLiteral("未付款："), 93.1, top);
    Item *unpaid = summary->addExpression(QStringLiteral("QRExpr2"),
                                          QStringLiteral("ADOQuery1.合同金额 - SUM(ADOQuery1.付款金额)"), 108.0, top, 21.4);
    summary->addLabel(QStringLiteral("QRLabel22"), QStringLiteral("累计发票"), 137.6, top, 17.2);
    QRLabel23 = summary->addLabel(QStringLiteral("QRLabel23"), QString(), 154.5, top, 21.4);
    QRLabel23->alignment = Qt::AlignRight;
    for (Item *figure : {paid, share, unpaid}) {
        figure->alignment = Qt::AlignRight;
        figure->font = boldFont();
    }
    percent->font = boldFont();
    // An amount keeps every digit and its cents; only the share is rounded to fit.
    for (Item *money : {amountPaid, paid, unpaid, QRLabel23}) {
        money->alignment = Qt::AlignRight;
        money->fit = report::TextFit::Condense;
    }

    report::Band *footer = m_report.addBand(BandKind::PageFooter, QStringLiteral("PageFooterBand1"), 10.6);
    footer->frame.top = true;
    footer->addLabel(QStringLiteral("QRLabel14"), QStringLiteral("打印日期："), 2.1, 4.2, 21.4);
    footer->addSystemData(QStringLiteral("QRSysData1"), report::SystemData::DateTime, 23.3, 4.2, 38.4);
    footer->addLabel(QStringLiteral("QRLabel18"), QStringLiteral("制表："), 67.7, 4.2, 13.0);
    QRLabel19 = footer->addLabel(QStringLiteral("QRLabel19"), QString(), 80.4, 4.2);
    footer->addImage(QStringLiteral("QRImage1"), QImage(), 114.3, 2.1, 8.7, 8.7);
    footer->addLabel(QStringLiteral("QRLabel15"), QStringLiteral("KaderoV1.5（单机版）"), 124.9, 4.2, 63.8);
}

void TQuickReport1::refreshIcon()
{
    // The shell may set the program's icon after the layout was built.
    if (Item *image = m_report.item(QStringLiteral("QRImage1")); image && image->image.isNull())
        image->image = applicationIcon();
}

void TQuickReport1::Preview(QWidget *parent)
{
    refreshIcon();
    m_report.preview(parent, QStringLiteral("合同执行情况表"));
}

report::Rendering TQuickReport1::render(QPagedPaintDevice *device)
{
    refreshIcon();
    return m_report.render(device);
}

report::Rendering TQuickReport1::savePdf(const QString &path)
{
    refreshIcon();
    return m_report.savePdf(path);
}
