#pragma once

#include "framework/control.h"

#include <Qt>

namespace fw {

inline Qt::Alignment ToQt(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace fw
