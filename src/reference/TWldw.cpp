#include "reference/TWldw.h"

TWldw::TWldw(QWidget *parent)
    : ReferenceEditor({QStringLiteral("往来单位维护"), QStringLiteral("对方单位清单"), QStringLiteral("名称"),
                       QStringLiteral("名称"), false, QString()},
                      parent)
{
}
