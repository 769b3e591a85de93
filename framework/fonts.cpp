#include "framework/fonts.h"

#include "framework/exceptions.h"
#include "framework/window.h"

#include "raster/installed_fonts.h"

#include <QGuiApplication>
#include <QPointer>

#include <optional>
#include <vector>

namespace fw {

namespace {

struct Families {
    std::vector<std::string> names;
    std::optional<raster::FontConfiguration> readFrom; // none before the first read
    QPointer<QGuiApplication> watched;
};


// Filling a font list asks for each family in turn: the list is read once
// and kept for the process, as fontconfig keeps the fonts it names, until
// fontconfig reads them anew.
Families &InstalledFamilies()
{
    static Families families;
    if (families.watched != qGuiApp) {
        families.watched = qGuiApp;
        families.readFrom.reset();
        if (qGuiApp) {
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { CheckInstalledFonts(); });
            QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp, [](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    CheckInstalledFonts();
            });
        }
    }
    if (!families.readFrom) {
        families.names = raster::InstalledFamilies();
        families.readFrom.emplace();
    }
    return families;
}

} // namespace

int FontCount()
{
    return static_cast<int>(InstalledFamilies().names.size());
}

std::string Font(int index)
{
    if (index < 0 || index >= FontCount())
        throw OutOfBoundsException("Font index " + std::to_string(index) + " out of range");
    return InstalledFamilies().names[static_cast<std::size_t>(index)];
}

std::string FontDrawnFor(const std::string &name)
{
    return raster::FamilyDrawnFor(name);
}

void CheckInstalledFonts()
{
    raster::RescanInstalledFonts();
    // fontconfig may have read its fonts anew by itself, since.
    Families &families = InstalledFamilies();
    if (families.readFrom->Current())
        return;
    families.readFrom.reset();
    RaiseInstalledFontsChanged();
}

} // namespace fw
