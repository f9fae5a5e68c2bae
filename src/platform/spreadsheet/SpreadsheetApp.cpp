#include "platform/spreadsheet/SpreadsheetApp.h"

#include "platform/spreadsheet/XlsxSpreadsheet.h"

namespace {

SpreadsheetApp::Factory &installedFactory()
{
    static SpreadsheetApp::Factory factory;
    return factory;
}

} // namespace

SpreadsheetApp::~SpreadsheetApp() = default;

std::unique_ptr<SpreadsheetApp> SpreadsheetApp::create()
{
    if (const Factory &factory = installedFactory())
        return factory();
    return XlsxSpreadsheet::start();
}

void SpreadsheetApp::setFactory(Factory factory)
{
    installedFactory() = std::move(factory);
}

SpreadsheetApp::ScopedFactory::ScopedFactory(Factory factory) : m_previous(installedFactory())
{
    installedFactory() = std::move(factory);
}

SpreadsheetApp::ScopedFactory::~ScopedFactory()
{
    installedFactory() = std::move(m_previous);
}
