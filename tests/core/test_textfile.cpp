// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every byte value but the line ends, in turn, `length` bytes long.
QByteArray bytesOfLength(int length, int first)
{
    QByteArray bytes;
    for (int b = first; bytes.size() < length; ++b) {
        const char c = char(b % 256);
        if (c != '\r' && c != '\n')
            bytes.append(c);
    }
    return bytes;
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteSurvivesAtEveryLineLength()
    {
        // Lines of every length from empty to past the shared short lines, each holding
        // bytes from the five the code page leaves undefined to accented letters; the same
        // lines twice, since equal lines are read differently from the others.
        TemporaryWorkingDir dir;
        QByteArray file;
        QByteArray expected;
        const char *const ends[] = {"\r\n", "\r", "\n"};
        for (int round = 0; round < 2; ++round) {
            for (int length = 0; length <= 70; ++length) {
                const QByteArray line = bytesOfLength(length, 0x78 + length * 7);
                file += line + ends[length % 3];
                expected += line + "\r\n";
            }
        }
        file += "last line without an end";
        expected += "last line without an end\r\n";
        QVERIFY(TextFile::writeBytes(dir.file("in.cmd"), file));

        QStringList lines;
        QVERIFY(TextFile::read(dir.file("in.cmd"), lines));
        QCOMPARE(lines.size(), 2 * 71 + 1);
        QCOMPARE(lines, TextFile::splitLines(file));
        QCOMPARE(lines.at(2).at(0), QChar(0x2020)); // 0x86 reads as the dagger
        QVERIFY(TextFile::write(dir.file("out.cmd"), TextLines(lines)));
        QCOMPARE(readAll(dir.file("out.cmd")), expected);
        QCOMPARE(TextFile::joinLines(lines), expected);
    }

    // The program's own table reads and writes every byte as the code page's mapping in Qt does,
    // where this Qt has it.
    void tableAgreesWithQtsCodePage()
    {
        QStringDecoder qtDecoder("windows-1252");
        QStringEncoder qtEncoder("windows-1252");
        if (!qtDecoder.isValid() || !qtEncoder.isValid())
            QSKIP("This Qt has no Windows-1252 converter");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = qtDecoder.decode(all);
        QCOMPARE(TextFile::decode(all), text);
        QCOMPARE(TextFile::encode(text), QByteArray(qtEncoder.encode(text)));
    }

    void charactersOutsideTheCodePage_data()
    {
        QTest::addColumn<int>("padding");
        QTest::newRow("short line") << 0;
        QTest::newRow("long line") << 30;
    }
    void charactersOutsideTheCodePage()
    {
        QFETCH(int, padding);
        const QString pad(padding, QLatin1Char('x'));
        // U+0085 is a control the code page has no byte for; U+0081 is one of its five
        // undefined bytes, kept as they were read.
        const QString text = QStringLiteral("a\u0142\u0085\u0081\u20AC\u00E9") + pad;
        QCOMPARE(TextFile::encode(text), QByteArray("a??\x81\x80\xE9") + pad.toLatin1());
        QCOMPARE(TextFile::joinLines({text, text.left(3)}),
                 QByteArray("a??\x81\x80\xE9") + pad.toLatin1() + "\r\na??\r\n");
    }

    void linesOfALargeFile()
    {
        // A CR LF stays one line end wherever it falls, and lines far longer than a read stay
        // whole, read as text or as the book holds them.
        TemporaryWorkingDir dir;
        for (const qsizetype crAt : {qsizetype(256 * 1024 - 1), qsizetype(256 * 1024)}) {
            const QByteArray first(crAt, 'a');
            const QByteArray longLine(600 * 1024, 'b');
            const QByteArray file = first + "\r\n" + longLine + "\r\r" + "c";
            QVERIFY(TextFile::writeBytes(dir.file("big.cmd"), file));
            QStringList lines;
            QVERIFY(TextFile::read(dir.file("big.cmd"), lines));
            QCOMPARE(lines.size(), 4);
            QCOMPARE(lines.at(0).size(), crAt);
            QCOMPARE(lines.at(1), QString::fromLatin1(longLine));
            QCOMPARE(lines.at(2), QString());
            QCOMPARE(lines.at(3), QStringLiteral("c"));
            TextLines held;
            QVERIFY(TextFile::read(dir.file("big.cmd"), held));
            QVERIFY(held == lines);
        }
    }

    void aKeptCopyOutlivesTheNextWrite()
    {
        // The copy must hold the file as it was, not follow the file when it is rewritten, and
        // each copy replaces the one before without leaving anything else behind.
        TemporaryWorkingDir dir;
        const QString name = dir.file("c.cmd");
        const QString copy = dir.file("c.cmd.bak");
        QVERIFY(TextFile::writeBytes(copy, "oldest"));
        QVERIFY(TextFile::writeBytes(name, "first"));
        QVERIFY(TextFile::keepCopy(name, copy));
        QVERIFY(TextFile::writeBytes(name, "second"));
        QByteArray bytes;
        QVERIFY(TextFile::readBytes(copy, bytes));
        QCOMPARE(bytes, QByteArray("first"));
        QVERIFY(TextFile::keepCopy(name, copy));
        QVERIFY(TextFile::writeBytes(name, "third"));
        QVERIFY(TextFile::readBytes(copy, bytes));
        QCOMPARE(bytes, QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("c.cmd"), QStringLiteral("c.cmd.bak")}));
        QVERIFY(!TextFile::keepCopy(dir.file("missing.cmd"), copy));
        QVERIFY(TextFile::readBytes(copy, bytes));
        QCOMPARE(bytes, QByteArray("second"));
        // Through a symbolic link, the copy holds the data, not a second link to the file.
        QVERIFY(QFile::link(name, dir.file("lien.cmd")));
        QVERIFY(TextFile::keepCopy(dir.file("lien.cmd"), copy));
        QVERIFY(TextFile::writeBytes(name, "fourth"));
        QVERIFY(TextFile::readBytes(copy, bytes));
        QCOMPARE(bytes, QByteArray("third"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
