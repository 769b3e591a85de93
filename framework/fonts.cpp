#include "framework/fonts.h"

#include "framework/exceptions.h"

#include <QFontDatabase>
#include <QStringList>

#include <optional>

namespace fw {

namespace {

std::optional<std::vector<std::string>> &Override()
{
    static std::optional<std::vector<std::string>> families;
    return families;
}

} // namespace

int FontCount()
{
    if (Override())
        return static_cast<int>(Override()->size());
    return static_cast<int>(QFontDatabase::families().size());
}

std::string Font(int index)
{
    if (index < 0 || index >= FontCount())
        throw OutOfBoundsException("Font index " + std::to_string(index) + " out of range");
    if (Override())
        return (*Override())[static_cast<std::size_t>(index)];
    return QFontDatabase::families()[index].toStdString();
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
