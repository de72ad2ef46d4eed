#include "kvorrep.h"

namespace kvor {

TfmReport::TfmReport(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("fmReport"));
}

} // namespace kvor
