#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>

// An error that the spreadsheet program reports (a refused sheet name, an
// index out of range, a file it cannot write, a program that fails to start).
class SpreadsheetError : public std::runtime_error
{
public:
    explicit SpreadsheetError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A worksheet of a workbook, both numbered from 1.
struct WorksheetRef {
    int workbook = 0;
    int sheet = 0;
    bool operator==(const WorksheetRef &) const = default;
};

// The application object of a spreadsheet program, with the operations an
// export performs on it. Each object is a new, separate application instance
// with its own workbooks; nothing is shared with another object.
//
// A cell value is a QString (text, kept as typed: "00000001" keeps its zeros),
// a double or an integer (a number), a QDate (a date), or null (an empty cell).
class SpreadsheetApp
{
public:
    using Factory = std::function<std::unique_ptr<SpreadsheetApp>()>;

    virtual ~SpreadsheetApp();

    // Starts a new application object; throws SpreadsheetError when no
    // spreadsheet program is installed or it cannot be started.
    static std::unique_ptr<SpreadsheetApp> create();
    // Replaces what create() makes (tests install a fake); an empty factory
    // restores the real spreadsheet program.
    static void setFactory(Factory factory);

    // Installs a factory for the life of the object, then restores the one before.
    class ScopedFactory
    {
    public:
        explicit ScopedFactory(Factory factory);
        ~ScopedFactory();
        ScopedFactory(const ScopedFactory &) = delete;
        ScopedFactory &operator=(const ScopedFactory &) = delete;

    private:
        Factory m_previous;
    };

    // Number of worksheets that a new workbook starts with (1 to 255).
    virtual void setSheetsInNewWorkbook(int count) = 0;
    // Workbooks.Add: a new workbook, numbered after the existing ones.
    virtual void addWorkbook() = 0;
    // Workbooks(workbook).Worksheets(sheet).Name = name.
    virtual void setSheetName(int workbook, int sheet, const QString &name) = 0;
    // Workbooks(workbook).Worksheets(name), names compared without letter case.
    virtual WorksheetRef worksheet(int workbook, const QString &name) = 0;
    // Worksheet.Cells(row, column) = value, both numbered from 1.
    virtual void setCell(const WorksheetRef &sheet, int row, int column, const QVariant &value) = 0;
    // Shows (or hides) the application with its workbooks.
    virtual void setVisible(bool visible) = 0;
};
