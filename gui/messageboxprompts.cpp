#include "gui/messageboxprompts.h"

#include "core/prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace MessageBoxPrompts {

namespace {

QString defaultCaption(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QStringLiteral("Information");
    case Prompts::Icon::Warning:
        return QStringLiteral("Avertissement");
    case Prompts::Icon::Question:
        return QStringLiteral("Confirmation");
    case Prompts::Icon::Critical:
        return QStringLiteral("Erreur");
    }
    return QString();
}

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

Prompts::Answer show(const Prompts::Request &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(boxIcon(request.icon));
    box.setWindowTitle(request.caption.isEmpty() ? defaultCaption(request.icon) : request.caption);
    box.setText(request.text);

    struct Choice {
        QString text;
        QMessageBox::ButtonRole role;
        Prompts::Answer answer;
    };
    QList<Choice> choices;
    switch (request.buttons) {
    case Prompts::Buttons::Ok:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, Prompts::Answer::Ok}};
        break;
    case Prompts::Buttons::OkCancel:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, Prompts::Answer::Ok},
                   {QStringLiteral("Annuler"), QMessageBox::RejectRole, Prompts::Answer::Cancel}};
        break;
    case Prompts::Buttons::YesNo:
        choices = {{QStringLiteral("&Oui"), QMessageBox::YesRole, Prompts::Answer::Yes},
                   {QStringLiteral("&Non"), QMessageBox::NoRole, Prompts::Answer::No}};
        break;
    case Prompts::Buttons::YesNoCancel:
        choices = {{QStringLiteral("&Oui"), QMessageBox::YesRole, Prompts::Answer::Yes},
                   {QStringLiteral("&Non"), QMessageBox::NoRole, Prompts::Answer::No},
                   {QStringLiteral("Annuler"), QMessageBox::RejectRole, Prompts::Answer::Cancel}};
        break;
    }

    QList<QPushButton *> buttons;
    for (const Choice &choice : choices)
        buttons << box.addButton(choice.text, choice.role);
    box.setDefaultButton(buttons.first());
    box.setEscapeButton(buttons.last());

    box.exec();
    // Closing the box with its close box counts as Escape.
    const qsizetype chosen = buttons.indexOf(static_cast<QPushButton *>(box.clickedButton()));
    return chosen < 0 ? choices.last().answer : choices.at(chosen).answer;
}

} // namespace

void install()
{
    Prompts::setHandler(show);
}

} // namespace MessageBoxPrompts
