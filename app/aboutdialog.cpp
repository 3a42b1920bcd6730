#include "app/aboutdialog.h"

#include "app/drawnicon.h"
#include "model/texts.h"
#include "ui_aboutdialog.h"

#include <QIcon>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const QIcon icon = drawnIcon(QStringLiteral(":/icons/app.svg"), {16, 32, 64});
    setWindowIcon(icon);
    m_ui->iconLabel->setPixmap(icon.pixmap(QSize(32, 32), devicePixelRatio()));
    m_ui->iconLabel->setAccessibleName(Text::appName());
    m_ui->textLabel->setAccessibleName(m_ui->textLabel->text());
    m_ui->versionLabel->setText(Text::aboutVersion());
    m_ui->versionLabel->setAccessibleName(m_ui->versionLabel->text());
    m_ui->okButton->setAccessibleName(m_ui->okButton->text());
}

AboutDialog::~AboutDialog() = default;
