#pragma once

#include "app/selectionstate.h"

#include <QDialog>

#include <memory>

class MessageService;
struct ParameterSet;
class QLabel;
class QAbstractButton;

namespace Ui {
class MainWindow;
}

// The program's only top-level window, run modally; closing it ends the program. It routes
// every command to its handler and keeps the selection state that operations read and restore.
class MainWindow : public QDialog, public SelectionState
{
    Q_OBJECT

public:
    MainWindow(ParameterSet &parameters, MessageService &messages, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The control with the given numeric id (see controlids.h), or nullptr.
    QWidget *control(int id) const;

    // SelectionState
    QString productName() const override;
    void setProductName(const QString &name) override;
    bool batteryBoxChecked() const override;
    void setBatteryBoxChecked(bool checked) override;
    bool loadBoxChecked() const override;
    void setLoadBoxChecked(bool checked) override;
    bool generalLoad() const override;
    void setGeneralLoad(bool general) override;
    void ApplyGroupEnabling() override;
    void ClearGroupBoxes() override;
    GroupSelection CurrentGroupSelection() const override;

public slots:
    void TogglePort();
    void OnProductSelected(int index);
    void OnBatteryGroupClicked();
    void OnLoadGroupClicked();
    void OnBatteryParameters();
    void OnLoadParameters();
    void SaveParameters();
    void ImportParameters();
    void OnReadProgrammer();
    void OnUpdateProgrammer();
    void OnClearProgrammer();
    void OnTimeSync();
    void ShowAbout();

protected:
    void keyPressEvent(QKeyEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private:
    void setLabelText(QLabel *label, const QString &text);
    void setButtonCaption(QAbstractButton *button, const QString &caption);
    void installAboutEntry();

    std::unique_ptr<Ui::MainWindow> m_ui;
    ParameterSet &m_parameters;
    MessageService &m_messages;
    // Which load form the load group button opens; always agrees with its caption.
    bool m_generalLoad = true;
};
