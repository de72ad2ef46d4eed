#pragma once

#include <QIcon>

namespace kvor {

// The report preview's tool-bar pictures, drawn rather than shipped: they
// stay sharp at any screen scale.
class PreviewIcons {
public:
    enum class Glyph { Fit, Actual, Width, First, Previous, Next, Last, PrintSetup, Print, Save, Load, Exit, Pdf };

    static QIcon icon(Glyph glyph);
};

} // namespace kvor
