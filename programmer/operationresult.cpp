#include "programmer/operationresult.h"

#include "model/messageservice.h"

void report(const OperationResult &result, MessageService &messages, QObject *owner)
{
    if (result.completed())
        messages.info(owner, result.message);
    else
        messages.warning(result.message);
}
