#include "db/Tdm.h"

#include "db/LedgerSchema.h"
#include "platform/PasswordHash.h"
#include "platform/data/DbError.h"

Tdm *dm = nullptr;

Tdm::Tdm(QObject *parent)
    : QObject(parent),
      ADOConnection1(new SqlConnection(this)),
      ADOQuery1(new Dataset(ADOConnection1, this)),
      ADOTable1(new Dataset(ADOConnection1, this)),
      ADODataSet1(new Dataset(ADOConnection1, this)),
      ADOQuery_RZ(new SqlCommand(ADOConnection1, this))
{
    setObjectName(QStringLiteral("dm"));
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    ADOTable1->setObjectName(QStringLiteral("ADOTable1"));
    ADODataSet1->setObjectName(QStringLiteral("ADODataSet1"));
    ADOQuery_RZ->setObjectName(QStringLiteral("ADOQuery_RZ"));
    ADOConnection1->setSchema(&ledgerSchema());
    ADOTable1->setTableName(QStringLiteral("项目清单"));
    dm = this;
}

Tdm::~Tdm()
{
    if (dm == this)
        dm = nullptr;
}

void Tdm::openDatabase(const QString &filePath, const QString &password)
{
    m_upgradeNotice.clear();
    ADOConnection1->open(filePath);
    try {
        // Every table of the ledger must be there: another SQLite file is refused.
        const auto existing = ADOConnection1->database().tables();
        for (const TableDef &t : ledgerSchema().tables())
            if (!existing.contains(t.name))
                throw DbError(QStringLiteral("“%1”不是本系统的数据库文件。").arg(filePath));
        const SchemaUpgrade upgrade(*ADOConnection1, ledgerSchema(), ledgerUpgrades());
        const QString stored = ADOConnection1
                                   ->scalar(QStringLiteral("select 值 from %1 where 名称='数据库口令'")
                                                .arg(QString::fromLatin1(kSettingsTable)))
                                   .toString();
        const bool ok = stored.isEmpty() ? password.isEmpty() : PasswordHash::verify(stored, password);
        if (!ok)
            throw DbError(QStringLiteral("数据库口令不正确。"));
        ADOConnection1->prepareForWriting();
        m_upgradeNotice = upgrade.run();
    } catch (...) {
        ADOConnection1->close();
        throw;
    }
}
