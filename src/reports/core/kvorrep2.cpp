#include "kvorrep2.h"

namespace kvor {

TfmReport2::TfmReport2(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("fmReport2"));
}

} // namespace kvor
