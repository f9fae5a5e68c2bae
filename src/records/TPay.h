#pragma once

#include "records/RecordWindow.h"

// The payments made against contracts.
class TPay : public RecordWindow
{
    Q_OBJECT
public:
    explicit TPay(QWidget *parent = nullptr);
};
