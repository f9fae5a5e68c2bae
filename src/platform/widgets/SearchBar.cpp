#include "platform/widgets/SearchBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SearchBar::SearchBar(const QStringList &items, const QString &buttonCaption, QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);

    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboBox1"));
    m_combo->setEditable(false);
    m_combo->addItems(items);
    m_combo->setCurrentIndex(items.isEmpty() ? -1 : 0);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMinimumWidth(160);
    m_edit->installEventFilter(this);

    m_button = new QPushButton(buttonCaption, this);
    m_button->setObjectName(QStringLiteral("BitBtn1"));
    // Taking the focus lets a grid settle its pending row before the search.
    m_button->setFocusPolicy(Qt::StrongFocus);
    m_button->setAutoDefault(false);
    connect(m_button, &QPushButton::clicked, this, &SearchBar::searchClicked);

    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(6, 4, 6, 4);
    m_row->addWidget(m_combo);
    m_row->addWidget(m_edit, 1);
    m_row->addWidget(m_button);
}

void SearchBar::setLabels(const QString &itemsLabel, const QString &textLabel)
{
    m_row->insertWidget(m_row->indexOf(m_combo), new QLabel(itemsLabel, this));
    m_row->insertWidget(m_row->indexOf(m_edit), new QLabel(textLabel, this));
}

void SearchBar::setButtonIcon(const QIcon &icon)
{
    m_button->setIcon(icon);
}

void SearchBar::setTextStretches(bool stretches)
{
    m_row->setStretchFactor(m_edit, stretches ? 1 : 0);
    const int last = m_row->count() - 1;
    const bool hasTail = m_row->itemAt(last)->spacerItem() != nullptr;
    if (!stretches && !hasTail)
        m_row->addStretch(1);
    else if (stretches && hasTail)
        delete m_row->takeAt(last);
}

bool SearchBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            Q_EMIT enterPressed();
        return false; // the edit gets the key as well
    }
    return QFrame::eventFilter(watched, event);
}
