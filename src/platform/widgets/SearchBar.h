#pragma once

#include <QFrame>
#include <QIcon>
#include <QString>
#include <QStringList>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// The search bar of the list windows: a drop-down list of what to search
// (ComboBox1, no typing, the first item chosen), the search text (Edit1) and
// the search button (BitBtn1). The button and the Enter key in the text each
// have their signal (the windows' BitBtn1Click and Edit1KeyPress, which both
// search, connected by onUserAction); Enter still reaches the edit as every
// other key does.
class SearchBar : public QFrame
{
    Q_OBJECT
public:
    SearchBar(const QStringList &items, const QString &buttonCaption, QWidget *parent = nullptr);

    QComboBox *comboBox() const { return m_combo; }
    QLineEdit *edit() const { return m_edit; }
    QPushButton *button() const { return m_button; }

    // Captions in front of the list and of the text; the bar has none by default.
    void setLabels(const QString &itemsLabel, const QString &textLabel);
    void setButtonIcon(const QIcon &icon);
    // Whether the text takes the room left over (else the room stays at the right).
    void setTextStretches(bool stretches);

Q_SIGNALS:
    void searchClicked();
    void enterPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHBoxLayout *m_row;
    QComboBox *m_combo;
    QLineEdit *m_edit;
    QPushButton *m_button;
};
