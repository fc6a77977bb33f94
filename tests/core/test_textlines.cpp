// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "core/textlines.h"

#include <QBuffer>
#include <QTest>

namespace {

// What a file of these lines holds.
QByteArray crLf(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QByteArray written(const TextLines &lines)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!lines.writeTo(buffer))
        return "(write failed)";
    return buffer.data();
}

} // namespace

class TestTextLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one line end") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("no last line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("bare CR and LF") << QByteArray("a\rb\nc\r") << QStringList{"a", "b", "c"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\n") << QStringList{"a", ""};
        QTest::newRow("NUL bytes")
            << QByteArray("\0a\0\r\n\0", 6)
            << QStringList{QString(QChar(0)) + "a" + QChar(0), QString(QChar(0))};
        // Line ends on both sides of the 16 bytes looked at together.
        QTest::newRow("long lines") << QByteArray("0123456789abcde\r\n0123456789abcdef\r")
                                    << QStringList{"0123456789abcde", "0123456789abcdef"};
    }
    void lineEnds()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        const TextLines read = TextLines::fromBytes(file);
        QCOMPARE(read.toStringList(), lines);
        QCOMPARE(TextFile::splitLines(file), lines);
        QCOMPARE(read.join(), TextFile::joinLines(lines));
        QCOMPARE(written(read), read.join());
    }

    void everyByteValueRoundTrips()
    {
        // Each byte alone on a line, then all of them on one line: read, taken as text, given
        // back as text, and written, they come out as they went in.
        QList<QByteArray> lines;
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            if (b == '\r' || b == '\n')
                continue;
            lines.append(QByteArray(1, char(b)));
            all.append(char(b));
        }
        lines.append(all);
        const QByteArray file = crLf(lines);
        const TextLines read = TextLines::fromBytes(file);
        QCOMPARE(read.size(), lines.size());
        QCOMPARE(read.join(), file);
        // Lines hold the byte values in turn, CR and LF left out.
        QCOMPARE(read.at(0x80 - 2), QStringLiteral("\u20AC"));
        QCOMPARE(read.at(0x81 - 2), QStringLiteral("\u0081"));
        const TextLines again(read.toStringList());
        QCOMPARE(again.join(), file);
        QCOMPARE(written(again), file);
        QVERIFY(again == read);
        for (qsizetype i = 0; i < read.size(); ++i)
            QCOMPARE(read.bytes(i), QByteArrayView(lines.at(i)));
    }

    void editsKeepTheLinesInOrder()
    {
        // A file read with mixed line ends, then lines removed, added and rewritten in the
        // middle, at both ends, and often enough that the buffer is packed again.
        TextLines lines = TextLines::fromBytes("one\ntwo\r\nthree\rfour\r\nfive");
        QStringList expected{"one", "two", "three", "four", "five"};
        lines.remove(1, 2);
        expected.remove(1, 2);
        lines << QStringLiteral("six") << QString();
        expected << "six"
                 << "";
        lines.prepend(QStringLiteral("zero"));
        expected.prepend("zero");
        for (int round = 0; round < 20000; ++round) {
            const QString text = QStringLiteral("line %1").arg(round);
            lines.replace(2, text);
            expected[2] = text;
        }
        lines.removeFirst();
        expected.removeFirst();
        lines.appendLine(lines, 1);
        expected << expected.at(1);
        QCOMPARE(lines.toStringList(), expected);
        QCOMPARE(lines.textSize(), expected.join(QString()).size());
        QCOMPARE(lines.join(), TextFile::joinLines(expected));
        QCOMPARE(written(lines), TextFile::joinLines(expected));
    }

    void copiesAreIndependent()
    {
        const TextLines original = TextLines::fromBytes("a\r\nb\r\n");
        TextLines copy = original;
        QVERIFY(copy.isSharedWith(original));
        copy.replace(0, QStringLiteral("c"));
        QVERIFY(!copy.isSharedWith(original));
        QCOMPARE(original.toStringList(), (QStringList{"a", "b"}));
        QCOMPARE(copy.toStringList(), (QStringList{"c", "b"}));
        QVERIFY(!(copy == original));
    }

    void textOutsideTheCodePageReadsBackUntilWritten()
    {
        // What the user typed stays on screen as typed; the file gets '?' for what the code
        // page cannot hold, as any other file does.
        TextLines lines{QStringLiteral("a\u03A9\u20AC"), QStringLiteral("a?\u20AC")};
        QCOMPARE(lines.at(0), QStringLiteral("a\u03A9\u20AC"));
        QCOMPARE(lines.bytes(0), QByteArrayView("a?\x80"));
        QCOMPARE(lines.join(), QByteArray("a?\x80\r\na?\x80\r\n"));
        QVERIFY(!lines.sameLine(0, 1));
        QCOMPARE(lines.indexOf(QStringLiteral("a?\u20AC")), 1);
        QCOMPARE(lines.indexOf(QStringLiteral("A\u03C9\u20AC")), -1);
        QVERIFY(lines.equalsIgnoringCase(0, QStringLiteral("A\u03C9\u20AC")));
        QVERIFY(!lines.equalsIgnoringCase(1, QStringLiteral("a\u03A9\u20AC")));
        QVERIFY(!(lines == TextLines::fromBytes(lines.join())));
        QVERIFY(lines == lines.toStringList());
        lines.appendLine(lines, 0);
        QCOMPARE(lines.at(2), lines.at(0));
        QVERIFY(lines.sameLine(0, 2));
    }

    void letterCaseIsIgnoredAsTextComparesIt_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII letters") << QByteArray("<BLOC0001>") << QStringLiteral("<bloc0001>");
        QTest::newRow("signs 0x20 apart") << QByteArray("@[\\]^") << QStringLiteral("`{|}~");
        QTest::newRow("digit and sign") << QByteArray("1") << QStringLiteral("\u0011");
        QTest::newRow("accented") << QByteArray("\xC9t\xC9") << QStringLiteral("\u00E9T\u00E9");
        QTest::newRow("code page letters")
            << QByteArray("\x8A\x9F") << QStringLiteral("\u0161\u00FF");
        QTest::newRow("sharp s") << QByteArray("\xDF") << QStringLiteral("ss");
        QTest::newRow("different") << QByteArray("NUM1") << QStringLiteral("NUM2");
    }
    void letterCaseIsIgnoredAsTextComparesIt()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        const TextLines lines = TextLines::fromBytes(line);
        QCOMPARE(lines.equalsIgnoringCase(0, text),
                 lines.at(0).compare(text, Qt::CaseInsensitive) == 0);
    }
};

QTEST_GUILESS_MAIN(TestTextLines)
#include "test_textlines.moc"
