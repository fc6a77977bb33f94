// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QApplication>
#include <QTranslator>
#include <exception>

// The program's application object. Operations give back their failures (core/result.h); the
// window that started the command shows them here and stops, while the program goes on with
// everything done before the failure kept. Commands also run through run(), at the place where
// a menu item, a button, a key or a control starts them, so that nothing thrown (memory
// exhausted, a fault of the program) crosses Qt's own code.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    // The French locale for the whole program, and Qt's own dialogs and buttons in French.
    void speakFrench();

    // The general error report: shows a failure given back by an operation, in French.
    // succeeded() shows it when there is one and says whether the operation went through, so
    // that a window stops its command where the failure came.
    static void report(const Failure &failure);
    // A file the user named could not be written: shows why, with "Enregistrer sous..."; true
    // when the user chose it, to pick another name.
    static bool reportOfferingSaveAs(const Failure &failure);
    template <typename T> static bool succeeded(const Result<T> &result)
    {
        if (!result.ok())
            report(result.failure());
        return result.ok();
    }

    // The last resort: an exception that escaped a command (memory exhausted, a fault of the
    // program) is reported with a generic French text.
    static void report(std::exception_ptr error);

    // Runs a command; nothing thrown inside it reaches Qt's event dispatch, which does not
    // support it: it is reported and ends the command only.
    template <typename Command> static void run(Command &&command)
    {
        try {
            command();
        } catch (...) {
            report(std::current_exception());
        }
    }

private:
    QTranslator m_qtTranslator;
};
