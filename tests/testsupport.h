// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared helpers of the test programs: the test desktop (fakeplatform.h), a temporary working
// directory, order blocks and the check of the models' contract.

#include "fakeplatform.h"
#include "order/orderformat.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QDir>
#include <QList>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Makes a fresh temporary directory the working directory for the life of the object; the
// program's user settings (QSettings) go to another fresh one, so that no test reads or writes
// the user's own and the working directory holds only what the program writes there.
class TemporaryWorkingDir {
public:
    TemporaryWorkingDir() : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    ~TemporaryWorkingDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;
    QString m_previous;
};

// Checks the contract of every model `owner` holds, and of `owner` when it is one, at each of
// their changes for as long as the list lives; a breach fails the test.
using ModelTesters = std::vector<std::unique_ptr<QAbstractItemModelTester>>;
inline ModelTesters testModels(QObject *owner)
{
    QList<QAbstractItemModel *> models = owner->findChildren<QAbstractItemModel *>();
    if (auto *model = qobject_cast<QAbstractItemModel *>(owner))
        models.prepend(model);
    ModelTesters testers;
    for (QAbstractItemModel *model : models)
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest));
    return testers;
}

namespace TestBooks {

// One order as its block holds it; the defaults make an ordinary order of one line.
struct Order {
    QString number = QStringLiteral("200003001");
    QString date = QStringLiteral("01/03/2000");
    QString code = QStringLiteral("10023");
    QString terms = QStringLiteral("A réception");
    QStringList address = {QStringLiteral("Dupont"), QString(), QString(), QString()};
    // The price mode, then the order lines and the note.
    QStringList body = {QStringLiteral("TTCN"), QStringLiteral("CMDEVis\t2\t10\t\t20\t1")};
};

// The lines of the block of `order` labelled `index`; without its closing label when `close`
// is false.
inline QStringList block(int index, const Order &order, bool close = true)
{
    QStringList lines{OrderFormat::blockOpenLabel(index), QStringLiteral("NUM") + order.number,
                      order.date, order.code, order.terms};
    lines += order.address;
    lines += order.body;
    if (close)
        lines << OrderFormat::blockCloseLabel(index);
    return lines;
}

// The lines of an order block of one order line, numbered `number`; without its closing label
// when `close` is false.
inline QStringList block(int index, const QString &number, const QString &designation = "Vis",
                         bool close = true)
{
    Order order;
    order.number = number;
    order.body[1] = QStringLiteral("CMDE") + designation + QStringLiteral("\t2\t10\t\t20\t1");
    return block(index, order, close);
}

} // namespace TestBooks
