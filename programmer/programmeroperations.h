#pragma once

#include "model/parameterset.h"
#include "programmer/operationresult.h"

class ProgrammerExchange;
class SelectionModel;

// What a programmer command works on: the parameter set, the main window's selection and the
// link.
struct ProgrammerContext
{
    ParameterSet &parameters;
    SelectionModel &selection;
    ProgrammerExchange &link;
};

// Each command runs its fixed sequence of exchanges and stops at the first failure; whatever
// earlier steps changed stays changed. A reply that is not a valid answer to its request
// (including an exception reply) counts as no reply.

// Reads name, count, address table, value table and checksum, and restores the label, the
// group boxes, the load form and the stored slots.
OperationResult readProgrammer(const ProgrammerContext &context);
// Writes name, count, address table, value table and finally the checksum of the selection.
// Nothing is sent unless every value of the selection can be sent as it is.
OperationResult updateProgrammer(const ProgrammerContext &context);
// Erases the programmer's block and resets the group boxes.
OperationResult clearProgrammer(const ProgrammerContext &context);

// What a read found, kept apart from the window's parameters and selection.
struct BlockReading
{
    OperationResult result;
    QString productName;
    GroupSelection groups = GroupSelection::None;
    ParameterSet parameters; // the stored slots; the others hold their defaults
};
// Reads the programmer's block exactly as readProgrammer does, into a reading of its own.
BlockReading readProgrammerBlock(ProgrammerExchange &link);
