#include "platform/Dialogs.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <memory>

// The real message boxes behind Dialogs (no script installed), and Qt's own
// texts in the program's language.
class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void realMessageBoxes_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("press"); // a button's text, or a key
        QTest::addColumn<bool>("answer");
        const QString app = QStringLiteral("账簿");
        const QStringList ok = {QStringLiteral("确定")};
        const QStringList okCancel = {QStringLiteral("确定"), QStringLiteral("取消")};
        const QStringList yesNo = {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")};
        const int info = QMessageBox::Information, question = QMessageBox::Question;
        QTest::newRow("information: the program's caption") << "information" << "" << app << info << ok << "Esc" << true;
        QTest::newRow("information with its own caption") << "information" << "提示" << "提示" << info << ok << "确定" << true;
        QTest::newRow("warning") << "warning" << "" << app << int(QMessageBox::Warning) << ok << "Enter" << true;
        QTest::newRow("error display") << "error" << "" << app << int(QMessageBox::Critical) << ok << "确定" << true;
        QTest::newRow("OK") << "okCancel" << "确认" << "确认" << question << okCancel << "确定" << true;
        QTest::newRow("Enter is OK") << "okCancel" << "确认" << "确认" << question << okCancel << "Enter" << true;
        QTest::newRow("Cancel") << "okCancel" << "确认" << "确认" << question << okCancel << "取消" << false;
        QTest::newRow("Esc is Cancel") << "okCancel" << "" << app << question << okCancel << "Esc" << false;
        QTest::newRow("Yes") << "yesNo" << "提示" << "提示" << question << yesNo << "是(&Y)" << true;
        QTest::newRow("No") << "yesNo" << "提示" << "提示" << question << yesNo << "否(&N)" << false;
        QTest::newRow("Esc is No") << "yesNo" << "提示" << "提示" << question << yesNo << "Esc" << false;
    }
    void realMessageBoxes()
    {
        QFETCH(QString, call);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, press);
        QFETCH(bool, answer);
        const QString previousName = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("账簿"));
        QString shownCaption, shownText;
        QStringList shownButtons;
        int shownIcon = -1;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            shownCaption = box->windowTitle();
            shownText = box->text();
            shownIcon = box->icon();
            for (QAbstractButton *b : box->buttons())
                shownButtons << b->text();
            if (press == QLatin1String("Esc") || press == QLatin1String("Enter")) {
                QTest::keyClick(box, press == QLatin1String("Esc") ? Qt::Key_Escape : Qt::Key_Return);
                return;
            }
            for (QAbstractButton *b : box->buttons())
                if (b->text() == press)
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        // Nothing else must stay open should the box not behave.
        QTimer::singleShot(5000, this, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        bool result = true;
        const QString text = QStringLiteral("合同登记已保存！");
        if (call == QLatin1String("information"))
            Dialogs::information(text, title);
        else if (call == QLatin1String("warning"))
            Dialogs::warning(text, title);
        else if (call == QLatin1String("error"))
            Dialogs::showError(text);
        else
            result = Dialogs::confirm(title, text,
                                      call == QLatin1String("yesNo") ? Dialogs::Buttons::YesNo : Dialogs::Buttons::OkCancel);
        QGuiApplication::setApplicationDisplayName(previousName);
        QCOMPARE(shownText, text);
        QCOMPARE(shownCaption, caption);
        QCOMPARE(shownIcon, icon);
        shownButtons.sort();
        buttons.sort();
        QCOMPARE(shownButtons, buttons);
        QCOMPARE(result, answer);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void qtsOwnTextsAreChinese()
    {
        QLineEdit edit;
        edit.setText(QStringLiteral("合同"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList entries;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                entries << a->text().section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(entries, QStringList({"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"}));
        QPrinter printer;
        QPrintDialog print(&printer);
        QStringList buttons;
        for (QAbstractButton *b : print.findChildren<QAbstractButton *>())
            buttons << b->text();
        QCOMPARE(print.windowTitle(), QStringLiteral("打印"));
        QVERIFY(buttons.contains(QStringLiteral("打印(&P)")) && buttons.contains(QStringLiteral("取消")));
    }
};

KD_TEST(TestDialogs)
#include "tst_dialogs.moc"
