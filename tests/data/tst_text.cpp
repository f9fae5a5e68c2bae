#include "platform/IniFile.h"
#include "platform/PasswordHash.h"
#include "platform/data/Format.h"
#include "platform/gbk.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Code page 936 lengths and cuts, the INI file, value formats and hashes.
class TestText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void byteLengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("four hanzi") << QStringLiteral("合同编号") << 8;
        QTest::newRow("level-2 code") << QStringLiteral("01-01") << 5;
        QTest::newRow("12 ASCII") << QStringLiteral("abcdefghijkl") << 12;
        QTest::newRow("mixed") << QStringLiteral("张a三") << 5;
        QTest::newRow("full-width comma") << QStringLiteral("，") << 2;
        QTest::newRow("empty") << QString() << 0;
    }
    void byteLengths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(gbk::byteLength(text), bytes);
        QVERIFY(gbk::canEncode(text));
    }

    void emojiAndOtherScriptsAreNotGbk()
    {
        QVERIFY(!gbk::canEncode(QStringLiteral("合同\U0001F600")));
        QCOMPARE(gbk::firstUnencodable(QStringLiteral("合同\U0001F600")), QStringLiteral("\U0001F600"));
        QVERIFY(!gbk::canEncode(QStringLiteral("한국")));
        QVERIFY(gbk::canEncode(QStringLiteral("€")));
    }

    void midBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("cut");
        QTest::newRow("contract number") << QStringLiteral("[00000001]合同") << 2 << 8 << QStringLiteral("00000001");
        QTest::newRow("hanzi number") << QStringLiteral("[合同编号]名称") << 2 << 8 << QStringLiteral("合同编号");
        QTest::newRow("level-2 code") << QStringLiteral("[01-01] 厂房") << 2 << 5 << QStringLiteral("01-01");
        QTest::newRow("past the end") << QStringLiteral("[01]") << 2 << 8 << QStringLiteral("01]");
        QTest::newRow("nothing left") << QStringLiteral("ab") << 5 << 3 << QString();
        QTest::newRow("half a hanzi left out") << QStringLiteral("[项目]") << 2 << 3 << QStringLiteral("项");
    }
    void midBytes()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, count);
        QFETCH(QString, cut);
        QCOMPARE(gbk::midBytes(text, position, count), cut);
    }

    void iniFileIsGbkAndKeepsOtherLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KD.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("; kept\r\n[Other]\r\nx=1\r\n");
        }
        IniFile ini(path);
        ini.writeString(QStringLiteral("KD"), QStringLiteral("database"), QStringLiteral("D:\\合同\\kd.db"));
        ini.writeString(QStringLiteral("KD"), QStringLiteral("user"), QStringLiteral("张三"));
        ini.writeString(QStringLiteral("KD"), QStringLiteral("database"), QStringLiteral("新.db"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes, *gbk::encode(QStringLiteral("; kept\r\n[Other]\r\nx=1\r\n[KD]\r\ndatabase=新.db\r\nuser=张三\r\n")));
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("user")), QStringLiteral("张三"));
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("password")), QString());
        QCOMPARE(ini.readString(QStringLiteral("Other"), QStringLiteral("x")), QStringLiteral("1"));
        // Blanks typed by hand stay in the value: the reader trims, the file does not.
        QFile::remove(path);
        QFile g(path);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("[KD]\r\ndatabase=  a.db  \r\n");
        g.close();
        QCOMPARE(ini.readString(QStringLiteral("KD"), QStringLiteral("database")), QStringLiteral("  a.db  "));
    }

    void amountsAndDates()
    {
        QCOMPARE(Format::amount(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(Format::amount(1250000), QStringLiteral("1250000"));
        QCOMPARE(Format::amount(465500.5), QStringLiteral("465500.5"));
        QCOMPARE(Format::amount(-0.00001), QStringLiteral("0"));
        QCOMPARE(Format::date(QDate(2026, 1, 5)), QStringLiteral("2026/1/5"));
        QCOMPARE(*Format::parseDate(QStringLiteral("2026-12-31")), QDate(2026, 12, 31));
        QCOMPARE(*Format::parseDate(QStringLiteral("2026/2/3")), QDate(2026, 2, 3));
        QVERIFY(!Format::parseDate(QStringLiteral("2026/2/30")));
        QVERIFY(!Format::parseDate(QStringLiteral("昨天")));
        QVERIFY(!Format::parseAmount(QStringLiteral("12元")));
        QCOMPARE(*Format::parseAmount(QStringLiteral(" 12.50 ")), 12.5);
    }

    void passwordsAreHashedAndLegacyTextStillMatches()
    {
        const QString h = PasswordHash::hash(QStringLiteral("密码1"));
        QVERIFY(PasswordHash::isHash(h));
        QVERIFY(!h.contains(QStringLiteral("密码1")));
        QVERIFY(PasswordHash::verify(h, QStringLiteral("密码1")));
        QVERIFY(!PasswordHash::verify(h, QStringLiteral("密码2")));
        QVERIFY(!PasswordHash::verify(h, QStringLiteral("' or '1'='1")));
        QVERIFY(PasswordHash::verify(QStringLiteral("old"), QStringLiteral("old")));
        QVERIFY(!PasswordHash::verify(QStringLiteral("old"), QStringLiteral("Old")));
    }
};

KD_TEST(TestText)
#include "tst_text.moc"
