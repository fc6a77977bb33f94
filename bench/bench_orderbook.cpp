// SPDX-License-Identifier: GPL-3.0-or-later
// The order book on the largest file its labels allow: 10000 orders of 20 lines each.

#include "../tests/fakeplatform.h"
#include "core/textfile.h"
#include "order/orderdocument.h"
#include "order/orderformat.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QStringList largeBook(int orders, int rows)
{
    QStringList lines;
    lines.reserve(orders * (rows + 12));
    for (int k = orders - 1; k >= 0; --k) { // blocks stored in reverse, as rewriting leaves them
        OrderRecord r;
        r.number = QString::number(200001000 + k).leftJustified(9);
        r.date = QDate(2000, 1, 1 + k % 28);
        r.supplierCode = QStringLiteral("10023");
        r.paymentTerms = QStringLiteral("Réglement à 30 jours");
        r.addressLines = {QStringLiteral("Dupont SA"), QStringLiteral("12 rue des Lilas"),
                          QStringLiteral("75011 Paris"), QString()};
        for (int i = 0; i < rows; ++i) {
            OrderLine l;
            l.designation = QStringLiteral("Article %1").arg(i);
            l.quantity = QStringLiteral("          3");
            l.unitPrice = QStringLiteral("      12,50");
            l.amount = QStringLiteral("      37,50");
            l.vatCode = QStringLiteral("1");
            r.lines.append(l);
        }
        lines += OrderFormat::encodeBlock(r, k);
    }
    return lines;
}

struct BookFile {
    QTemporaryDir dir;
    QString name = dir.filePath(QStringLiteral("big.cmd"));
    BookFile(int orders, int rows)
    {
        (void)TextFile::write(name, TextLines(largeBook(orders, rows)));
    }
};

void BM_LoadLargeBook(benchmark::State &state)
{
    BookFile file(int(state.range(0)), 20);
    for (auto _ : state) {
        OrderDocument document;
        static_cast<void>(document.loadBook(file.name));
        benchmark::DoNotOptimize(document.book().orderCount());
    }
}
BENCHMARK(BM_LoadLargeBook)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StepThroughEditing(benchmark::State &state)
{
    BookFile file(10000, 20);
    OrderDocument document;
    static_cast<void>(document.loadBook(file.name));
    for (auto _ : state) {
        document.setAddressLine(3, QStringLiteral("modifié"));
        static_cast<void>(
            document.nextOrder()); // writes the edited order back and shows the next one
        if (document.book().currentOrder() == document.book().orderCount() - 1)
            static_cast<void>(document.firstOrder());
    }
}
BENCHMARK(BM_StepThroughEditing)->Unit(benchmark::kMicrosecond);

void BM_RepairLargeBook(benchmark::State &state)
{
    // An unbalanced file, loaded: the repair rebuilds it block by block.
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("damaged.cmd"));
    QStringList text = largeBook(10000, 20);
    text.removeLast();
    (void)TextFile::write(name, TextLines(text));
    FakePlatform desktop;
    desktop.unscripted = Prompts::Answer::Yes;
    for (auto _ : state) {
        OrderDocument document;
        static_cast<void>(document.loadBook(name));
        benchmark::DoNotOptimize(document.book().lines().size());
    }
}
BENCHMARK(BM_RepairLargeBook)->Unit(benchmark::kMillisecond);

void BM_SaveLargeBook(benchmark::State &state)
{
    BookFile file(10000, 20);
    OrderDocument document;
    static_cast<void>(document.loadBook(file.name));
    for (auto _ : state) {
        document.setFileModified(true);
        static_cast<void>(document.save(file.name));
    }
}
BENCHMARK(BM_SaveLargeBook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
