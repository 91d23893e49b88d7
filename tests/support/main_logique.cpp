#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The modules where this build made them, unless the run names others.
    if (qEnvironmentVariableIsEmpty("KYR_MODULES")) qputenv("KYR_MODULES", KYR_DOSSIER_MODULES);
    return RUN_ALL_TESTS();
}
