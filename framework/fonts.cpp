#include "framework/fonts.h"

#include "framework/exceptions.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QStringList>

#include <optional>

namespace fw {

namespace {

std::optional<std::vector<std::string>> &Override()
{
    static std::optional<std::vector<std::string>> families;
    return families;
}

// QFontDatabase::families() builds its list anew on every call, and filling
// a font list asks for each family in turn: the list is kept until the
// installed fonts change.
const QStringList &InstalledFamilies()
{
    static struct {
        QStringList families;
        bool fresh = false;
        QPointer<QGuiApplication> application;
    } kept;
    if (kept.application != qGuiApp) {
        kept.application = qGuiApp;
        kept.fresh = false;
        if (qGuiApp)
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] { kept.fresh = false; });
    }
    if (!kept.fresh) {
        kept.families = QFontDatabase::families();
        kept.fresh = true;
    }
    return kept.families;
}

} // namespace

int FontCount()
{
    if (Override())
        return static_cast<int>(Override()->size());
    return static_cast<int>(InstalledFamilies().size());
}

std::string Font(int index)
{
    if (index < 0 || index >= FontCount())
        throw OutOfBoundsException("Font index " + std::to_string(index) + " out of range");
    if (Override())
        return (*Override())[static_cast<std::size_t>(index)];
    return InstalledFamilies()[index].toStdString();
}

void OverrideFontFamilies(std::vector<std::string> families)
{
    Override() = std::move(families);
}

void RestoreFontFamilies()
{
    Override().reset();
}

} // namespace fw
