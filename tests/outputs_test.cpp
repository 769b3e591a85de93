// What a user takes away for a set of settings, byte for byte as an earlier
// build wrote it: the texture's PNG and clipboard image, the width table
// saved and copied, the BMFont text, XML and page. tests/data/outputs/README
// says which build and how.
#include "modal_driver.h"
#include "test_support.h"

#include <QCryptographicHash>

#include <fstream>
#include <functional>
#include <map>

namespace {

class OutputsTest : public MainWindowTest {
protected:
    QTemporaryDir folder;

    QString PathOf(const QString &name) const { return folder.filePath(name); }
    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every file and clipboard content of the current settings, by name.
    std::map<std::string, QByteArray> Outputs()
    {
        std::map<std::string, QByteArray> outputs;
        QFile::remove(PathOf(QStringLiteral("texture.png")));
        QFile::remove(PathOf(QStringLiteral("widths.txt")));
        ModalDriver driver({ModalDriver::SaveAs(PathOf(QStringLiteral("texture.png"))), ModalDriver::AcceptSettings(6),
            ModalDriver::SaveAs(PathOf(QStringLiteral("widths.txt")))});
        QtChild<QPushButton>(window, "btnSave").click();
        QtChild<QPushButton>(window, "btnSaveWidths").click();
        outputs["texture.png"] = Read(PathOf(QStringLiteral("texture.png")));
        outputs["widths.txt"] = Read(PathOf(QStringLiteral("widths.txt")));
        QtChild<QPushButton>(window, "btnCopy").click();
        const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888);
        outputs["clipboard.rgb"] = QByteArray(reinterpret_cast<const char *>(copied.constBits()), copied.sizeInBytes());
        QtChild<QPushButton>(window, "btnCopyWidths").click();
        outputs["clipboard.txt"] = QGuiApplication::clipboard()->text().toUtf8();
        for (const char *name : {"font.fnt", "font.xml"}) {
            window.ExportBMFont(PathOf(QString::fromLatin1(name)).toStdString());
            outputs[name] = Read(PathOf(QString::fromLatin1(name)));
            outputs[std::string(name) + "_0.png"] = Read(PathOf(QStringLiteral("font_0.png")));
        }
        return outputs;
    }
};

TEST_F(OutputsTest, EachSetOfSettingsGivesTheFilesItGaveBefore)
{
    const std::vector<std::pair<const char *, std::function<void()>>> cases{
        {"default", [] {}},
        {"dejavu-sans-bold-13-on-2048",
            [&] {
                SelectFont("DejaVu Sans");
                window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
                List("lstSizes").SetListIndex(13 - 9);
            }},
        {"dejavu-sans-bold-144-on-2048", [&] { List("lstSizes").SetListIndex(144 - 9); }},
        {"terminus",
            [&] {
                window.Find<fw::PopupMenu>("popTexSize").SetListIndex(2);
                List("lstSizes").SetListIndex(72 - 9);
                SelectFont("Terminus");
            }},
        {"emoji-and-hebrew-fallback",
            [&] {
                SelectFont("Courier");
                List("lstChars").SetCell(9, 5, "\xE2\x9D\xA4\xEF\xB8\x8F");
                List("lstChars").SetCell(9, 6, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D");
                window.UpdateFontMap();
            }},
        {"distance-field", [&] { QtChild<QAction>(window, "ViewDistanceFieldSingle").trigger(); }},
        {"multi-channel-field", [&] { QtChild<QAction>(window, "ViewDistanceFieldMulti").trigger(); }},
        {"fitted",
            [&] {
                QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
                EXPECT_EQ(window.FitGlyphsToCells(), "");
            }},
    };
    // Each release's fonts and libraries draw a little differently (its
    // Noto Color Emoji is another version): a manifest per release.
    const QString data = QStringLiteral(VANTOR_SOURCE_DIR "/tests/data/outputs/");
    const bool writing = qEnvironmentVariableIsSet("VANTOR_WRITE_OUTPUTS");
    QFile manifest(data + QStringLiteral("sha256.") + QSysInfo::productType() + u'-' + QSysInfo::productVersion());
    std::map<std::string, std::string> expected;
    if (!writing) {
        ASSERT_TRUE(manifest.open(QIODevice::ReadOnly)) << "no manifest for this release: " << manifest.fileName();
        for (const QByteArray &line : manifest.readAll().split('\n')) {
            if (const qsizetype space = line.indexOf(' '); space > 0)
                expected[line.mid(space + 1).toStdString()] = line.left(space).toStdString();
        }
    } else {
        ASSERT_TRUE(manifest.open(QIODevice::WriteOnly));
    }
    for (const auto &[name, settle] : cases) {
        settle();
        for (const auto &[file, bytes] : Outputs()) {
            const std::string key = std::string(name) + "/" + file;
            const std::string hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
            if (writing) {
                manifest.write(QByteArray::fromStdString(hash + " " + key + "\n"));
                continue;
            }
            EXPECT_FALSE(bytes.isEmpty()) << key;
            if (hash != expected[key]) {
                // Kept for a look at what differs.
                const QString kept
                    = QDir::temp().filePath(QString::fromStdString("vantor-" + std::string(name) + "-" + file));
                QFile out(kept);
                if (out.open(QIODevice::WriteOnly))
                    out.write(bytes);
                ADD_FAILURE() << key << " differs from before; written to " << kept.toStdString();
            }
        }
    }
}

} // namespace
