// Filter strings, default extensions and the answers of the scripted common dialogs.
#include "platform/common_dialogs.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace quorlin::platform {
namespace {

TEST(FileFilters, PipeSeparatedPairsBecomeQtFiltersAndDamagedOnesStillServe) {
    const std::pair<const char*, QStringList> cases[] = {
        {"TeX files (*.TEX)|*.tex", {"TeX files (*.tex *.TEX)"}},
        {"2D diagrams (*.QZ2)|*.qz2|All files (*.*)|*.*|",
         {"2D diagrams (*.qz2 *.QZ2)", "All files (*.*)"}},
        {"Maps|*.ma2;*.maz", {"Maps (*.ma2 *.MA2 *.maz *.MAZ)"}},
        {"", {}},
        {"|", {}},
        {"Pictures", {"Pictures (*)"}},  // no pattern: everything rather than nothing
        {"|*.emf", {"*.emf (*.emf *.EMF)"}},
    };
    for (const auto& [filter, qt] : cases) EXPECT_EQ(ToQtNameFilters(filter), qt) << filter;
}

TEST(FileNames, DefaultExtensionOnlyWhereNoneIsGiven) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/d/pic", "emf", "/d/pic.emf"},
        {"/d/pic.wmf", "emf", "/d/pic.wmf"},
        {"/d.x/pic", ".emf", "/d.x/pic.emf"},
        {"/d/pic", "SVG", "/d/pic.svg"},
        {"/d/pic.", "emf", "/d/pic"},
        {"/d/pic", "", "/d/pic"},
        {"/d/", "emf", "/d/"},
    };
    for (const auto& [name, extension, result] : cases)
        EXPECT_EQ(WithDefaultExtension(name, extension), result) << name << " " << extension;
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
    EXPECT_EQ(std::pair(chosen->font.faceName, chosen->font.escapement),
              std::pair(QStringLiteral("Times New Roman"), 450));
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
    EXPECT_EQ(std::tuple(choice.pointSizeTenths, choice.font.height, choice.font.weight),
              std::tuple(105, -14, 700));  // -14: 10.5 x 96 / 72
    EXPECT_EQ(choice.color, QColor(Qt::blue));
    const QFont back = FontOfChoice(choice);
    EXPECT_TRUE(back.pointSizeF() == 10.5 && back.bold());

    QFont pixels(QStringLiteral("Arial"));
    pixels.setPixelSize(20);
    EXPECT_EQ(ChoiceOfFont(pixels, Qt::black, 120).pointSizeTenths, 120);
}

}  // namespace
}  // namespace quorlin::platform
