// SPDX-License-Identifier: GPL-3.0-or-later
// The order parameters dialog, driven with real keys, and the order parameters command.

#include "core/textfile.h"
#include "settings/orderparameters.h"
#include "settings/orderparametersdialog.h"
#include "settings/settingsfile.h"
#include "testsupport.h"
#include "utilities/euroconverterwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

QLineEdit *edit(QWidget *dialog, int k)
{
    // k as the fields stand: the euro rate, the three VAT rates, the five terms.
    const QString name = k == 1   ? QStringLiteral("EuroRate")
                         : k <= 4 ? QStringLiteral("VatRate%1").arg(k - 1)
                                  : QStringLiteral("PaymentTerm%1").arg(k - 4);
    return dialog->findChild<QLineEdit *>(name);
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(name), Qt::LeftButton);
}

// Runs the script once the dialog is up; a dialog left open by a failed check is closed so
// that the test ends.
void whenShown(const std::function<void(OrderParametersDialog *)> &script)
{
    QTimer::singleShot(0, [script] {
        auto *dialog = qobject_cast<OrderParametersDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        script(dialog);
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
}

void retype(QLineEdit *e, const QString &text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

QStringList fileLines()
{
    QStringList lines;
    (void)TextFile::read("QorCmd.ini", lines);
    return lines;
}

} // namespace

class TestOrderParametersDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutSettingsFileShowsDefaultsAndOkWritesTheFile()
    {
        TemporaryWorkingDir dir;
        Settings s;
        OrderParametersDialog dialog;
        EuroConverterWindow converter;
        converter.setRateAndDirection(655957, 2);
        QStringList shown;
        whenShown([&](OrderParametersDialog *d) {
            for (int k = 1; k <= 9; ++k)
                shown << edit(d, k)->text();
            QVERIFY(d->findChild<QRadioButton *>("CurrencyFranc")->isChecked());
            QVERIFY(!d->findChild<QCheckBox *>("ShowConverted")->isChecked());
            click(d, "OkButton");
        });
        QVERIFY(runOrderParameters(dialog, converter, s, s.autoOpenFileName));
        QCOMPARE(shown, (QStringList{"6,55957", "20,60", "0,00", "5,50", "A réception",
                                     "Réglement à 30 jours", "Réglement à 60 jours",
                                     "Réglement à 90 jours", "En votre aimable réglement"}));
        QCOMPARE(s.converterDirection, 2); // the converter's direction became the setting
        QCOMPARE(fileLines().size(), 14);
        QCOMPARE(fileLines().at(0), QString(" 6.55957000000000E+0005"));
    }

    void rateFieldsTakeDigitsAndComma_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point becomes comma") << "12.5"
                                             << "12,5";
        QTest::newRow("letters, sign, exponent, space dropped") << "-1a2E3 x"
                                                                << "123";
    }
    void rateFieldsTakeDigitsAndComma()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        OrderParametersDialog dialog;
        for (int k = 1; k <= 4; ++k) {
            retype(edit(&dialog, k), typed);
            QCOMPARE(edit(&dialog, k)->text(), shown);
        }
        retype(edit(&dialog, 5), typed); // payment terms take any text
        QCOMPARE(edit(&dialog, 5)->text(), typed);
    }

    // How the dialog is closed decides whether Result hands the values back.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("previouslyConfirmed");
        QTest::addColumn<bool>("applied");
        QTest::newRow("OK") << "ok" << false << true;
        QTest::newRow("Enter in a rate field") << "enter" << false << true;
        QTest::newRow("Annuler") << "cancel" << true << false;
        QTest::newRow("Escape") << "escape" << true << false;
        QTest::newRow("close box, never confirmed") << "close" << false << false;
        QTest::newRow("close box after an OK") << "close" << true << true;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, previouslyConfirmed);
        QFETCH(bool, applied);
        OrderParametersDialog dialog;
        if (previouslyConfirmed) {
            whenShown([](OrderParametersDialog *d) { QTest::keyClick(edit(d, 1), Qt::Key_Enter); });
            dialog.exec();
        }
        const Settings before;
        dialog.load(0, 0, before.euroRate, 20.6L, 0, 5.5L, before.paymentTerms);
        bool openAfterEnterInTerm = false;
        whenShown([&](OrderParametersDialog *d) {
            retype(edit(d, 1), "7.5");
            retype(edit(d, 5), "Comptant");
            QTest::keyClick(edit(d, 5), Qt::Key_Return);
            openAfterEnterInTerm = d->isVisible();
            edit(d, 1)->setFocus();
            if (how == "ok")
                click(d, "OkButton");
            else if (how == "enter")
                QTest::keyClick(edit(d, 1), Qt::Key_Return);
            else if (how == "cancel")
                click(d, "CancelButton");
            else if (how == "escape")
                QTest::keyClick(edit(d, 1), Qt::Key_Escape);
            else
                d->close();
        });
        dialog.exec();
        QVERIFY(openAfterEnterInTerm);
        QVERIFY(!dialog.isVisible());
        Settings s;
        dialog.apply(s.euroRate, s.vatRates[0], s.vatRates[1], s.vatRates[2], s.euroMode,
                     s.singleCurrency, s.paymentTerms);
        QCOMPARE(s.euroRate, applied ? Real(7.5) : before.euroRate);
        QCOMPARE(s.paymentTerms.value(0), QString(applied ? "Comptant" : "A réception"));
    }

    void clearedVatRateStopsTheRatesButTheRestApplies()
    {
        OrderParametersDialog dialog;
        dialog.load(0, 0, 6.55957L, 20.6L, 0, 5.5L, {"a", "b", "c", "d", "e"});
        whenShown([](OrderParametersDialog *d) {
            retype(edit(d, 1), "7");
            retype(edit(d, 2), "");
            retype(edit(d, 4), "9");
            retype(edit(d, 6), "");
            retype(edit(d, 8), "   ");
            for (const char *name : {"CurrencyEuro", "ShowConverted"}) {
                auto *option = d->findChild<QAbstractButton *>(name);
                option->setFocus();
                QTest::keyClick(option, Qt::Key_Space);
            }
            QTest::keyClick(edit(d, 3), Qt::Key_Enter);
        });
        dialog.exec();
        Real euro = 1, vat1 = 20.6L, vat2 = 0, vat3 = 5.5L;
        int mode = 0, single = 0;
        QStringList terms;
        dialog.apply(euro, vat1, vat2, vat3, mode, single, terms);
        QCOMPARE(euro, Real(7));
        QCOMPARE(vat3, 5.5L);
        QCOMPARE(mode, 1);
        QCOMPARE(single, 1);
        QCOMPARE(terms, (QStringList{"a", "c", "   ", "e"}));
    }

    void moreThanFiveTermsShownFiveKeptAfterOk()
    {
        TemporaryWorkingDir dir;
        QVERIFY(
            TextFile::write("QorCmd.ini", {"0", "6.55957", "20.6", "0", "5.5", "x.cmd", "1", "0",
                                           "0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"}));
        Settings s;
        QVERIFY(SettingsFile::loadSettings(s));
        QCOMPARE(s.paymentTerms.size(), 7);
        OrderParametersDialog dialog;
        EuroConverterWindow converter;
        whenShown([](OrderParametersDialog *d) { QTest::keyClick(edit(d, 1), Qt::Key_Return); });
        QVERIFY(runOrderParameters(dialog, converter, s, s.autoOpenFileName));
        QCOMPARE(s.paymentTerms, (QStringList{"t1", "t2", "t3", "t4", "t5"}));
        QCOMPARE(fileLines().size(), 14);
        QCOMPARE(fileLines().at(5), QString("x.cmd"));
    }
};

QTEST_MAIN(TestOrderParametersDialog)
#include "test_orderparametersdialog.moc"
