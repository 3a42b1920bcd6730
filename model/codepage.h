#pragma once

#include <QStringDecoder>
#include <QStringEncoder>

// Texts outside the program (parameter files, the product name on the programmer) are code
// page 936. Latin-1 stands in should the platform lack a GBK converter: the built-in product
// names and every address and value are ASCII, which both encode alike.
// Initialise a variable with them directly (QStringDecoder d = codePageDecoder();): moving a
// converter breaks its error reporting, see codepage.cpp.
QStringEncoder codePageEncoder();
QStringDecoder codePageDecoder();
