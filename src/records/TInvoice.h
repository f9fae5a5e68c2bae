#pragma once

#include "records/RecordWindow.h"

// The invoices received against contracts.
class TInvoice : public RecordWindow
{
    Q_OBJECT
public:
    explicit TInvoice(QWidget *parent = nullptr);
};
