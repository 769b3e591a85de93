// CharWidthTable over any row texts: every row's two texts, whole, each
// followed by TAB and CR, nothing else.
#include "framework/listbox.h"
#include "window/window1.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

vantor::Window1 *window = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    window = &vantor::implicit::Window1();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Texts separated by 0xFF bytes; each pair is one row. The list stores
    // text as Qt does, so what is compared is what the list gives back.
    std::vector<std::string> texts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF)
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    fw::Listbox &widths = window->Find<fw::Listbox>("lstWidths");
    widths.DeleteAllRows();
    for (std::size_t i = 0; i + 1 < texts.size() && i < 400; i += 2) {
        widths.AddRow(texts[i]);
        widths.SetCell(widths.LastIndex(), 1, texts[i + 1]);
    }
    std::string expected;
    for (int row = 0; row < widths.ListCount(); ++row)
        expected += widths.Cell(row, 0) + '\t' + widths.Cell(row, 1) + '\r';
    const std::string table = window->CharWidthTable();
    if (table != expected || window->CharWidthTable() != table)
        std::abort();
    return 0;
}
