#pragma once

#include <QObject>

#include <deque>

class QWidget;
class QWindow;

namespace kvor {

// Decides whether an activation of a window is one its handler runs for: the
// window's first activation (of the program, or of a showing after restart())
// or a return from another non-modal window of the program, such as a report
// preview. Closing a modal window of the program (a dialog, a message box, a
// file dialog) and coming back from another program are not.
//
// The window before is read from the program's focus windows in turn, as
// QGuiApplication::focusWindowChanged reports them (nullptr while another
// program has the focus). Qt may deliver WindowActivate before or after that
// signal, and a closing window may hand the focus over through nullptr; the
// answer is the same either way, because the window's own latest entry and
// every nullptr are skipped on the way back.
class WindowActivation : public QObject {
public:
    explicit WindowActivation(QWidget &window);

    // The next activation counts, whatever came before.
    void restart() { m_fresh = true; }
    // To be asked once on each WindowActivate of the window.
    bool activated();

    // The rule itself.
    static bool counts(bool first, bool previousWasOurs, bool previousWasModal)
    {
        return first || (previousWasOurs && !previousWasModal);
    }

private:
    struct Step {
        const QWindow *window; // never dereferenced: it may be gone
        bool modal;
    };
    void focusChanged(QWindow *window);

    QWidget &m_window;
    std::deque<Step> m_steps;
    bool m_fresh = true;
};

} // namespace kvor
