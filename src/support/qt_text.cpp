#include "support/qt_text.h"

#include "platform/ansi_utf8.h"

QString FromAnsi(const std::string& text)
{
    return QString::fromStdString(AnsiToUtf8(text));
}

std::string ToAnsi(const QString& text)
{
    return Utf8ToAnsi(text.toStdString());
}
