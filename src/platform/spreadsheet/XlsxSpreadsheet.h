#pragma once

#include "platform/spreadsheet/SpreadsheetApp.h"
#include "platform/spreadsheet/WorkbookModel.h"

#include <functional>

// The spreadsheet program of this desktop: the workbooks are held in memory
// and, when the application is made visible, each is written as an .xlsx file
// (text as text, numbers as numbers, dates as dates in the short date format)
// and handed to the desktop's spreadsheet program, which opens it as a new,
// untitled document. The files are kept in a folder of their own under the
// temporary folder, because the program reads them after we return; files
// older than a day are removed when the next export starts.
class XlsxSpreadsheet : public SpreadsheetApp
{
public:
    // Receives the path of a finished workbook file to show.
    using Opener = std::function<void(const QString &file)>;

    // The workbook files go into folder; opener shows each.
    XlsxSpreadsheet(const QString &folder, Opener opener);
    ~XlsxSpreadsheet() override;

    // The real application: LibreOffice Calc (soffice or libreoffice on the
    // PATH). Throws SpreadsheetError when none is installed.
    static std::unique_ptr<SpreadsheetApp> start();
    // The installed spreadsheet program, or an empty text.
    static QString findProgram();
    // Where start() keeps the workbook files.
    static QString defaultFolder();

    // Writes one workbook of the model as an .xlsx file (throws SpreadsheetError).
    static void writeWorkbook(const WorkbookModel::Workbook &book, const QString &path);

    void setSheetsInNewWorkbook(int count) override;
    void addWorkbook() override;
    void setSheetName(int workbook, int sheet, const QString &name) override;
    WorksheetRef worksheet(int workbook, const QString &name) override;
    void setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value) override;
    void setVisible(bool visible) override;

    const WorkbookModel &model() const { return m_model; }

private:
    WorkbookModel m_model;
    QString m_folder;
    Opener m_opener;
    bool m_visible = false;
    int m_shownRevision = -1;
};
