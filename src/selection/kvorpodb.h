#pragma once

#include <QDialog>

namespace kvor {

// The selection window `fmPodbor`. It is created at start-up with the other
// forms; its catalogue list and adoption come with equipment selection.
class TfmPodbor : public QDialog {
    Q_OBJECT
public:
    explicit TfmPodbor(QWidget *parent = nullptr);
};

} // namespace kvor
