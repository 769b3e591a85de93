#include "framework/clipboard.h"

#include "framework/picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace fw {

void Clipboard::SetPicture(const Picture &picture)
{
    // As the PNG has it: 8-bit RGB greys.
    QGuiApplication::clipboard()->setImage(picture.Image().convertToFormat(QImage::Format_RGB888));
}

void Clipboard::SetText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace fw
