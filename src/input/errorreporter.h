#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kvor {

// The program's default error box: errors of the table layer that a handler
// does not catch end up here, titled "Kvor", and the program goes on.
class ErrorReporter {
public:
    using Sink = std::function<void(QWidget *parent, const QString &text)>;
    static void setSink(Sink sink);
    static void report(QWidget *parent, const QString &text);
    // Runs `f`; a table-layer error is reported and gives false.
    static bool guard(QWidget *parent, const std::function<bool()> &f);
};

} // namespace kvor
