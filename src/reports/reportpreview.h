#pragma once

#include <QDialog>

namespace kvor {

// The print preview window "Перегляд перед друком".
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget *parent = nullptr);
};

} // namespace kvor
