#include "framework/files.h"
#include "framework/graphics_exporter.h"
#include "framework/popup_menu.h"
#include "modal_driver.h"
#include "test_support.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <optional>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class ExportTest : public MainWindowTest {
protected:
    QTemporaryDir folder;

    QString PathOf(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    void Click(const char *button) { QtChild<QPushButton>(window, button).click(); }

    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(ExportTest, TheSaveDialogsProposeTheirNamesAndCancelSilently)
{
    const struct {
        const char *button;
        const char *proposed;
        const char *filter;
    } saves[] = {
        {"btnSave", "untitled.png", "PNG image (*.png)"},
        {"btnSaveWidths", "Untited.txt", "All files (*)"},
    };
    for (const auto &save : saves) {
        SCOPED_TRACE(save.button);
        QString proposed;
        QStringList filters;
        ModalDriver driver({[&](QWidget &modal) {
            auto &dialog = dynamic_cast<QFileDialog &>(modal);
            proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
            filters = dialog.nameFilters();
            dialog.setDirectory(folder.path());
            dialog.reject();
        }});
        Click(save.button);
        EXPECT_EQ(proposed, QString::fromLatin1(save.proposed));
        EXPECT_TRUE(filters.contains(QString::fromLatin1(save.filter))) << filters.join(QLatin1Char(';')).toStdString();
        EXPECT_EQ(driver.seen, QStringList{QStringLiteral("saveDialog")}) << "no settings dialog, no message";
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
}

TEST_F(ExportTest, ASaveStartsInTheLastFolderAndThePngGetsItsSuffix)
{
    QString startedIn;
    ModalDriver driver({ModalDriver::SaveAs(PathOf("atlas")), ModalDriver::AcceptSettings(6),
        [&](QWidget &modal) {
            startedIn = dynamic_cast<QFileDialog &>(modal).directory().absolutePath();
            ModalDriver::SaveAs(QStringLiteral("widths"))(modal);
        }});
    Click("btnSave");
    Click("btnSaveWidths");
    EXPECT_EQ(startedIn, QDir(folder.path()).absolutePath());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), (QStringList{QStringLiteral("atlas.png"), QStringLiteral("widths")}));
}

TEST_F(ExportTest, CancellingTheSettingsStillWritesThePng)
{
    const QString path = PathOf("cancelled.png");
    ModalDriver driver({ModalDriver::SaveAs(path), ModalDriver::Cancel()});
    Click("btnSave");
    EXPECT_EQ(driver.seen, (QStringList{QStringLiteral("saveDialog"), QStringLiteral("pngSettings")}));
    QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Texture());
}

TEST_F(ExportTest, TheFullTextureIsSavedAndCopiedWhateverThePreviewShows)
{
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    const QString path = PathOf("atlas.png");
    ModalDriver driver({ModalDriver::SaveAs(path), ModalDriver::AcceptSettings(6)});
    Click("btnSave");
    const QByteArray png = Read(path);
    ASSERT_GT(png.size(), 33);
    EXPECT_EQ(png.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.mid(16, 8), QByteArray("\0\0\x08\0\0\0\x08\0", 8)) << "2048 x 2048";
    EXPECT_EQ(png.at(24), 8) << "8 bits per channel";
    EXPECT_EQ(png.at(25), 2) << "RGB, no alpha";
    EXPECT_EQ(QImage::fromData(png).convertToFormat(QImage::Format_RGB32), Texture());

    Click("btnCopy");
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(2048, 2048));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Texture());
}

TEST_F(ExportTest, TheCompressionLevelTradesSizeForSpeedNotPixels)
{
    ModalDriver driver({ModalDriver::SaveAs(PathOf("fast.png")), ModalDriver::AcceptSettings(0),
        ModalDriver::SaveAs(PathOf("small.png")), ModalDriver::AcceptSettings(9)});
    Click("btnSave");
    Click("btnSave");
    const QByteArray fast = Read(PathOf("fast.png"));
    const QByteArray small = Read(PathOf("small.png"));
    EXPECT_GT(fast.size(), 4 * small.size());
    EXPECT_EQ(QImage::fromData(fast), QImage::fromData(small));
}

TEST_F(ExportTest, EverySaveAsksAgainFromTheDefaults)
{
    int secondLevel = -1;
    ModalDriver driver({ModalDriver::SaveAs(PathOf("one.png")), ModalDriver::AcceptSettings(2),
        ModalDriver::SaveAs(PathOf("two.png")), [&](QWidget &modal) {
            secondLevel = modal.findChild<QSpinBox *>(QStringLiteral("compressionLevel"))->value();
            dynamic_cast<QDialog &>(modal).accept();
        }});
    Click("btnSave");
    Click("btnSave");
    EXPECT_EQ(driver.seen.size(), 4);
    EXPECT_EQ(secondLevel, 6) << "no setting carries over from one save to the next";
}

TEST_F(ExportTest, TheWidthTableFileHoldsExactlyTheText)
{
    const QString path = PathOf("widths.txt");
    Write(path, QByteArray(20000, 'x'));
    ModalDriver driver(
        {ModalDriver::SaveAs(path), ModalDriver::Confirm(), ModalDriver::SaveAs(path), ModalDriver::Confirm()});
    Click("btnSaveWidths");
    const QByteArray first = Read(path);
    const QByteArray table = QByteArray::fromStdString(window.CharWidthTable());
    EXPECT_EQ(first, table) << "the longer file before is replaced whole";
    EXPECT_EQ(first.count('\r'), 100);
    EXPECT_EQ(first.count('\n'), 0);
    EXPECT_TRUE(first.endsWith('\r'));
    EXPECT_FALSE(first.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(first.contains("Char"));
    Click("btnSaveWidths");
    EXPECT_EQ(Read(path), first) << "saving twice gives the same bytes";
    EXPECT_EQ(driver.seen,
        (QStringList{QStringLiteral("saveDialog"), QStringLiteral("qt_msgbox"), QStringLiteral("saveDialog"),
            QStringLiteral("qt_msgbox")}));

    Click("btnCopyWidths");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), first) << "CR line ends kept";
}

// Makes every write past `bytes` into a file fail with EFBIG, as a full disk
// refuses writes, for any user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
        : signal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    void (*signal_)(int);
    rlimit previous_{};
};

// A small tmpfs filled to the last byte; only where the test may mount one.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString &folder)
        : folder_(folder.toStdString())
    {
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem()
    {
        if (mounted_)
            umount(folder_.c_str());
    }
    bool Mounted() const { return mounted_; }
    void Fill()
    {
        QFile filler(QString::fromStdString(folder_ + "/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, '\0');
        while (filler.write(block) > 0) { }
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(ExportTest, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    const QByteArray kept("kept table\r");
    const QString fifo = PathOf("fifo.out");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString limited = PathOf("limited.out");
    Write(limited, kept);
    QTemporaryDir tmpfsFolder;
    FullFileSystem tmpfs(tmpfsFolder.path());
    const QString full = tmpfsFolder.filePath(QStringLiteral("full.out"));
    if (tmpfs.Mounted()) {
        Write(full, kept);
        tmpfs.Fill();
    } else {
        std::printf("Cannot mount a tmpfs here; the full disk is stood in for by the file size limit alone\n");
    }
    const struct {
        QString path;
        std::string reason;
        bool limitSize = false;
    } cases[] = {
        {QStringLiteral("/proc/atlas.out"), ""}, // nothing can be created in /proc, not even by root
        {fifo, "it is not a regular file"},
        {limited, std::strerror(EFBIG), true},
        {full, std::strerror(ENOSPC)},
    };
    for (const auto &c : cases) {
        if (c.path == full && !tmpfs.Mounted())
            continue;
        for (const bool png : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.path.toStdString() << (png ? " texture" : " width table"));
            std::vector<ModalDriver::Step> steps{ModalDriver::SaveAs(c.path)};
            if (QFileInfo::exists(c.path))
                steps.push_back(ModalDriver::Confirm());
            if (png)
                steps.push_back(ModalDriver::AcceptSettings(6));
            ModalDriver driver(steps);
            const QDir folder = QFileInfo(c.path).dir();
            const QStringList entries = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
            {
                const std::optional<FileSizeLimit> limit
                    = c.limitSize ? std::make_optional<FileSizeLimit>(kept.size() + 1) : std::nullopt;
                Click(png ? "btnSave" : "btnSaveWidths");
            }
            const QStringList failures = driver.messages.filter(QStringLiteral("Cannot save"));
            ASSERT_EQ(failures.size(), 1) << driver.messages.join(QLatin1Char('|')).toStdString();
            const std::string message = failures.value(0).toStdString();
            const std::string prefix = "Cannot save " + c.path.toStdString() + ": ";
            if (!c.reason.empty()) {
                EXPECT_EQ(message, prefix + c.reason);
            } else {
                EXPECT_TRUE(message.starts_with(prefix) && message.size() > prefix.size() + 5) << message;
            }
            EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden), entries)
                << "no file added, none left behind";
            if (c.path == fifo) {
                EXPECT_FALSE(QFileInfo(c.path).isFile()) << "still the FIFO, not replaced by a file";
            } else if (QFileInfo::exists(c.path)) {
                EXPECT_EQ(Read(c.path), kept) << "the old file is left exactly as it was";
            }
        }
    }
}

TEST(GraphicsExporter, ExistsForPngOnlyAndKeepsTheCodesItIsGiven)
{
    EXPECT_EQ(fw::GetQTGraphicsExporter("JPEG"), nullptr);
    EXPECT_EQ(fw::GetQTGraphicsExporter(""), nullptr);
    const auto exporter = fw::GetQTGraphicsExporter("PNGf");
    ASSERT_NE(exporter, nullptr);
    exporter->SetOutputFileType("PNGf");
    exporter->SetOutputFileCreator("????");
    EXPECT_EQ(exporter->OutputFileType(), "PNGf");
    EXPECT_EQ(exporter->OutputFileCreator(), "????");
}

TEST(TextOutputStream, AStreamNeverClosedLeavesTheOldFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kept.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    {
        auto stream = fw::FolderItem(path.toStdString()).CreateTextFile();
        stream->Write("new");
    }
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.txt")})
        << "no temporary left";
}

TEST(TextOutputStream, CannotReplaceAFolder)
{
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    try {
        auto stream = fw::FolderItem(path).CreateTextFile();
        stream->Write("text");
        stream->Close();
        FAIL() << "wrote over a folder";
    } catch (const fw::IOException &error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot save " + path + ": ", 0), 0u) << error.what();
    }
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
}

} // namespace
