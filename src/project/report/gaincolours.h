#pragma once

#include <QColor>

#include <array>

namespace kvor {

// The nine heat gains' colours, in panel order: the project window's chart and
// the printed one use the same, so a reader can match them.
inline const std::array<QColor, 9> &gainColours()
{
    static const std::array<QColor, 9> colours = {
        QColor(0x1f, 0x77, 0xb4), // walls
        QColor(0xff, 0x7f, 0x0e), // ventilation
        QColor(0x2c, 0xa0, 0x2c), // infiltration
        QColor(0xd6, 0x27, 0x28), // product
        QColor(0x94, 0x67, 0xbd), // respiration
        QColor(0xe3, 0xc0, 0x1c), // lighting
        QColor(0x8c, 0x56, 0x4b), // staff
        QColor(0x17, 0xbe, 0xcf), // loading vehicles
        QColor(0x7f, 0x7f, 0x7f), // air-cooler fans and heaters
    };
    return colours;
}

} // namespace kvor
