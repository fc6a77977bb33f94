// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/iconfiles.h"
#include "gui/programpicture.h"
#include "gui/toolicons.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>

namespace {

// The rectangle of the pixels that are not fully transparent.
QRect drawnArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT
private slots:
    void everyIconFileDraws();
    void everyToolIconDraws();
    void programPictureFillsWhatItIsGiven();
};

// A file missing from the resources, an SVG Qt cannot read or a missing SVG icon engine all
// give an empty picture.
void TestIcons::everyIconFileDraws()
{
    const QString folder = QFileInfo(IconFiles::path(QStringLiteral("program"))).path();
    const QStringList files = QDir(folder).entryList();
    QVERIFY(files.contains(QStringLiteral("program.svg")));
    QVERIFY(files.size() >= 9);
    for (const QString &file : files) {
        const QIcon icon(IconFiles::path(QFileInfo(file).completeBaseName()));
        for (int side : {16, 20, 32}) {
            const QImage image = icon.pixmap(side).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            const QRect area = drawnArea(image);
            QVERIFY2(area.width() > side / 2 && area.height() > side / 2, qPrintable(file));
        }
    }
}

void TestIcons::everyToolIconDraws()
{
    for (int k = 0; k <= int(ToolIcons::Kind::AwaitedOrders); ++k) {
        const QIcon icon = ToolIcons::icon(ToolIcons::Kind(k));
        QVERIFY(!icon.isNull());
        QVERIFY(!drawnArea(icon.pixmap(20).toImage()).isEmpty());
    }
}

// The splash and the about box ask for sizes of other proportions than the square picture:
// the sheet is stretched to them, from top to bottom.
void TestIcons::programPictureFillsWhatItIsGiven()
{
    const QImage tall = ProgramPicture::pixmap(QSize(89, 113)).toImage();
    QCOMPARE(tall.size(), QSize(89, 113));
    const QRect area = drawnArea(tall);
    QVERIFY(area.top() <= 5);
    QVERIFY(area.bottom() >= 107);
    QVERIFY(area.left() >= 10 && area.right() <= 78);

    const QIcon icon = ProgramPicture::icon();
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icon.availableSizes().contains(QSize(128, 128)));
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
