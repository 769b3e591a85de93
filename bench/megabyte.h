#pragma once

#include <QString>

// A megabyte of text, as a user might paste by mistake: mixed scripts.
inline QString Megabyte()
{
    const QString line
        = QStringLiteral("The quick brown fox jumps over the lazy dog. \u00C9t\u00E9, \u05E9\u05DC\u05D5\u05DD, "
                         "\u0645\u0631\u062D\u0628\u0627, \u4F60\u597D. ");
    QString text;
    while (text.toUtf8().size() < (1 << 20))
        text += line.repeated(1000);
    return text;
}
