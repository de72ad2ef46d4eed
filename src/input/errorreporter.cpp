#include "errorreporter.h"

#include "storage/dbferror.h"

#include <QApplication>
#include <QMessageBox>

namespace kvor {

namespace {

ErrorReporter::Sink &sink()
{
    static ErrorReporter::Sink s;
    return s;
}

} // namespace

void ErrorReporter::setSink(Sink s)
{
    sink() = std::move(s);
}

void ErrorReporter::report(QWidget *parent, const QString &text)
{
    if (sink())
        sink()(parent, text);
    else
        QMessageBox::critical(parent, QApplication::applicationName(), text);
}

bool ErrorReporter::guard(QWidget *parent, const std::function<bool()> &f)
{
    try {
        return f();
    } catch (const DbfError &e) {
        report(parent, e.message());
    }
    return false;
}

} // namespace kvor
