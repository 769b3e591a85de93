// Speed must never change the output: these checksums were taken from the
// renderer before any optimisation, on the tests' fonts, and every later
// version must reproduce them.
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "test_support.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace {

struct Settings {
    int fontRow; // in the tests' font list: 0 Courier, 1 DejaVu Sans, 2 DejaVu Serif
    int sizeRow;
    int textureItem;
    bool bold;
    bool italic;
    const char *dx;
    const char *dy;
    const char *texture; // SHA-1 of the red, green and blue bytes of every pixel
    const char *widths; // SHA-1 of the width table text
};

std::string Sha1(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().toStdString();
}

std::string TextureSha1(const QImage &image)
{
    QByteArray rgb;
    rgb.reserve(image.width() * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            rgb.append(static_cast<char>(qRed(line[x])));
            rgb.append(static_cast<char>(qGreen(line[x])));
            rgb.append(static_cast<char>(qBlue(line[x])));
        }
    }
    return Sha1(rgb);
}

using RenderChecksumTest = MainWindowTest;

TEST_F(RenderChecksumTest, TheSameSettingsGiveTheSamePixelsAndWidths)
{
    const Settings cases[] = {
#include "render_checksums.inc"
    };
    for (const Settings &c : cases) {
        SCOPED_TRACE(testing::Message() << c.fontRow << " " << c.sizeRow << " " << c.textureItem << " " << c.bold
                                        << c.italic << " " << c.dx << " " << c.dy);
        window.Find<fw::CheckBox>("chkBold").SetValue(c.bold);
        window.Find<fw::CheckBox>("chkItalic").SetValue(c.italic);
        window.Find<fw::EditField>("edtDX").SetText(c.dx);
        window.Find<fw::EditField>("edtDY").SetText(c.dy);
        List("lstSizes").SetListIndex(c.sizeRow);
        window.Find<fw::PopupMenu>("popTexSize").SetListIndex(c.textureItem);
        List("lstFonts").SetListIndex(c.fontRow);
        window.UpdateFontMap();
        EXPECT_EQ(TextureSha1(Texture()), c.texture);
        EXPECT_EQ(Sha1(QByteArray::fromStdString(window.CharWidthTable())), c.widths);
    }
}

} // namespace
