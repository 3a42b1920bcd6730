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
    // A Qt installation (Debian's too) keeps qtbase_zh_CN.qm in Qt's translations folder;
    // windeployqt gathers Qt's catalogues into translations/qt_zh_CN.qm beside the program.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    if (m_qtTranslator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        m_qtTranslator.load(chinese, QStringLiteral("qt"), QStringLiteral("_"),
                            applicationDirPath() + QStringLiteral("/translations")))
        installTranslator(&m_qtTranslator);

    // There is no skin library on our platforms: the platform's own look stays.
    QtMessageService messages;
    MainWindow window(m_parameters, messages);
    window.exec();
    return 0;
}
