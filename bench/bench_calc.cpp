// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation of a full order: 63 rows, the three VAT groups, both price modes.

#include "pricing/ordercalc.h"

#include <benchmark/benchmark.h>

namespace {

QList<OrderLine> fullOrder()
{
    QList<OrderLine> rows(63);
    for (int i = 0; i < rows.size(); ++i) {
        OrderLine &l = rows[i];
        l.designation = QStringLiteral("Article %1").arg(i + 1);
        l.quantity = QString::number(i % 7 + 1);
        l.unitPrice = QStringLiteral("%1,%2").arg(10 + i).arg(i % 100, 2, 10, QLatin1Char('0'));
        l.discountPercent = i % 4 == 0 ? QStringLiteral("5") : QString();
        l.vatCode = QString::number(i % 3 + 1);
    }
    return rows;
}

int measure(const QString &text)
{
    return 6 * int(text.size());
}

void calculate(benchmark::State &state)
{
    const bool includesVat = state.range(0) != 0;
    const Settings settings;
    const QList<OrderLine> typed = fullOrder();
    for (auto _ : state) {
        QList<OrderLine> rows = typed;
        const Result<OrderTotals> totals =
            OrderCalc::calculateOrder(rows, includesVat, settings, measure);
        benchmark::DoNotOptimize(totals);
    }
    state.SetItemsProcessed(state.iterations() * typed.size());
}

} // namespace

BENCHMARK(calculate)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
