#include "reportpreview.h"

namespace kvor {

ReportPreview::ReportPreview(QWidget *parent)
    : QDialog(parent)
{
}

} // namespace kvor
