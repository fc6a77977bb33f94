// SPDX-License-Identifier: GPL-3.0-or-later
// Any order file, answered Oui or Non to the repair question: every order whose block is whole
// in the file is in the book once, with its lines; every order can be shown, edited and written
// back without touching the other whole orders; the saved book reads back as it was written.

#include "../tests/fakeplatform.h"
#include "../tests/order/bookrule.h"
#include "core/prompts.h"
#include "core/result.h"
#include "core/textfile.h"
#include "fuzzsupport.h"
#include "order/orderdocument.h"
#include "order/orderformat.h"
#include "order/orderrepair.h"

#include <QFile>

namespace {

constexpr int EditedOrders = 6; // enough to meet every kind of block, few enough to stay fast

// Loads `fileName` into `document`, answering `answer` to any question.
bool load(OrderDocument &document, const QString &fileName, Prompts::Answer answer, bool &asked)
{
    static FakePlatform desktop; // stays in use: the questions after loading get the same answer
    desktop.unscripted = answer;
    desktop.asked.clear();
    const Result<bool> loaded = document.loadBook(fileName);
    asked = !desktop.asked.isEmpty();
    // A date that is not one is reported: the book is loaded all the same.
    return !loaded.ok() || *loaded;
}

void check(const QByteArray &bytes, Prompts::Answer answer)
{
    const QString name = QStringLiteral("f.cmd");
    QFile::remove(name + QStringLiteral(".lock"));
    if (!TextFile::writeBytes(name, bytes))
        Fuzz::fail("cannot write the input");
    const QStringList input = TextFile::splitLines(bytes);

    OrderDocument document;
    const OrderBook &book = document.book();
    bool asked = false;
    Fuzz::require(load(document, name, answer, asked), "load refused");
    Fuzz::require(asked == OrderRepair::isDamaged(TextLines(input)),
                  "question asked for a sound file");
    const QString loss = BookRule::check(input, book.lines().toStringList());
    Fuzz::require(loss.isEmpty(), "load", loss);
    if (asked && answer == Prompts::Answer::Yes)
        Fuzz::require(!OrderRepair::isDamaged(book.lines()), "repaired book still damaged");

    // Show, edit and write back the first orders, one after the other.
    for (int k = 0; k < qMin(book.orderCount(), EditedOrders); ++k) {
        // A date that is not one is reported: the order is shown up to it.
        static_cast<void>(document.showOrder(k));
        const QStringList before = book.lines().toStringList();
        document.setNumber(QStringLiteral("200003001"));
        document.setSupplierCode(QStringLiteral("99999"));
        document.setCell(1, 0, QStringLiteral("édité %1").arg(k));
        document.setNote({QStringLiteral("note")});
        document.writeBackOrder();
        const QString broken = BookRule::check(before, book.lines().toStringList(), k);
        Fuzz::require(broken.isEmpty(), "edit", broken);
        OrderRecord written;
        const Result<bool> decoded = OrderFormat::decode(book.lines(), k, written);
        Fuzz::require(decoded.ok() && *decoded, "edited order gone");
        Fuzz::require(written.supplierCode == QLatin1String("99999") &&
                          written.lines.value(0).designation == QStringLiteral("édité %1").arg(k),
                      "edited order not written");
    }

    if (const Result<bool> written = document.save(name); !written)
        Fuzz::fail("save", written.message());
    const QStringList saved = book.lines().toStringList();

    OrderDocument reloaded;
    static_cast<void>(document.newBook()); // releases the file
    load(reloaded, name, answer, asked);
    const TextLines &again = reloaded.book().lines();
    if (again != saved) {
        qsizetype i = 0;
        while (i < saved.size() && i < again.size() && saved.at(i) == again.at(i))
            ++i;
        Fuzz::fail("saved book reads back otherwise",
                   QStringLiteral("at line %1: '%2' read as '%3'")
                       .arg(i)
                       .arg(saved.value(i), again.value(i)));
    }
    if (answer == Prompts::Answer::Yes)
        Fuzz::require(!asked, "saved book found damaged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    check(bytes, Prompts::Answer::Yes);
    check(bytes, Prompts::Answer::No);
    return 0;
}
