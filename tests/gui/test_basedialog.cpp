// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/basedialog.h"

#include <QScreen>
#include <QTest>

class TestBaseDialog : public QObject {
    Q_OBJECT
private slots:
    void frameHasCloseBoxOnly();
    void placement_data();
    void placement();
    void overParentFollowsTheParent();
};

void TestBaseDialog::frameHasCloseBoxOnly()
{
    for (auto placement : {BaseDialog::Placement::OverParent, BaseDialog::Placement::ScreenCentre,
                           BaseDialog::Placement::ScreenCentreOnce}) {
        const BaseDialog dialog(nullptr, placement);
        const Qt::WindowFlags flags = dialog.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        for (Qt::WindowType wanted : {Qt::CustomizeWindowHint, Qt::WindowTitleHint,
                                      Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint})
            QVERIFY(flags.testFlag(wanted));
        for (Qt::WindowType unwanted :
             {Qt::WindowContextHelpButtonHint, Qt::WindowMinimizeButtonHint,
              Qt::WindowMaximizeButtonHint, Qt::WindowStaysOnTopHint})
            QVERIFY(!flags.testFlag(unwanted));
    }
}

void TestBaseDialog::placement_data()
{
    QTest::addColumn<BaseDialog::Placement>("placement");
    QTest::addColumn<bool>("centredAgain");
    QTest::newRow("every showing") << BaseDialog::Placement::ScreenCentre << true;
    QTest::newRow("first showing only") << BaseDialog::Placement::ScreenCentreOnce << false;
}

// Shown, moved by the user, closed and shown again.
void TestBaseDialog::placement()
{
    QFETCH(BaseDialog::Placement, placement);
    QFETCH(bool, centredAgain);
    BaseDialog dialog(nullptr, placement);
    dialog.setFixedSize(200, 100);
    const QPoint centre = dialog.screen()->availableGeometry().center();

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.frameGeometry().center(), centre);

    const QPoint left(10, 20);
    dialog.move(left);
    dialog.hide();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (centredAgain)
        QCOMPARE(dialog.frameGeometry().center(), centre);
    else
        QCOMPARE(dialog.pos(), left);
}

void TestBaseDialog::overParentFollowsTheParent()
{
    QWidget parent;
    parent.setGeometry(40, 40, 300, 300);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    BaseDialog dialog(&parent, BaseDialog::Placement::OverParent);
    dialog.setFixedSize(100, 50);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(parent.frameGeometry().contains(dialog.frameGeometry()));
    QVERIFY(dialog.frameGeometry().center() != dialog.screen()->availableGeometry().center());
}

QTEST_MAIN(TestBaseDialog)
#include "test_basedialog.moc"
