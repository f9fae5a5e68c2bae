#include "reports/GridLook.h"

#include "platform/data/Dataset.h"
#include "platform/data/Format.h"
#include "platform/widgets/DBGrid.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QStyledItemDelegate>

namespace {

class DateTextDelegate : public QStyledItemDelegate
{
public:
    DateTextDelegate(std::function<GridLook::RowLook(int)> rowLook, QObject *parent)
        : QStyledItemDelegate(parent), m_rowLook(std::move(rowLook))
    {
    }

    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        const QString text = value.toString();
        if (iso.match(text).hasMatch())
            return Format::display(text, true, false);
        return QStyledItemDelegate::displayText(value, locale);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_rowLook)
            return;
        const GridLook::RowLook look = m_rowLook(index.row());
        if (look.background.isValid())
            option->backgroundBrush = look.background;
        option->font.setBold(look.bold);
    }

private:
    std::function<GridLook::RowLook(int)> m_rowLook;
};

} // namespace

namespace GridLook {

void apply(DBGrid *grid, const QColor &text, std::function<RowLook(int row)> rowLook)
{
    grid->setItemDelegate(new DateTextDelegate(std::move(rowLook), grid));
    QPalette p = grid->palette();
    p.setColor(QPalette::Text, text);
    grid->setPalette(p);
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #a6caf0; color: black; padding: 2px;"
                       " border: none; border-right: 1px solid #7f9db9; border-bottom: 1px solid #7f9db9; }"));
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

} // namespace GridLook
