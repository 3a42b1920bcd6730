#include "app/application.h"

#include "app/mainwindow.h"
#include "app/qtmessageservice.h"

#include "model/language.h"

#include <QSettings>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Velmora"));
    setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    setOrganizationName(QStringLiteral("Velmora"));
}

int Application::run()
{
    // Chinese unless VELMORA_LANG or the choice kept from the last run says otherwise. Qt's own
    // texts (standard buttons, file dialogs) follow: Chinese ones for Chinese.
    installLanguage(startLanguage(QSettings().value(QStringLiteral("language")).toString()));

    // There is no skin library on our platforms: the platform's own look stays.
    QtMessageService messages;
    MainWindow window(m_parameters, messages);
    window.exec();
    return 0;
}
