#pragma once

#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

#include <source_location>
#include <stdexcept>
#include <string>

namespace kvor::test {

// The widget or action called `objectName` in `form`'s own window: windows
// parented to the form (its dialogs) hold names of their own and are skipped.
// A name that is missing, found twice or of another class fails the test at
// the caller's line and ends it.
template <class T>
T *childNamed(QObject *form, const char *objectName,
              std::source_location where = std::source_location::current())
{
    const QWidget *formWindow = form->isWidgetType() ? static_cast<QWidget *>(form)->window() : nullptr;
    const auto inFormWindow = [formWindow](QObject *o) {
        while (o && !o->isWidgetType())
            o = o->parent();
        return !formWindow || (o && static_cast<QWidget *>(o)->window() == formWindow);
    };
    QObject *found = nullptr;
    int count = 0;
    for (QObject *o : form->findChildren<QObject *>(QString::fromLatin1(objectName))) {
        if (inFormWindow(o)) {
            found = o;
            ++count;
        }
    }
    std::string problem;
    if (count == 0)
        problem = "no child named ";
    else if (count > 1)
        problem = std::to_string(count) + " children named ";
    else if (!qobject_cast<T *>(found))
        problem = std::string("not a ") + T::staticMetaObject.className() + " (a "
                  + found->metaObject()->className() + "): ";
    if (problem.empty())
        return static_cast<T *>(found);
    problem += std::string(objectName) + " in " + form->objectName().toStdString();
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << problem;
    throw std::runtime_error(problem);
}

} // namespace kvor::test
