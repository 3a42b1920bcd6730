#pragma once

class MessageService;
class ProgrammerExchange;
class QObject;
class SelectionModel;
struct ParameterSet;

// What a programmer command works on: the parameter set, the main window's selection, the
// link, and where to report. `owner` owns the completion boxes (the main window).
struct ProgrammerContext
{
    ParameterSet &parameters;
    SelectionModel &selection;
    ProgrammerExchange &link;
    MessageService &messages;
    QObject *owner;
};

// Each command runs its fixed sequence of exchanges and stops at the first failure, reporting
// it; whatever earlier steps changed stays changed. Each returns true when it completed. A reply
// that is not a valid answer to its request (including an exception reply) counts as no reply.

// Reads name, count, address table, value table and checksum, and restores the label, the
// group boxes, the load form and the stored slots.
bool ReadProgrammer(const ProgrammerContext &context);
// Writes name, count, address table, value table and finally the checksum of the selection.
// Nothing is sent unless every address and value of the selection can be sent as it is.
bool UpdateProgrammer(const ProgrammerContext &context);
// Erases the programmer's block and resets the group boxes.
bool ClearProgrammer(const ProgrammerContext &context);
