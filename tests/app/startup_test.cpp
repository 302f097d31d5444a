// Starts the quorlin program as a user would: the single-instance hand-over, and the hook that
// ends a start once its first window has painted (for timing whole starts).
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

    void Start(QProcess& process, const QStringList& arguments,
               const QProcessEnvironment& extra = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(extra);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUORLIN_CONFIG_DIR", config_.path());
        env.insert("QUORLIN_INSTANCE_NAME", instanceName_);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORLIN_BINARY), arguments);
    }

    // Starts the program without a file and waits until it answers as the running instance.
    void StartTheRunningInstance(const QProcessEnvironment& extra = {}) {
        Start(first_, {}, extra);
        ASSERT_TRUE(first_.waitForStarted(10000));
        const QDeadlineTimer listening(30000);
        while (!InstanceAnswers()) {
            ASSERT_FALSE(listening.hasExpired()) << "the start never became the running instance";
            ASSERT_EQ(first_.state(), QProcess::Running)
                << first_.readAllStandardError().toStdString();
            QThread::msleep(100);
        }
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
    ASSERT_NO_FATAL_FAILURE(StartTheRunningInstance());

    QProcess second;
    Start(second, {"some", "file.qz2"});
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first_.state(), QProcess::Running) << "the running instance must stay";
}

TEST_F(ProgramStart, WithTheFirstPaintHookAStartEndsByItselfOnceItsWindowHasPainted) {
    QProcessEnvironment hook;
    hook.insert("QUORLIN_EXIT_AFTER_FIRST_PAINT", "1");
    const QString corpus = qEnvironmentVariable("QUORLIN_SOURCE_DIR") + "/tests/examples/corpus/";
    struct Row {
        QString file;     // the diagram of the command line (none: the frame alone)
        QString iniFile;  // what its window stores when it closes
    };
    for (const Row& row : {Row{corpus + "empty.qz2", "qz2.ini"},
                           Row{corpus + "space.qz3", "qz3.ini"}, Row{QString(), QString()}}) {
        Start(first_, row.file.isEmpty() ? QStringList{} : QStringList{row.file}, hook);
        ASSERT_TRUE(first_.waitForFinished(60000))
            << "the start of " << row.file.toStdString() << " did not end after its first paint";
        EXPECT_EQ(first_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first_.exitCode(), 0) << first_.readAllStandardError().toStdString();
        if (!row.iniFile.isEmpty()) {
            EXPECT_TRUE(QFile::exists(config_.filePath(row.iniFile)))
                << row.file.toStdString() << ": its window was not there";
        }
    }
    EXPECT_FALSE(InstanceAnswers()) << "an ended start leaves no instance behind";
}

TEST_F(ProgramStart, WithoutTheHookTheProgramKeepsRunning) {
    QProcessEnvironment noHook;
    noHook.insert("QUORLIN_EXIT_AFTER_FIRST_PAINT", "0");
    ASSERT_NO_FATAL_FAILURE(StartTheRunningInstance(noHook));
    EXPECT_EQ(first_.state(), QProcess::Running);
}

}  // namespace
}  // namespace quorlin
