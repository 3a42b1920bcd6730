#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

// "About KTX": the application icon, "KTX 1.0 ", the program's version below it and an OK
// button "确定".
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
