#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class ExchangeLog;
class FilePicker;
class MessageService;
class QTableView;

namespace Ui {
class CommunicationLogWindow;
}

// "通信记录": the exchange log as a table that follows each row as it is written, with "复制"
// (every row to the clipboard as text), "保存…" (a UTF-8 text file, one row a line) and "清空".
// Not modal; the main window keeps it while it lives.
class CommunicationLogWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PaintIntervalMs = 100;

    CommunicationLogWindow(ExchangeLog &log, MessageService &messages, QWidget *parent = nullptr);
    ~CommunicationLogWindow() override;

    // Where "保存…" gets its path; not owned.
    void setFilePicker(FilePicker *picker) { m_filePicker = picker; }
    QTableView *table() const { return m_table; }

    void copyAll();
    // True when the file was written.
    bool save();

protected:
    void changeEvent(QEvent *event) override;

private:
    void onRowsInserted();
    void fitColumns();

    std::unique_ptr<Ui::CommunicationLogWindow> m_ui;
    ExchangeLog &m_log;
    MessageService &m_messages;
    FilePicker *m_filePicker = nullptr;
    QTableView *m_table = nullptr;
    QElapsedTimer m_lastPaint;
    bool m_followPending = false;
};
