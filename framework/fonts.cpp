#include "framework/fonts.h"

#include "framework/exceptions.h"
#include "framework/window.h"

#include "raster/installed_fonts.h"

#include <QGuiApplication>
#include <QPointer>

#include <vector>

namespace fw {

namespace {

struct Families {
    std::vector<std::string> names;
    bool fresh = false;
    QPointer<QGuiApplication> watched;
};

void Changed(Families &families)
{
    families.fresh = false;
    RaiseInstalledFontsChanged();
}

// Filling a font list asks for each family in turn: the list is read once
// and kept for the process, as the fonts it names are, until they change.
Families &InstalledFamilies()
{
    static Families families;
    if (families.watched != qGuiApp) {
        families.watched = qGuiApp;
        families.fresh = false;
        if (qGuiApp) {
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] {
                raster::RescanInstalledFonts();
                Changed(families);
            });
            QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp, [](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    CheckInstalledFonts();
            });
        }
    }
    if (!families.fresh) {
        families.names = raster::InstalledFamilies();
        families.fresh = true;
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
    if (raster::RescanInstalledFonts())
        Changed(InstalledFamilies());
}

} // namespace fw
