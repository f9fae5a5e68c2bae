#pragma once

#include "reference/ReferenceEditor.h"

// The editor of the handlers (经办人清单).
class TRen : public ReferenceEditor
{
    Q_OBJECT
public:
    explicit TRen(QWidget *parent = nullptr);
};
