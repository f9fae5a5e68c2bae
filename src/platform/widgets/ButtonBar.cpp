#include "platform/widgets/ButtonBar.h"

#include "platform/Application.h"

#include <QHBoxLayout>
#include <QPushButton>

ButtonBar::ButtonBar(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(4, 2, 4, 2);
    m_row->setSpacing(2);
    // The buttons keep their size at the left; the stretch takes the rest.
    m_row->addStretch(1);
}

QPushButton *ButtonBar::addButton(const QString &name, const QString &caption, const QIcon &icon,
                                  std::function<void()> handler)
{
    auto *button = new QPushButton(icon, caption, this);
    button->setObjectName(name);
    button->setFlat(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    m_row->insertWidget(m_row->count() - 1, button);
    onUserAction(button, &QPushButton::clicked, this, std::move(handler));
    return button;
}

void ButtonBar::addSeparator()
{
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    m_row->insertSpacing(m_row->count() - 1, 4);
    m_row->insertWidget(m_row->count() - 1, line);
    m_row->insertSpacing(m_row->count() - 1, 4);
}
