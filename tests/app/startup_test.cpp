// Starts the quorlin program twice, as a user would, and checks the single-instance hand-over.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "platform/single_instance.h"

namespace quorlin {
namespace {

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        QFile tips(config_.filePath("qz.tip"));
        ASSERT_TRUE(tips.open(QIODevice::WriteOnly));
        tips.write(QByteArray(1, '\0'));  // no tips dialog in the way
        instanceName_ = QStringLiteral("quorlin-test-%1").arg(QCoreApplication::applicationPid());
    }

    void TearDown() override {
        if (first_.state() != QProcess::NotRunning) {
            first_.kill();
            first_.waitForFinished(5000);
        }
    }

    void Start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUORLIN_CONFIG_DIR", config_.path());
        env.insert("QUORLIN_INSTANCE_NAME", instanceName_);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORLIN_BINARY), arguments);
    }

    // Whether a running instance answers on the test's socket (it is handed an empty name).
    bool InstanceAnswers() {
        platform::SingleInstance probe(instanceName_);
        return probe.TryHandOver({}, 500);
    }

    QTemporaryDir config_;
    QString instanceName_;
    QProcess first_;
};

TEST_F(ProgramStart, TheFirstStartBecomesTheInstanceAndASecondHandsItsFileOver) {
    EXPECT_FALSE(InstanceAnswers());
    Start(first_, {});
    ASSERT_TRUE(first_.waitForStarted(10000));
    const QDeadlineTimer listening(30000);
    while (!InstanceAnswers()) {
        ASSERT_FALSE(listening.hasExpired()) << "the first start never became the running instance";
        ASSERT_EQ(first_.state(), QProcess::Running) << first_.readAllStandardError().toStdString();
        QThread::msleep(100);
    }

    QProcess second;
    Start(second, {"some", "file.qz2"});
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first_.state(), QProcess::Running) << "the running instance must stay";
}

}  // namespace
}  // namespace quorlin
