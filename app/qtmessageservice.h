#pragma once

#include "model/messageservice.h"

// Message boxes on QMessageBox, caption "KTX". Standard button texts come from Qt's
// translations, which the application loads for zh_CN.
class QtMessageService : public MessageService
{
public:
    void warning(const QString &text) override;
    void info(QObject *owner, const QString &text) override;
    Answer question(QObject *owner, const QString &text, const QString &accept,
                    const QString &decline) override;
};
