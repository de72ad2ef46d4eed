#pragma once

#include "chambersummary.h"

#include <QByteArray>
#include <QChar>

#include <vector>

namespace kvor {

// The chamber table with the nine gains per chamber as a spreadsheet opens it:
// UTF-8 with a byte-order mark, ';' between fields, numbers with `decimalPoint`.
QByteArray projectCsv(const std::vector<ChamberSummary> &chambers, QChar decimalPoint);

// The gains' captions, in panel order (the batch tool's JSON keys are separate).
const QStringList &gainCaptions();

} // namespace kvor
