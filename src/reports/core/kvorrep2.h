#pragma once

#include <QObject>

namespace kvor {

// The equipment list report form `fmReport2`, created at start-up.
class TfmReport2 : public QObject {
    Q_OBJECT
public:
    explicit TfmReport2(QObject *parent = nullptr);
};

} // namespace kvor
