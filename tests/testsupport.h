#pragma once

// Shared helpers of the test programs: scripted answers to message boxes, a fixed clock and a
// temporary working directory.

#include "core/clock.h"
#include "core/prompts.h"
#include "order/orderformat.h"

#include <QDir>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

// Answers the program's message boxes from a queue and records every question asked.
class ScriptedPrompts {
public:
    ScriptedPrompts()
    {
        m_previous = Prompts::setHandler([this](const Prompts::Request &r) {
            asked.append(r);
            if (answers.isEmpty())
                return Prompts::Answer::Cancel;
            return answers.takeFirst();
        });
    }
    ~ScriptedPrompts() { Prompts::setHandler(std::move(m_previous)); }

    void answer(Prompts::Answer a) { answers.append(a); }
    QStringList texts() const
    {
        QStringList t;
        for (const auto &r : asked)
            t << r.text;
        return t;
    }

    QList<Prompts::Answer> answers;
    QList<Prompts::Request> asked;

private:
    Prompts::Handler m_previous;
};

// Holds the clock at a given moment for the life of the object.
class FixedClock {
public:
    explicit FixedClock(const QDateTime &at) : moment(at)
    {
        m_previous = Clock::setSource([this] { return moment; });
    }
    ~FixedClock() { Clock::setSource(std::move(m_previous)); }
    QDateTime moment;

private:
    Clock::Source m_previous;
};

// Makes a fresh temporary directory the working directory for the life of the object.
class TemporaryWorkingDir {
public:
    TemporaryWorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TemporaryWorkingDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

namespace TestBooks {

// The lines of an order block of one order line, numbered `number`; without its closing label
// when `close` is false.
inline QStringList block(int index, const QString &number, const QString &designation = "Vis",
                         bool close = true)
{
    QStringList lines{OrderFormat::BlockOpenLabel(index),
                      QStringLiteral("NUM") + number,
                      QStringLiteral("01/03/2000"),
                      QStringLiteral("10023"),
                      QStringLiteral("A réception"),
                      QStringLiteral("Dupont"),
                      QString(),
                      QString(),
                      QString(),
                      QStringLiteral("TTCN"),
                      QStringLiteral("CMDE") + designation + QStringLiteral("\t2\t10\t\t20\t1")};
    if (close)
        lines << OrderFormat::BlockCloseLabel(index);
    return lines;
}

} // namespace TestBooks
