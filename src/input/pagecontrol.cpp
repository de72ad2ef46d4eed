#include "pagecontrol.h"

#include "pagetabbar.h"

namespace kvor {

PageControl::PageControl(QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new PageTabBar(this));
    setTabPosition(QTabWidget::West);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setDocumentMode(false);
    // Pages lie on the panel gray inside a raised edge, which slides under the tab
    // column so the active tab opens into its page.
    setStyleSheet(QStringLiteral("QTabWidget::pane { background-color: rgb(128, 128, 128); border: 1px solid;"
                                 " border-color: rgb(255, 255, 255) rgb(64, 64, 64) rgb(64, 64, 64)"
                                 " rgb(255, 255, 255); left: -1px; }"));
}

PageTabBar *PageControl::pageTabBar() const
{
    return static_cast<PageTabBar *>(tabBar());
}

} // namespace kvor
