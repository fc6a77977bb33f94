// SPDX-License-Identifier: GPL-3.0-or-later
// The order-file type as a desktop sees it, and the menu entry that goes with it.

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Dist = QStringLiteral(QOR_DIST_DIR);
const QString OrderType = QStringLiteral("application/x-qorcommande");

QByteArray read(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of `key` in the [Desktop Entry] group.
QString desktopValue(const QString &key)
{
    const QString text = QString::fromUtf8(read(Dist + QStringLiteral("/fr.qor.commande.desktop")));
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    return QString();
}

} // namespace

class TestDesktopFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The type as installed for this user only, over the system's own types.
        QVERIFY(m_home.isValid());
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("mime/packages")));
        QVERIFY(QFile::copy(Dist + QStringLiteral("/fr.qor.commande.xml"),
                            m_home.filePath(QStringLiteral("mime/packages/fr.qor.commande.xml"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_DATA_DIRS", "/usr/share");
    }

    void fileType_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("orderBook");
        QTest::newRow("book") << "commandes.cmd" << QByteArray("<BLOC0000>\r\nNUM200003001\r\n")
                              << true;
        QTest::newRow("book in capitals")
            << "COMMANDES.CMD" << QByteArray("<BLOC0000>\r\n") << true;
        QTest::newRow("Windows script")
            << "install.cmd" << QByteArray("@echo off\r\ncopy a b\r\n") << false;
        QTest::newRow("script naming a block")
            << "bloc.cmd" << QByteArray("rem <BLOC0000>\r\n") << false;
        QTest::newRow("book without extension")
            << "commandes" << QByteArray("<BLOC0000>\r\n") << true;
    }

    void fileType()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, orderBook);
        QTemporaryDir dir;
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        const QMimeType type = QMimeDatabase().mimeTypeForFile(file.fileName());
        QCOMPARE(type.name() == OrderType, orderBook);
        if (!orderBook)
            QVERIFY2(type.inherits(QStringLiteral("text/plain")), qPrintable(type.name()));
    }

    void menuEntry()
    {
        // Opening a file from the desktop hands the program its name, the only argument.
        QCOMPARE(desktopValue(QStringLiteral("Exec")), QStringLiteral("qorcommande %f"));
        QCOMPARE(desktopValue(QStringLiteral("MimeType")), OrderType + QLatin1Char(';'));
        QVERIFY(QMimeDatabase().mimeTypeForName(OrderType).isValid());
        const QString icon = desktopValue(QStringLiteral("Icon"));
        QVERIFY(QFile::exists(Dist + QLatin1Char('/') + icon + QStringLiteral(".svg")));
        QVERIFY(read(Dist + QStringLiteral("/fr.qor.commande.metainfo.xml"))
                    .contains(QByteArray("<mediatype>" + OrderType.toUtf8() + "</mediatype>")));
    }

private:
    QTemporaryDir m_home;
};

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "test_desktopfiles.moc"
