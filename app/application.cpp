#include "app/application.h"

#include "app/mainwindow.h"
#include "app/qtmessageservice.h"

#include <QLibraryInfo>
#include <QLocale>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Velmora"));
    setApplicationVersion(QStringLiteral(VELMORA_VERSION));
}

int Application::run()
{
    // Standard buttons and file dialogs read in Simplified Chinese, like the program's own texts.
    if (m_qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);

    // There is no skin library on our platforms: the platform's own look stays.
    QtMessageService messages;
    MainWindow window(m_parameters, messages);
    window.exec();
    return 0;
}
