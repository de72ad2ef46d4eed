#include "windowactivation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace kvor {

namespace {

constexpr size_t kKeptSteps = 16;

} // namespace

WindowActivation::WindowActivation(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &WindowActivation::focusChanged);
    focusChanged(QGuiApplication::focusWindow());
}

void WindowActivation::focusChanged(QWindow *window)
{
    // Drop-downs and tips belong to the window that opened them.
    if (window && (window->type() == Qt::Popup || window->type() == Qt::ToolTip))
        return;
    if (!m_steps.empty() && m_steps.back().window == window)
        return;
    m_steps.push_back({window, window && window->modality() != Qt::NonModal});
    if (m_steps.size() > kKeptSteps)
        m_steps.pop_front();
}

bool WindowActivation::activated()
{
    const bool first = m_fresh;
    m_fresh = false;
    const QWindow *self = m_window.windowHandle();
    auto it = m_steps.rbegin();
    if (it != m_steps.rend() && it->window == self)
        ++it; // this activation's own focus change, already reported
    while (it != m_steps.rend() && !it->window)
        ++it; // another program had the focus meanwhile
    const bool ours = it != m_steps.rend() && it->window != self; // else: back from another program
    const bool modal = ours && it->modal;
    return counts(first, ours, modal);
}

} // namespace kvor
