// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/application.h"

#include "core/prompts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <new>

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

void Application::speakFrench()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (m_qtTranslator.load(QStringLiteral("qtbase_fr"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
}

static QString reportCaption()
{
    return QStringLiteral("Qor Commande");
}

void Application::report(const Failure &failure)
{
    Prompts::error(failure.message(), reportCaption());
}

bool Application::reportOfferingSaveAs(const Failure &failure)
{
    return Prompts::ask({Prompts::Icon::Critical,
                         Prompts::Buttons::Ok,
                         reportCaption(),
                         failure.message(),
                         {QStringLiteral("Enregistrer sous...")}}) == Prompts::Answer::FirstAction;
}

void Application::report(std::exception_ptr error)
{
    const QString caption = reportCaption();
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        Prompts::error(QStringLiteral("Mémoire insuffisante : l'opération a été abandonnée."),
                       caption);
    } catch (...) {
        Prompts::error(QStringLiteral("Une erreur inattendue a interrompu l'opération en cours."),
                       caption);
    }
}
