// The backend uses Qt's process and D-Bus classes, which want an application object.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class QtAppEnv : public ::testing::Environment {
public:
    void SetUp() override { FApp = std::make_unique<QCoreApplication>(FArgc, FArgv); }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[16] = "platform_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QCoreApplication> FApp;
};

[[maybe_unused]] auto* const registered = ::testing::AddGlobalTestEnvironment(new QtAppEnv);

}  // namespace
