#include "modal_driver.h"
#include "test_support.h"

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
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
};

TEST_F(ExportTest, TheSaveDialogsProposeTheirNamesAndCancelSilently)
{
    // The File menu's items do exactly what the buttons do.
    for (const auto &[command, proposed, filter] :
        {std::tuple{"btnSave", "untitled.png", "PNG image (*.png)"}, {"btnSaveWidths", "Untited.txt", "All files (*)"},
            {"FileSaveTexture", "untitled.png", "PNG image (*.png)"},
            {"FileSaveWidthTable", "Untited.txt", "All files (*)"}}) {
        SCOPED_TRACE(command);
        QString shown;
        ModalDriver driver({[&](QWidget &modal) {
            auto &dialog = dynamic_cast<QFileDialog &>(modal);
            shown = QFileInfo(dialog.selectedFiles().value(0)).fileName() + QLatin1Char('|')
                + dialog.nameFilters().join(QLatin1Char('|'));
            dialog.reject();
        }});
        if (QString::fromLatin1(command).startsWith(QLatin1String("File")))
            QtChild<QAction>(window, command).trigger();
        else
            Click(command);
        EXPECT_EQ(shown, QString::fromLatin1(proposed) + QLatin1Char('|') + QString::fromLatin1(filter));
        EXPECT_EQ(driver.seen, QStringList{QStringLiteral("saveDialog")}) << "no settings dialog, no message";
    }
}

TEST_F(ExportTest, ASaveStartsInTheLastFolderAndThePngGetsItsSuffix)
{
    QString startedIn;
    ModalDriver driver({ModalDriver::SaveAs(PathOf("atlas")), ModalDriver::AcceptSettings(6), [&](QWidget &modal) {
                            startedIn = dynamic_cast<QFileDialog &>(modal).directory().absolutePath();
                            ModalDriver::SaveAs(QStringLiteral("widths"))(modal);
                        }});
    Click("btnSave");
    Click("btnSaveWidths");
    EXPECT_EQ(startedIn, QDir(folder.path()).absolutePath());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).join(QLatin1Char(' ')), QStringLiteral("atlas.png widths"));
}

TEST_F(ExportTest, ANameWithADoubleQuoteIsSavedAsTypedOrRefusedWithAReason)
{
    // Qt's dialog alone reads q"uote as the list of names "uote".
    Write(PathOf("a\"b.png"), "old");
    ModalDriver driver({ModalDriver::SaveAs(PathOf("a\"b")), ModalDriver::Confirm(), ModalDriver::AcceptSettings(6),
        ModalDriver::SaveAs(QStringLiteral("q\"uote.txt")), ModalDriver::SaveAs(PathOf("f\"ont"))});
    Click("btnSave");
    Click("btnSaveWidths");
    QtChild<QAction>(window, "FileExportBMFont").trigger();
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::Files).join(QLatin1Char('|')), QStringLiteral("a\"b.png|q\"uote.txt"));
    EXPECT_NE(Read(PathOf("a\"b.png")), "old");
    EXPECT_EQ(driver.messages,
        QStringList({QStringLiteral("a\"b.png already exists.\nDo you want to replace it?"),
            QStringLiteral("Cannot save ") + PathOf("f\"ont.fnt")
                + QStringLiteral(": a BMFont page name cannot hold a double quote")}));
}

TEST_F(ExportTest, TheWholeTextureIsSavedAsRgbPngWhateverTheSettingsDialogSays)
{
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    int secondLevel = -1;
    ModalDriver driver({ModalDriver::SaveAs(PathOf("fast.png")), ModalDriver::AcceptSettings(0),
        ModalDriver::SaveAs(PathOf("small.png")),
        [&](QWidget &modal) {
            secondLevel = modal.findChild<QSpinBox *>(QStringLiteral("compressionLevel"))->value();
            ModalDriver::AcceptSettings(9)(modal);
        },
        ModalDriver::SaveAs(PathOf("closed.png")),
        [](QWidget &modal) {
            // No button claims that the file is not written.
            QStringList buttons;
            for (const QAbstractButton *button : modal.findChildren<QAbstractButton *>())
                buttons << button->text();
            EXPECT_EQ(buttons, QStringList(QStringLiteral("Save")));
            modal.findChild<QSpinBox *>(QStringLiteral("compressionLevel"))->setValue(0);
            dynamic_cast<QDialog &>(modal).reject(); // Escape, or the title bar's close
        }});
    for (int i = 0; i < 3; ++i)
        Click("btnSave");
    EXPECT_EQ(secondLevel, 6) << "no setting carries over from one save to the next";
    const QByteArray small = Read(PathOf("small.png"));
    EXPECT_GT(Read(PathOf("fast.png")).size(), 4 * small.size());
    EXPECT_GT(Read(PathOf("closed.png")).size(), 4 * small.size()) << "written at the level the dialog showed";
    EXPECT_EQ(small.mid(16, 10), QByteArray("\0\0\x08\0\0\0\x08\0\x08\x02", 10)) << "2048 x 2048, 8-bit RGB";
    for (const char *name : {"fast.png", "small.png", "closed.png"})
        EXPECT_EQ(QImage(PathOf(name)).convertToFormat(QImage::Format_RGB32), Texture()) << name;
}

TEST_F(ExportTest, TheCopiedTextureIsWholeAndStaysAsCopied)
{
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    const QImage copiedTexture = Texture().copy();
    Click("btnCopy");
    window.Find<fw::EditField>("edtDX").SetText("40");
    ASSERT_NE(Texture(), copiedTexture) << "drawn again in place";
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), copiedTexture);
}

TEST_F(ExportTest, TheWidthTableFileAndClipboardHoldExactlyTheText)
{
    const QString path = PathOf("widths.txt");
    Write(path, QByteArray(20000, 'x'));
    ModalDriver driver({ModalDriver::SaveAs(path), ModalDriver::Confirm()});
    Click("btnSaveWidths");
    const QByteArray saved = Read(path);
    EXPECT_EQ(saved, QByteArray::fromStdString(window.CharWidthTable())) << "the longer file before is replaced whole";
    EXPECT_EQ(saved.count('\r'), 100);
    Click("btnCopyWidths");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), saved) << "CR line ends kept";
}

// Makes every write past `bytes` into a file fail with EFBIG, as a full disk
// refuses writes, for any user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    void (*signal_)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous_{};
};

TEST_F(ExportTest, AFolderThatIsNotThereIsSaidBeforeAnyFurtherQuestion)
{
    const QString path = PathOf("gone/atlas.png");
    ModalDriver driver({ModalDriver::SaveAs(path)});
    Click("btnSave");
    EXPECT_EQ(driver.seen, QStringList({QStringLiteral("saveDialog"), QStringLiteral("qt_msgbox")}))
        << "no compression level asked for";
    EXPECT_EQ(driver.messages, QStringList{QStringLiteral("Cannot save %1: its folder does not exist").arg(path)});
}

TEST_F(ExportTest, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    const QByteArray kept("kept table\r");
    const QString proc = QStringLiteral("/proc/atlas.out"); // nothing can be created there, not even by root
    const QString fifo = PathOf("fifo.out");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString limited = PathOf("limited.out");
    Write(limited, kept);
    // A full disk: a small tmpfs filled to the last byte, where the test may
    // mount one; the file size limit stands in for it everywhere.
    QTemporaryDir disk;
    const QString full = disk.filePath(QStringLiteral("full.out"));
    const bool mounted = mount("tmpfs", disk.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            umount(disk.path().toLocal8Bit().constData());
    });
    if (mounted) {
        Write(full, kept);
        QFile filler(disk.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, '\0')) > 0) { }
    }
    const std::tuple<QString, std::string, bool> cases[]
        = {{proc, "", false}, {fifo, "it is not a regular file", false}, {limited, std::strerror(EFBIG), true},
            {full, std::strerror(ENOSPC), false}};
    for (const auto &[path, reason, limitSize] : cases) {
        if (path == full && !mounted)
            continue;
        for (const bool png : {true, false}) {
            SCOPED_TRACE(testing::Message() << path << (png ? " texture" : " width table"));
            std::vector<ModalDriver::Step> steps{ModalDriver::SaveAs(path)};
            if (QFileInfo::exists(path))
                steps.push_back(ModalDriver::Confirm());
            // What cannot be written at all is said before the settings.
            if (png && (path == limited || path == full))
                steps.push_back(ModalDriver::AcceptSettings(6));
            ModalDriver driver(steps);
            const QDir folder = QFileInfo(path).dir();
            const QStringList entries = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
            {
                const std::optional<FileSizeLimit> limit
                    = limitSize ? std::make_optional<FileSizeLimit>(kept.size() + 1) : std::nullopt;
                Click(png ? "btnSave" : "btnSaveWidths");
            }
            const QStringList failures = driver.messages.filter(QStringLiteral("Cannot save"));
            ASSERT_EQ(failures.size(), 1) << driver.messages.join(QLatin1Char('|'));
            const std::string message = failures[0].toStdString();
            const std::string prefix = "Cannot save " + path.toStdString() + ": ";
            if (reason.empty()) {
                EXPECT_TRUE(message.starts_with(prefix) && message.size() > prefix.size() + 5) << message;
                continue;
            }
            EXPECT_EQ(message, prefix + reason);
            EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden), entries)
                << "no file added, none left behind";
            if (path == fifo) {
                EXPECT_FALSE(QFileInfo(path).isFile()) << "still the FIFO, not replaced by a file";
            } else {
                EXPECT_EQ(Read(path), kept) << "the old file is left exactly as it was";
            }
        }
    }
}

} // namespace
