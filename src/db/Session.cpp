#include "db/Session.h"

namespace Session {
namespace {
QString &name()
{
    static QString n = QStringLiteral("Label1");
    return n;
}
} // namespace

QString userName() { return name(); }
void setUserName(const QString &n) { name() = n; }
} // namespace Session
