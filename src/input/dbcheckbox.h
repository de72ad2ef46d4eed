#pragma once

#include "fieldlink.h"

#include <QCheckBox>

namespace kvor {

// A check box bound to a logical field: ticked is true. A click writes the field
// at once. changed() follows every change of the box's state, whether the user
// clicked or a record was loaded (the rules that enable other inputs rely on it).
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DbCheckBox(QWidget *parent = nullptr);
    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName);

signals:
    void changed();

protected:
    void nextCheckState() override;

private:
    void showField();

    FieldLink m_link;
};

} // namespace kvor
