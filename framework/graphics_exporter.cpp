#include "framework/graphics_exporter.h"

#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/picture.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImageWriter>
#include <QSaveFile>
#include <QSpinBox>

namespace fw {
namespace {

// Qt's PNG writer takes the zlib level only as a quality: level =
// (100 - quality) * 9 / 91.
int QualityForLevel(int level)
{
    return 100 - (level * 91 + 8) / 9;
}

} // namespace

bool GraphicsExporter::RequestSettings()
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("pngSettings"));
    dialog.setWindowTitle(QCoreApplication::translate("fw", "PNG Settings"));
    auto *level = new QSpinBox(&dialog);
    level->setObjectName(QStringLiteral("compressionLevel"));
    level->setRange(0, 9);
    level->setValue(compression_);
    level->setToolTip(QCoreApplication::translate("fw", "0 writes fastest, 9 writes the smallest file"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QCoreApplication::translate("fw", "Compression level (0 to 9):"), level);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    compression_ = level->value();
    return true;
}

void GraphicsExporter::SavePicture(const FolderItem &location, const Picture &picture) const
{
    QSaveFile file(QString::fromStdString(location.Path()));
    if (!file.open(QIODevice::WriteOnly))
        throw IOException(CannotSave(location.Path(), file.errorString().toStdString()));
    QImageWriter writer(&file, "png");
    writer.setQuality(QualityForLevel(compression_));
    if (!writer.write(picture.Image()))
        throw IOException(CannotSave(location.Path(), writer.errorString().toStdString()));
    if (!file.commit())
        throw IOException(CannotSave(location.Path(), file.errorString().toStdString()));
}

std::shared_ptr<GraphicsExporter> GetQTGraphicsExporter(std::string_view format)
{
    if (format != "PNGf" || !QImageWriter::supportedImageFormats().contains("png"))
        return nullptr;
    return std::make_shared<GraphicsExporter>();
}

} // namespace fw
