// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlookup.h"

#include <QSet>

namespace SupplierLookup {

namespace {

constexpr int FirstCode = 10001;
constexpr int LastCode = 99999;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

CodeKey filterCodeKey(int key, const QString &text)
{
    // Backspace edits; Tab and Shift+Tab move to the next field, which runs the lookup.
    if (key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return CodeKey::Pass;
    if (text == QLatin1String("*"))
        return CodeKey::ReplaceWithStar;
    if (text.size() == 1 && isDigit(text.at(0)))
        return CodeKey::Pass;
    // Keys that type nothing move the cursor, delete or move the focus; leave them alone.
    if (text.isEmpty() && key != Qt::Key_Return && key != Qt::Key_Enter)
        return CodeKey::Pass;
    return CodeKey::Drop;
}

QString completeCode(const QString &code)
{
    if (code.size() >= 5)
        return code;
    return QStringLiteral("1000").left(5 - code.size()) + code;
}

QString nextSupplierCode(const QStringList &lines)
{
    int largest = FirstCode;
    QSet<int> used;
    for (const QString &line : lines) {
        if (!SupplierBook::isSupplierHeader(line) || line.size() == 5)
            continue;
        const int code = line.mid(5).toInt();
        used.insert(code);
        if (code > largest)
            largest = code;
    }
    if (largest < LastCode)
        return QString::number(largest + 1);
    // A sixth digit would make a header the supplier file no longer recognises.
    for (int code = FirstCode + 1; code <= LastCode; ++code) {
        if (!used.contains(code))
            return QString::number(code);
    }
    return QString();
}

bool lookUpSupplier(QString &code, Address &address, SupplierBook &book, bool supplierPicked,
                    const EnterSupplier &enter, const Prompts::Handler &ask)
{
    code = completeCode(code);
    const qsizetype pos = book.find(code);
    if (pos >= 0) {
        address = book.record(pos).addressLines;
        return true;
    }
    if (!SupplierBook::isStorableCode(code))
        return false;
    if (!supplierPicked) {
        const Prompts::Answer answer =
            ask({Prompts::Icon::Warning, Prompts::Buttons::YesNo, QStringLiteral("Avertissement"),
                 QStringLiteral("Créer le fournisseur ?")});
        if (answer != Prompts::Answer::Yes)
            return false;
    }
    const Address typed = enter(code);
    if (typed[0].isEmpty())
        return false;
    book.append({code, typed});
    address = book.record(book.find(code)).addressLines;
    return true;
}

QString codeRefusal(const QString &text)
{
    if (text.isEmpty() || text.startsWith(QLatin1Char('0')) || text == QLatin1String("*"))
        return QString();
    if (SupplierBook::isStorableCode(completeCode(text)))
        return QString();
    return SupplierBook::refusedCodeMessage(text);
}

bool codeFieldExit(QString &code, Address &address, SupplierBook &book, const EnterSupplier &enter,
                   const Prompts::Handler &ask)
{
    if (code.isEmpty() || code.startsWith(QLatin1Char('0')))
        return false;
    if (code == QLatin1String("*")) {
        code = nextSupplierCode(book.fileLines);
        if (code.isEmpty()) {
            ask({Prompts::Icon::Critical, Prompts::Buttons::Ok, QString(),
                 QStringLiteral("Plus aucun code fournisseur libre : le fournisseur ne peut "
                                "être créé.")});
            return false;
        }
    }
    return lookUpSupplier(code, address, book, book.chooserUsed, enter, ask);
}

QStringList chooserItems(const QStringList &lines)
{
    QStringList items;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (SupplierBook::isSupplierHeader(lines.at(i)))
            items.append(lines.at(i).mid(5, 5) + QLatin1Char(' ') + lines.at(i + 1));
    }
    return items;
}

QString chooserCode(const QString &item)
{
    const qsizetype space = item.indexOf(QLatin1Char(' '));
    return space < 0 ? item : item.left(space);
}

} // namespace SupplierLookup
