// Window tests on a real desktop: the tests get their own Xvfb display with
// openbox, so activation and focus come from a window manager as they do for
// a user. Run with --foreign-window, the program is instead the "other
// application" a test switches to: one plain window, its X id on stdout.

#include "desktopsession.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

bool hasArgument(int argc, char **argv, const char *prefix)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0)
            return true;
    return false;
}

int foreignWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Інша програма"));
    window.setWindowTitle(QStringLiteral("Інша програма"));
    window.resize(300, 200);
    window.show();
    std::printf("%llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (hasArgument(argc, argv, "--foreign-window"))
        return foreignWindow(argc, argv);

    ::testing::InitGoogleTest(&argc, argv);
    kvor::test::DesktopSession desktop;
    // Listing the tests (at build time) needs no desktop.
    if (::testing::GTEST_FLAG(list_tests)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!desktop.start()) {
        std::fprintf(stderr, "No desktop for the window tests: %s\n", qPrintable(desktop.error()));
        return 1;
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Kvor"));
        QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
        status = RUN_ALL_TESTS();
    }
    return status;
}
