// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fieldguard.h"

#include "core/textfile.h"

#include <QAbstractSpinBox>
#include <QLineEdit>

FieldGuard::FieldGuard(QLineEdit *edit, KeyRule rule)
    : QValidator(edit), m_edit(edit), m_rule(std::move(rule)), m_own(edit->validator()),
      m_taken(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_taken = text; });
}

void FieldGuard::guard(QLineEdit *edit, KeyRule rule)
{
    edit->setValidator(new FieldGuard(edit, std::move(rule)));
}

void FieldGuard::guardAll(QWidget *window)
{
    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        if (qobject_cast<const FieldGuard *>(edit->validator()) || !edit->inputMask().isEmpty() ||
            qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
            continue;
        guard(edit);
    }
}

bool FieldGuard::admit(QString &inserted, const KeyRule &rule, Lines lines)
{
    for (qsizetype i = 0; i < inserted.size(); ++i) {
        if (!TextFile::canEncode(inserted.at(i))) {
            // An emoji is two halves: the word names it whole.
            const qsizetype n = inserted.at(i).isHighSurrogate() ? 2 : 1;
            Q_EMIT FieldNotices::instance().refused(FieldNotices::refusal(inserted.mid(i, n)));
            return false;
        }
    }
    // A line break copied from a Windows program is CR LF: one break, one space.
    if (lines == Lines::One)
        inserted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString spaced = TextFile::oneLine(inserted);
    for (qsizetype i = 0; i < inserted.size(); ++i) {
        QChar c = inserted.at(i);
        if (lines == Lines::One || (c != QLatin1Char('\n') && c != QLatin1Char('\r')))
            c = spaced.at(i);
        if (rule) {
            const QChar ruled = rule(c);
            if (ruled.isNull()) {
                Q_EMIT FieldNotices::instance().refused(FieldNotices::ruledOut(c));
                return false;
            }
            c = ruled;
        }
        inserted[i] = c;
    }
    return true;
}

QValidator::State FieldGuard::validate(QString &input, int &pos) const
{
    // The user's edits leave the field modified; the program's setText does not, and what it
    // shows (a file's text) is taken as it is.
    QString pasted;
    if (m_edit->isModified()) {
        // The part inserted: what stands between the text's unchanged start and end.
        const qsizetype common = qMin(input.size(), m_taken.size());
        qsizetype start = 0;
        while (start < common && input.at(start) == m_taken.at(start))
            ++start;
        qsizetype end = 0;
        while (end < common - start &&
               input.at(input.size() - 1 - end) == m_taken.at(m_taken.size() - 1 - end))
            ++end;
        const qsizetype size = input.size() - start - end;
        QString inserted = input.mid(start, size);
        // A key types one character; more is a paste or a drop, whose surrounding breaks and
        // spaces are the source's, not the user's: a spreadsheet ends a cell with a line break.
        if (inserted.size() > 1) {
            const auto blank = [](QChar c) {
                return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
                       c == QLatin1Char('\n');
            };
            qsizetype from = 0, to = inserted.size();
            while (from < to && blank(inserted.at(from)))
                ++from;
            while (to > from && blank(inserted.at(to - 1)))
                --to;
            inserted = inserted.mid(from, to - from);
            pasted = inserted;
        }
        if (!admit(inserted, m_rule))
            return Invalid;
        input.replace(start, size, inserted);
        if (pos >= start + size)
            pos -= int(size - inserted.size());
        else if (pos > start + inserted.size())
            pos = int(start + inserted.size());
    }
    if (!m_own)
        return Acceptable;
    const State judged = m_own->validate(input, pos);
    // A key the field's own rule refuses goes unsaid, as it always has; a paste is told.
    if (judged == Invalid && !pasted.isEmpty())
        Q_EMIT FieldNotices::instance().refused(FieldNotices::pasteRefused(pasted));
    return judged;
}

void FieldGuard::fixup(QString &input) const
{
    if (m_own)
        m_own->fixup(input);
}

FieldNotices &FieldNotices::instance()
{
    // Alive for the whole run, whatever window connects to it.
    static FieldNotices *const notices = new FieldNotices;
    return *notices;
}

QString FieldNotices::refusal(const QString &character)
{
    return QStringLiteral("Caractère non pris en charge : ") + character;
}

QString FieldNotices::pasteRefused(const QString &text)
{
    return QStringLiteral("Texte refusé dans ce champ : ") + text;
}

QString FieldNotices::ruledOut(QChar character)
{
    return QStringLiteral("Caractère refusé dans ce champ : ") +
           (character == QLatin1Char(' ') ? QStringLiteral("espace") : QString(character));
}
