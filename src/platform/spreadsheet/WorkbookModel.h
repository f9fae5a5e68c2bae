#pragma once

#include "platform/spreadsheet/SpreadsheetApp.h"

#include <QList>

#include <map>
#include <utility>

// The workbooks of one application object as the spreadsheet program holds
// them, with the program's own rules: sheet names unique (without letter
// case), at most 31 characters and free of : \ / ? * [ ]; indexes in range;
// at most 1048576 rows and 16384 columns; at most 32767 characters of text.
// Every rule broken throws SpreadsheetError and changes nothing.
class WorkbookModel
{
public:
    struct Sheet {
        QString name;
        std::map<std::pair<int, int>, QVariant> cells; // (row, column) -> value
    };
    struct Workbook {
        QList<Sheet> sheets;
    };

    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;
    static constexpr int maxTextLength = 32767;

    void setSheetsInNewWorkbook(int count);
    int sheetsInNewWorkbook() const { return m_sheetsInNewWorkbook; }
    void addWorkbook();
    void setSheetName(int workbook, int sheet, const QString &name);
    WorksheetRef worksheet(int workbook, const QString &name) const;
    void setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value);

    const QList<Workbook> &workbooks() const { return m_workbooks; }
    // Raised by every change; tells whether a workbook shown earlier is stale.
    int revision() const { return m_revision; }

private:
    Workbook &workbookAt(int workbook);
    const Workbook &workbookAt(int workbook) const;

    QList<Workbook> m_workbooks;
    int m_sheetsInNewWorkbook = 3;
    int m_revision = 0;
};
