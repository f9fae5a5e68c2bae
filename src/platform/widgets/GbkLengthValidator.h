#pragma once

#include <QValidator>

// Refuses input whose GBK form would be longer than a number of bytes, or
// that holds a character GBK cannot write.
class GbkLengthValidator : public QValidator
{
    Q_OBJECT
public:
    explicit GbkLengthValidator(int maxBytes, QObject *parent = nullptr)
        : QValidator(parent), m_maxBytes(maxBytes) {}
    void setMaxBytes(int maxBytes) { m_maxBytes = maxBytes; }
    int maxBytes() const { return m_maxBytes; }
    State validate(QString &input, int &pos) const override;

private:
    int m_maxBytes;
};
