#include "reference/TRen.h"

TRen::TRen(QWidget *parent)
    : ReferenceEditor({QStringLiteral("人员维护"), QStringLiteral("经办人清单"), QStringLiteral("姓名"),
                       QStringLiteral("姓名"), false, QString()},
                      parent)
{
}
