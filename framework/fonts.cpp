#include "framework/fonts.h"

#include "framework/exceptions.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QStringList>

namespace fw {

namespace {

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
    return static_cast<int>(InstalledFamilies().size());
}

std::string Font(int index)
{
    if (index < 0 || index >= FontCount())
        throw OutOfBoundsException("Font index " + std::to_string(index) + " out of range");
    return InstalledFamilies()[index].toStdString();
}

} // namespace fw
