#include "kvorpodb.h"

namespace kvor {

TfmPodbor::TfmPodbor(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmPodbor"));
    setModal(true);
}

} // namespace kvor
