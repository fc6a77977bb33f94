#include "app/application.h"

#include "app/prompts.h"
#include "pricing/commanderror.h"

#include <new>

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

void Application::report(std::exception_ptr error)
{
    const QString caption = QStringLiteral("Qor Commande");
    try {
        std::rethrow_exception(error);
    } catch (const CommandError &e) {
        Prompts::error(e.message(), caption);
    } catch (const std::bad_alloc &) {
        Prompts::error(QStringLiteral("Mémoire insuffisante : l'opération a été abandonnée."),
                       caption);
    } catch (...) {
        Prompts::error(QStringLiteral("Une erreur inattendue a interrompu l'opération en cours."),
                       caption);
    }
}
