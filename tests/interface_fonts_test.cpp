// The window under the interface fonts of common desktops: these run in the
// set-up with more fonts (more-fonts.conf).
#include "test_support.h"

namespace {

using InterfaceFontTest = MainWindowTest;

TEST_F(InterfaceFontTest, TheCharacterGridShowsItsTenRowsWholeUnderEveryInterfaceFont)
{
    const QFont before = QApplication::font();
    auto &grid = QtChild<QTableView>(window, "lstChars");
    // Debian's default (Noto Sans), DejaVu Sans, and GNOME's (Cantarell),
    // at the sizes desktops give them and a large one for poor sight.
    for (const char *family : {"Noto Sans", "DejaVu Sans", "Cantarell"}) {
        for (const int points : {10, 11, 12, 16}) {
            SCOPED_TRACE(std::string(family) + " " + std::to_string(points));
            QApplication::setFont(QFont(QString::fromLatin1(family), points));
            QCoreApplication::processEvents();
            EXPECT_EQ(grid.font().family(), QString::fromLatin1(family)) << "the desktop's font, fitted";
            EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
            const int shown = grid.viewport()->height();
            for (int row = 0; row < 10; ++row) {
                const QRect cell = grid.visualRect(grid.model()->index(row, 0));
                EXPECT_TRUE(cell.top() >= 0 && cell.bottom() < shown)
                    << "row " << row << ": " << cell.top() << ".." << cell.bottom() << " of " << shown;
                EXPECT_LE(QFontMetrics(grid.font()).height(), cell.height()) << "its text fits the row";
            }
            EXPECT_GE(grid.visualRect(grid.model()->index(9, 0)).bottom(), shown - 10) << "the rows fill the grid";
        }
    }
    QApplication::setFont(before);
}

} // namespace
