#pragma once

#include "platform/data/Dataset.h"
#include "platform/data/SqlCommand.h"
#include "platform/data/SqlConnection.h"

#include <QObject>

// The data module: the one shared connection and the shell's own datasets.
// Created once at start-up, it lives for the whole run.
class Tdm : public QObject
{
    Q_OBJECT
public:
    explicit Tdm(QObject *parent = nullptr);
    ~Tdm() override;

    // Opens the ledger database. A missing file, a file that is no ledger
    // database or a wrong database password is refused (DbError); no file is
    // ever created here. A ledger of an older version is upgraded after a
    // backup; a newer one, or a failed upgrade, is refused with a
    // SchemaVersionError and the file left as it was.
    void openDatabase(const QString &filePath, const QString &password);
    // What the last opening has to tell the user about an upgrade (empty when
    // there was none).
    QString upgradeNotice() const { return m_upgradeNotice; }

    SqlConnection *ADOConnection1;
    Dataset *ADOQuery1;   // login and right look-ups
    Dataset *ADOTable1;   // 项目清单, for the project tree
    Dataset *ADODataSet1; // contract nodes of the tree
    SqlCommand *ADOQuery_RZ; // the audit-log writer

private:
    QString m_upgradeNotice;
};

// The one instance, set while a data module exists.
extern Tdm *dm;
