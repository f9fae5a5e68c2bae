#pragma once

#include "platform/report/Report.h"

#include <QObject>

class Dataset;
class SqlConnection;
class QWidget;

// The contract execution report: one contract, its payments, the total paid,
// the share paid, the amount unpaid and the total invoiced. Created once at
// start-up; every report request sets its dataset's statement and its three
// labels again before previewing.
class TQuickReport1 : public QObject
{
    Q_OBJECT
public:
    explicit TQuickReport1(QObject *parent = nullptr);
    ~TQuickReport1() override;

    Dataset *ADOQuery1;

    // Puts ADOQuery1 on the shared connection of the current data module
    // (the layout is created before the data module at start-up).
    void attachConnection();

    report::Item *QRLabel1;  // report title
    report::Item *QRLabel19; // the user who prepares it
    report::Item *QRLabel23; // invoice total

    const report::Report &layout() const { return m_report; }

    // Shows the report in the preview; returns when the preview is closed.
    // Throws when the report cannot be produced.
    void Preview(QWidget *parent = nullptr);
    report::Rendering render(QPagedPaintDevice *device);
    report::Rendering savePdf(const QString &path);

private:
    void build();
    void refreshIcon();

    report::Report m_report;
};

// The one report layout of the run (set while it exists).
extern TQuickReport1 *QuickReport1;
