#include "model/codepage.h"

QStringEncoder CodePageEncoder()
{
    QStringEncoder encoder("GBK");
    return encoder.isValid() ? std::move(encoder) : QStringEncoder(QStringConverter::Latin1);
}

QStringDecoder CodePageDecoder()
{
    QStringDecoder decoder("GBK");
    return decoder.isValid() ? std::move(decoder) : QStringDecoder(QStringConverter::Latin1);
}
