#pragma once

#include <QTabWidget>

namespace kvor {

class PageTabBar;

// The page control of the input panel: pages with their tabs in one column on
// the left (see PageTabBar); page contents are placed relative to the page area
// to the right of the tabs.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
    PageTabBar *pageTabBar() const;
};

} // namespace kvor
