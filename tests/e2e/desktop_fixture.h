// The fixture of every test that runs the real program: a virtual X server and an empty
// configuration folder of its own, or a skipped test when the X tools are missing.
#pragma once

#include "x_session.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace kelvaro::e2e {

template <class TestBase> class WithDesktop : public TestBase {
  protected:
    void SetUp() override {
        const QString missing = missingTool({QStringLiteral("Xvfb"), QStringLiteral("xdotool")});
        if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString() << " is not installed";
        session = std::make_unique<XSession>();
        ASSERT_TRUE(session->running()) << "Xvfb did not start";
        ASSERT_TRUE(config.isValid());
    }

    QString settingsFile() const { return config.filePath(QStringLiteral("kelvaro/kelvaro.reg")); }

    std::unique_ptr<XSession> session;
    QTemporaryDir config;
};

} // namespace kelvaro::e2e
