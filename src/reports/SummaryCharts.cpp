#include "reports/SummaryCharts.h"

#include "platform/Dialogs.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QValueAxis>

namespace SummaryCharts {

namespace {

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSize(11);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QValueAxis *amountAxis(double top)
{
    auto *axis = new QValueAxis;
    axis->setMin(0);
    axis->setMax(top > 0 ? top * 1.1 : 1);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->applyNiceNumbers();
    return axis;
}

} // namespace

QChart *monthly(const QList<ExecutionSummary::Month> &months)
{
    QChart *chart = newChart(QStringLiteral("每月付款与计划付款（近24个月及未来6个月）"));
    auto *paid = new QBarSet(QStringLiteral("付款金额"));
    auto *planned = new QBarSet(QStringLiteral("计划付款金额"));
    paid->setColor(QColor(0x2e, 0x7d, 0x32));
    planned->setColor(QColor(0x90, 0xa4, 0xbf));
    QStringList categories;
    double top = 0;
    for (const ExecutionSummary::Month &m : months) {
        paid->append(m.paid);
        planned->append(m.planned);
        top = std::max({top, m.paid, m.planned});
        categories << m.month.toString(QStringLiteral("yyyy/M"));
    }
    auto *series = new QBarSeries;
    series->append(planned);
    series->append(paid);
    chart->addSeries(series);

    auto *x = new QBarCategoryAxis;
    x->append(categories);
    x->setLabelsAngle(-90);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QValueAxis *y = amountAxis(top);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

QChart *topUnpaid(const QList<QPair<QString, double>> &owed)
{
    QChart *chart = newChart(QStringLiteral("未付金额最多的十个对方单位"));
    auto *set = new QBarSet(QStringLiteral("未付金额"));
    set->setColor(QColor(0xc6, 0x28, 0x28));
    set->setLabelColor(Qt::black);
    QStringList categories;
    double top = 0;
    // A horizontal bar chart draws its first category at the bottom.
    for (qsizetype i = owed.size() - 1; i >= 0; --i) {
        set->append(owed[i].second);
        categories << (owed[i].first.isEmpty() ? QStringLiteral("（空）") : owed[i].first);
        top = std::max(top, owed[i].second);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsPrecision(15);
    chart->addSeries(series);

    auto *y = new QBarCategoryAxis;
    y->append(categories);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    QValueAxis *x = amountAxis(top);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    chart->legend()->hide();
    return chart;
}

void saveAsPng(QChartView *view, const QString &suggestedName)
{
    QString path = Dialogs::saveFileName(QStringLiteral("保存图片"), suggestedName + QStringLiteral(".png"),
                                         QStringLiteral("PNG 图片 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (view->grab().save(path, "PNG"))
        Dialogs::information(QStringLiteral("图片已保存为：") + path);
    else
        Dialogs::warning(QStringLiteral("图片不能保存到：") + path + QStringLiteral("，请换一个位置再试！"));
}

} // namespace SummaryCharts
