#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The modules where this build made them, unless the run names others.
    if (qEnvironmentVariableIsEmpty("KYR_MODULES")) qputenv("KYR_MODULES", KYR_DOSSIER_MODULES);
    // Listing the tests needs no application (and maybe no display).
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0) return RUN_ALL_TESTS();
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
