#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/data/DbError.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // Qt's own texts (print and file dialogs, edit menus, standard buttons)
    // speak the program's language whatever the machine's locale.
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    else
        qWarning("Qt's Chinese translations (qtbase_zh_CN.qm) are not installed");
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool result = true;
    if (const auto failure = failureOf([&] { result = QApplication::notify(receiver, event); })) {
        Dialogs::showError(*failure);
        return true;
    }
    return result;
}

void Application::setUpLook()
{
    // Without an explicit list Qt picks Japanese glyph shapes for hanzi.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(9);
    QApplication::setFont(font);
}

bool guarded(const std::function<void()> &action)
{
    const auto failure = failureOf(action);
    if (failure)
        Dialogs::showError(*failure);
    return !failure;
}

namespace Program {
namespace {
std::function<void()> g_handler;
bool g_ended = false;
} // namespace

void end()
{
    g_ended = true;
    if (g_handler)
        g_handler();
    else
        QApplication::exit(0);
}

void setEndHandler(std::function<void()> handler) { g_handler = std::move(handler); }
bool hasEnded() { return g_ended; }
void resetEnded() { g_ended = false; }
} // namespace Program
