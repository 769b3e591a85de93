#include "framework/fonts.h"

#include "framework/exceptions.h"

#include <QFontDatabase>
#include <QStringList>

namespace fw {

int FontCount()
{
    return static_cast<int>(QFontDatabase::families().size());
}

std::string Font(int index)
{
    const QStringList families = QFontDatabase::families();
    if (index < 0 || index >= families.size())
        throw OutOfBoundsException("Font index " + std::to_string(index) + " out of range");
    return families[index].toStdString();
}

} // namespace fw
