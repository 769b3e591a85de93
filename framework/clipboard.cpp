#include "framework/clipboard.h"

#include "framework/picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace fw {

void Clipboard::SetPicture(const Picture &picture)
{
    QGuiApplication::clipboard()->setImage(picture.Image());
}

void Clipboard::SetText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace fw
