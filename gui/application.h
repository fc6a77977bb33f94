#pragma once

#include <QApplication>
#include <QTranslator>
#include <exception>

// The program's application object. An error raised inside a command reaches the event loop
// here: it is reported in a French message box and the command is abandoned, while the
// program goes on with everything done before the error kept.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    // The French locale for the whole program, and Qt's own dialogs and buttons in French.
    void speakFrench();

    bool notify(QObject *receiver, QEvent *event) override;

    // The general error report: shows the error held by `error` (a CommandError with its own
    // text, any other exception with a generic text).
    static void report(std::exception_ptr error);

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
