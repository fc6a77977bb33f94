#pragma once

#include "core/result.h"

#include <QApplication>
#include <QTranslator>
#include <exception>

// The program's application object. Commands run through run(), at the place where a menu
// item, a button, a key or a control starts them: an error inside one is reported in a French
// message box and the command is abandoned, while the program goes on with everything done
// before the error kept. No error is thrown through Qt's own code, which does not support it.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    // The French locale for the whole program, and Qt's own dialogs and buttons in French.
    void speakFrench();

    // The general error report: shows the error held by `error` (a CommandError with its own
    // text, any other exception with a generic text).
    static void report(std::exception_ptr error);

    // Shows a failure given back by core code, as the general error report does. Returns
    // whether the result was a success, so that a window can stop where the failure came.
    static void report(const Failure &failure);
    template <typename T> static bool succeeded(const Result<T> &result)
    {
        if (!result.ok())
            report(result.failure());
        return result.ok();
    }

    // Runs a command; an error inside it is reported and ends the command only.
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
