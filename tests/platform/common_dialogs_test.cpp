// Filter strings, default extensions and the answers of the scripted common dialogs.
#include "platform/common_dialogs.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace quorlin::platform {
namespace {

TEST(FileFilters, PipeSeparatedPairsBecomeQtFilters) {
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("TeX files (*.TEX)|*.tex")),
              QStringList{QStringLiteral("TeX files (*.tex *.TEX)")});
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("2D diagrams (*.QZ2)|*.qz2|All files (*.*)|*.*|")),
              (QStringList{QStringLiteral("2D diagrams (*.qz2 *.QZ2)"),
                           QStringLiteral("All files (*.*)")}));
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("Maps|*.ma2;*.maz")),
              QStringList{QStringLiteral("Maps (*.ma2 *.MA2 *.maz *.MAZ)")});
}

TEST(FileFilters, DamagedFilterStringsStillGiveUsableFilters) {
    EXPECT_TRUE(ToQtNameFilters(QString()).isEmpty());
    EXPECT_TRUE(ToQtNameFilters(QStringLiteral("|")).isEmpty());
    // A description without its pattern matches everything rather than nothing.
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("Pictures")),
              QStringList{QStringLiteral("Pictures (*)")});
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("|*.emf")),
              QStringList{QStringLiteral("*.emf (*.emf *.EMF)")});
}

TEST(FileNames, DefaultExtensionOnlyWhereNoneIsGiven) {
    const QString emf = QStringLiteral("emf");
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/pic"), emf), QStringLiteral("/d/pic.emf"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/pic.wmf"), emf),
              QStringLiteral("/d/pic.wmf"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d.x/pic"), QStringLiteral(".emf")),
              QStringLiteral("/d.x/pic.emf"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/pic."), emf), QStringLiteral("/d/pic"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/pic"), QString()), QStringLiteral("/d/pic"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/d/"), emf), QStringLiteral("/d/"));
}

class ScriptedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QFile file(Path("old.qz2"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        request_.filter = QStringLiteral("2D diagrams (*.QZ2)|*.qz2");
        request_.defaultExtension = QStringLiteral("qz2");
    }
    QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder_;
    FileDialogRequest request_;
    ScriptedCommonDialogs dialogs_;
};

TEST_F(ScriptedFiles, SaveAppendsTheDefaultExtensionAndRefusesAFolder) {
    dialogs_.fileAnswers = {Path("new"), Path("new.txt"), std::nullopt, folder_.path() + "/."};
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), Path("new.qz2"));
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), Path("new.txt"));
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), std::nullopt);
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), std::nullopt);  // a folder
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), std::nullopt);  // queue empty
    EXPECT_EQ(dialogs_.fileAsks.front().mode, FileDialogMode::Save);
}

TEST_F(ScriptedFiles, DialogsStartInTheCurrentFilesFolderElseTheLastUsedElseHome) {
    LastFileFolder().clear();
    request_.fileName = QStringLiteral("noname1.qz2");  // a new diagram: no folder of its own
    dialogs_.fileAnswers = {std::nullopt, Path("kept"), std::nullopt, std::nullopt};
    dialogs_.SaveFileName(nullptr, request_);
    dialogs_.SaveFileName(nullptr, request_);
    dialogs_.SaveFileName(nullptr, request_);
    request_.fileName = QStringLiteral("/data/curves/parabola.qz2");
    dialogs_.OpenFileName(nullptr, request_);
    ASSERT_EQ(dialogs_.fileAsks.size(), 4u);
    EXPECT_EQ(dialogs_.fileAsks[0].request.directory, QDir::homePath());
    EXPECT_EQ(dialogs_.fileAsks[2].request.directory, folder_.path());
    EXPECT_EQ(dialogs_.fileAsks[3].request.directory, "/data/curves");
    LastFileFolder().clear();
}

TEST_F(ScriptedFiles, SaveRefusesAFolder) {
    dialogs_.fileAnswers = {folder_.path() + QStringLiteral("/.")};
    EXPECT_EQ(dialogs_.SaveFileName(nullptr, request_), std::nullopt);
}

TEST_F(ScriptedFiles, OpenFindsTheFileWithOrWithoutItsExtensionAndRefusesOthers) {
    dialogs_.fileAnswers = {Path("old.qz2"),     Path("old"),    Path("missing"),
                            Path("missing.qz2"), folder_.path(), QString()};
    EXPECT_EQ(dialogs_.OpenFileName(nullptr, request_), Path("old.qz2"));
    EXPECT_EQ(dialogs_.OpenFileName(nullptr, request_), Path("old.qz2"));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dialogs_.OpenFileName(nullptr, request_), std::nullopt);
    EXPECT_EQ(dialogs_.fileAsks.front().mode, FileDialogMode::Open);
}

TEST(ScriptedChoosers, FontKeepsTheInitialEscapementAndAnInvalidColourIsCancelled) {
    ScriptedCommonDialogs dialogs;
    FontChoice initial;
    initial.font.escapement = 450;
    dialogs.fontAnswers = {FontChoice{.font = {.faceName = QStringLiteral("Times New Roman")}}};
    const auto chosen = dialogs.ChooseFont(nullptr, QStringLiteral("font"), initial);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->font.faceName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(chosen->font.escapement, 450);
    EXPECT_FALSE(dialogs.ChooseFont(nullptr, QStringLiteral("font"), initial));

    dialogs.colorAnswers = {QColor(1, 2, 3), QColor(), std::nullopt};
    EXPECT_EQ(dialogs.ChooseColor(nullptr, QString(), Qt::white), QColor(1, 2, 3));
    EXPECT_EQ(dialogs.ChooseColor(nullptr, QString(), Qt::white), std::nullopt);
    EXPECT_EQ(dialogs.ChooseColor(nullptr, QString(), Qt::white), std::nullopt);
}

TEST(FontChooser, EscapeInTheFontListsCancelsTheWholeChooser) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    for (const auto [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                                     std::pair{Qt::Key_Return, QDialog::Accepted}}) {
        FontAndColourDialog dialog(nullptr, QStringLiteral("axis labels"), font, Qt::red);
        dialog.show();
        // The first field of the font lists, where the focus starts.
        auto* field = dialog.findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        field->setFocus();
        QTest::keyClick(field, key);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), result);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("axis labels"));
        EXPECT_EQ(dialog.SelectedColor(), QColor(Qt::red));
    }
}

TEST(FontChoices, PointSizesAndScreenHeightsAgree) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10.5);
    font.setBold(true);
    const FontChoice choice = ChoiceOfFont(font, Qt::blue, 96);
    EXPECT_EQ(choice.pointSizeTenths, 105);
    EXPECT_EQ(choice.font.height, -14);  // 10.5 x 96 / 72
    EXPECT_EQ(choice.font.weight, 700);
    EXPECT_EQ(choice.color, QColor(Qt::blue));

    const QFont back = FontOfChoice(choice);
    EXPECT_DOUBLE_EQ(back.pointSizeF(), 10.5);
    EXPECT_TRUE(back.bold());

    QFont pixels(QStringLiteral("Arial"));
    pixels.setPixelSize(20);
    EXPECT_EQ(ChoiceOfFont(pixels, Qt::black, 120).pointSizeTenths, 120);
}

}  // namespace
}  // namespace quorlin::platform
