#pragma once

#include "platform/spreadsheet/SpreadsheetApp.h"
#include "platform/spreadsheet/WorkbookModel.h"

#include <QStringList>

// A spreadsheet application for tests: it records every operation with its
// arguments, in order, and keeps the workbooks with the real program's rules
// (a refused sheet name or a missing sheet throws as the real one does).
//
// Records, one text each:
//   create Excel.Application        SheetsInNewWorkbook=2      Workbooks.Add
//   Workbooks(1).Worksheets(1).Name=DBGrid1                    Workbooks(1).Worksheets(DBGrid1)
//   Worksheets(1).Cells(2,3)=text:00000001 | number:100.5 | date:2026-01-05 | empty
//   Visible=true                    release
class RecordingSpreadsheet : public SpreadsheetApp
{
public:
    // Shared by every object a factory makes, and outliving them.
    struct Log {
        QStringList operations;
        bool failCreate = false;  // create throws, as without a spreadsheet program
        QString failOn;           // an operation whose record starts with this throws, after being recorded
        int created = 0;
        WorkbookModel lastModel;  // the workbooks of the last object, kept at its release

        // Only the operations that start with prefix.
        QStringList matching(const QString &prefix) const;
    };

    explicit RecordingSpreadsheet(Log *log);
    ~RecordingSpreadsheet() override;

    // A factory for SpreadsheetApp::setFactory that records each create.
    static Factory factory(Log *log);
    // How a cell value is recorded.
    static QString describe(const QVariant &value);

    void setSheetsInNewWorkbook(int count) override;
    void addWorkbook() override;
    void setSheetName(int workbook, int sheet, const QString &name) override;
    WorksheetRef worksheet(int workbook, const QString &name) override;
    void setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value) override;
    void setVisible(bool visible) override;

private:
    void record(const QString &operation);

    Log *m_log;
    WorkbookModel m_model;
};
