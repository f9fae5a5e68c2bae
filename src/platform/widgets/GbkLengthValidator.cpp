#include "platform/widgets/GbkLengthValidator.h"

#include "platform/gbk.h"

QValidator::State GbkLengthValidator::validate(QString &input, int &) const
{
    if (m_maxBytes > 0 && gbk::byteLength(input) > m_maxBytes)
        return Invalid;
    return Acceptable;
}
