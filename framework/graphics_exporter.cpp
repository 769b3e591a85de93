#include "framework/graphics_exporter.h"

#include "framework/atomic_file.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/picture.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImageWriter>
#include <QPushButton>
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

void GraphicsExporter::RequestSettings()
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("pngSettings"));
    dialog.setWindowTitle(QCoreApplication::translate("fw", "PNG Settings"));
    auto *level = new QSpinBox(&dialog);
    level->setObjectName(QStringLiteral("compressionLevel"));
    level->setRange(0, 9);
    level->setValue(compression_);
    level->setToolTip(QCoreApplication::translate("fw", "0 writes fastest, 9 writes the smallest file"));
    // Room for the digit beside the arrows, whatever the style's frame, and
    // the digit in the middle of it, clear of the cursor at its edge; selected,
    // so that typing replaces it.
    level->setMinimumWidth(level->sizeHint().width() + level->fontMetrics().horizontalAdvance(QStringLiteral("00")));
    level->setAlignment(Qt::AlignCenter);
    level->selectAll();
    // The file is written however the dialog is left, so there is no
    // button that would say otherwise.
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QCoreApplication::translate("fw", "Save"), QDialogButtonBox::AcceptRole)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QCoreApplication::translate("fw", "Compression level (0 to 9):"), level);
    form->addRow(buttons);
    dialog.exec();
    compression_ = level->value();
}

void GraphicsExporter::SavePicture(const FolderItem &location, const Picture &picture) const
{
    AtomicFile file(location.Path());
    // Encoded in memory, so that a write error is the file's to report, with
    // its reason, rather than the encoder's.
    file.Write(EncodePng(picture, compression_, location.Path()));
    file.Commit();
}

namespace {

std::string Encoded(const QImage &image, int level, const std::string &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(QualityForLevel(level));
    if (!writer.write(image))
        throw IOException(CannotSave(path, writer.errorString().toStdString()));
    return png.toStdString();
}

} // namespace

std::string EncodePng(const Picture &picture, int level, const std::string &path)
{
    const QImage &greys = picture.View();
    if (greys.format() == QImage::Format_RGB888)
        return Encoded(greys, level, path);
    // Bytes in the file's order, so that the writer converts nothing.
    QImage image(greys.size(), QImage::Format_RGB888);
    const int width = greys.width();
    for (int y = 0; y < greys.height(); ++y) {
        const uchar *from = greys.constScanLine(y);
        uchar *to = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            to[3 * x] = to[3 * x + 1] = to[3 * x + 2] = from[x];
    }
    return Encoded(image, level, path);
}

std::string EncodeRgbaPng(const std::uint8_t *pixels, int width, int height, int level, const std::string &path)
{
    return Encoded(QImage(pixels, width, height, 4 * width, QImage::Format_RGBA8888), level, path);
}

std::shared_ptr<GraphicsExporter> GetQTGraphicsExporter(std::string_view format)
{
    if (format != "PNGf" || !QImageWriter::supportedImageFormats().contains("png"))
        return nullptr;
    return std::make_shared<GraphicsExporter>();
}

} // namespace fw
