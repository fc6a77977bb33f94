// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QValidator>
#include <functional>

class QLineEdit;

// What a field takes in when the user types, pastes (keyboard, context menu, middle button) or
// drops text: every field is one line of a file, so a TAB, CR or LF becomes a space; a
// character the files' code page cannot hold is refused, never written as '?', and
// FieldNotices says which; a field with a key filter applies it to every character inserted,
// and FieldNotices says which it refused. Breaks and spaces around a pasted text are dropped.
// Text the program puts in the field itself is taken as it stands.
class FieldGuard : public QValidator {
    Q_OBJECT
public:
    // The character a key filter lets in for `c`; a null QChar refuses it, and with it the
    // whole insertion.
    using KeyRule = std::function<QChar(QChar)>;

    // Guards `edit`; a validator it had still judges the whole text once the guard took it.
    static void guard(QLineEdit *edit, KeyRule rule = {});
    // Guards every line edit under `window` that has no guard yet (combo boxes' own included).
    // Masked fields and spin boxes keep their own rules.
    static void guardAll(QWidget *window);

    enum class Lines { One, Kept };
    // Makes `inserted` what a field takes in; false when it refuses it. A note keeps its line
    // breaks (Lines::Kept).
    static bool admit(QString &inserted, const KeyRule &rule = {}, Lines lines = Lines::One);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    FieldGuard(QLineEdit *edit, KeyRule rule);

    QLineEdit *m_edit;
    KeyRule m_rule;
    QPointer<const QValidator> m_own; // the field's validator before the guard
    QString m_taken;                  // the field's text before the change being judged
};

// Tells the main window of a character a field refused, for its status bar.
class FieldNotices : public QObject {
    Q_OBJECT
public:
    static FieldNotices &instance();
    // "Caractère non pris en charge : ≥"
    static QString refusal(const QString &character);
    // "Caractère refusé dans ce champ : -", for a character the field's key rule refuses
    static QString ruledOut(QChar character);
    // "Texte refusé dans ce champ : 100234", for a paste the field's own validator refuses
    static QString pasteRefused(const QString &text);

Q_SIGNALS:
    void refused(const QString &message);
};
