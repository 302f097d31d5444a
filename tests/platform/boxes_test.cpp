// Message, error and input boxes through the scripted prompter, and the generic edit dialogs.
#include "platform/boxes.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <map>
#include <string>

#include "resources/resources.h"
#include "support/boxes_shown.h"

namespace quorlin::platform {
namespace {

using quorlin::testing::BoxesShown;

// A string table of the test's own for the duration of a test.
class TestStrings {
public:
    explicit TestStrings(std::map<int, QString> strings) : strings_(std::move(strings)) {
        SetStringSource([this](int id) {
            auto it = strings_.find(id);
            return it == strings_.end() ? QString() : it->second;
        });
    }
    ~TestStrings() { SetStringSource({}); }

private:
    std::map<int, QString> strings_;
};

TEST(Boxes, MessageAndErrorBoxesShowTheirLinesAndReturnTheAnswer) {
    TestStrings strings({{62, "hmm ..."}, {417, "out of bounds"}, {5, "input"}});
    ScriptedPrompter prompter;
    prompter.AnswerMessage(kIdNo);
    prompter.AnswerMessage(kIdCancel);
    EXPECT_EQ(MsgBox(nullptr, "careful!", "delete all text?", kMsgYesNo), kIdNo);
    EXPECT_EQ(MsgBox(nullptr, "careful!", "save changes?", kMsgYesNoCancel), kIdCancel);
    EXPECT_EQ(MsgBox(nullptr, "note", "done", kMsgOk), kIdOk);     // empty queue: OK
    EXPECT_EQ(MsgBox(nullptr, "q", "again?", kMsgYesNo), kIdYes);  // empty queue: Yes
    // Error n is string 400 + n under "hmm ..." or the title given, and says something without.
    ErrorMsg(nullptr, 17);
    ErrorMsg(nullptr, 17, 5);
    ErrorMsg(nullptr, 98765);
    EXPECT_EQ(BoxesShown(prompter),
              (std::vector<std::string>{"careful! | delete all text?", "careful! | save changes?",
                                        "note | done", "q | again?", "! hmm ... | out of bounds",
                                        "! input | out of bounds", "! hmm ... | error 98765"}));
    EXPECT_EQ(prompter.messages.at(4).kind, kMsgOk);
}

TEST(Boxes, InputIntChecksBounds) {
    TestStrings strings({{5, "input"}, {61, "number of pages"}});
    ScriptedPrompter prompter;
    int value = 3;
    prompter.AnswerInput(" 12 ");
    EXPECT_EQ(InputInt(nullptr, 5, 61, 1, 20, &value), 0);
    EXPECT_EQ(value, 12);
    const InputRequest& asked = prompter.inputs.at(0);
    EXPECT_EQ(QStringList({asked.title, asked.prompt, asked.text}),
              QStringList({"input", "number of pages", "3"}));

    for (const char* refused : {"21", "0", "seven", "99999999999999"}) {
        prompter.AnswerInput(refused);
        EXPECT_EQ(InputInt(nullptr, 5, 61, 1, 20, &value), kInputOutOfBounds) << refused;
    }
    prompter.AnswerInput("5", kIdCancel);
    EXPECT_EQ(InputInt(nullptr, 5, 61, 1, 20, &value), kInputCancelled);
    EXPECT_TRUE(value == 12 && prompter.messages.empty());

    prompter.AnswerInput("40");
    EXPECT_EQ(InputInt(nullptr, 5, 61, 1, 20, &value, true), kInputOutOfBounds);
    EXPECT_EQ(prompter.messages.size(), 1u);  // reported
}

TEST(Boxes, InputStringKeepsTheBufferUnlessOk) {
    ScriptedPrompter prompter;
    QString buffer = "A";
    prompter.AnswerInput("hello world");
    EXPECT_EQ(InputString(nullptr, 5, 60, &buffer, 5), kIdOk);
    EXPECT_EQ(buffer, QStringLiteral("hello"));
    EXPECT_EQ(std::pair(prompter.inputs[0].text, prompter.inputs[0].maxLength),
              std::pair(QStringLiteral("A"), 5));
    EXPECT_EQ(InputString(nullptr, 5, 60, &buffer, 5), kIdCancel);  // empty queue: cancel
    EXPECT_EQ(buffer, QStringLiteral("hello"));
}

TEST(Boxes, DefaultInputRunsTheOneInputDialogAndCancelLeavesTheBuffer) {
    TestStrings strings({{5, "input"}, {60, "parameter"}});
    QStringList seen;
    ScopedDialogRunner runner([&](Dialog& d) {
        seen << d.windowTitle() << d.GetText(resources::kOneInputPromptId, ControlKind::Static)
             << d.GetText(resources::kOneInputEditId, ControlKind::Edit);
        d.SetText(resources::kOneInputEditId, "ABCDEFGH");
        return d.Press(seen.size() == 3 ? kIdOk : kIdCancel);
    });
    QString buffer = "AB";
    EXPECT_EQ(InputString(nullptr, 5, 60, &buffer, 4), kIdOk);
    EXPECT_EQ(seen, (QStringList{"input", "parameter", "AB"}));
    EXPECT_EQ(buffer, QStringLiteral("ABCD"));
    EXPECT_EQ(InputString(nullptr, 5, 60, &buffer, 4), kIdCancel);
    EXPECT_EQ(buffer, QStringLiteral("ABCD"));
}

// A long caption widens the one-line box so that the title bar does not cut it.
TEST(Boxes, TheInputBoxIsWideEnoughForItsCaption) {
    const QString caption = QStringLiteral("strobe interval length, a caption of some width");
    QString buffer = "1";
    TInpDlg dialog(nullptr, caption, "current", &buffer, 20);
    dialog.Create();
    QFont bold = dialog.font();
    bold.setBold(true);
    EXPECT_GT(dialog.sizeHint().width(), QFontMetrics(bold).horizontalAdvance(caption));
}

// A short error text must not leave the message box too narrow for its caption.
TEST(Boxes, TheMessageBoxIsWideEnoughForItsCaption) {
    QMessageBox box(QMessageBox::Warning, "hmm ...", "missing =", QMessageBox::Ok);
    const int before = box.layout()->totalMinimumSize().width();
    FitCaption(box);
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int wanted = metrics.horizontalAdvance(box.windowTitle()) + 6 * (metrics.height() + 8);
    EXPECT_LT(before, wanted);
    EXPECT_GE(box.layout()->totalMinimumSize().width(), wanted);
}

// The pieces of a line of a message box between its chances to break (blanks, break chances).
QStringList Unbreakable(const QString& line) {
    QString spaced = line;
    spaced.replace(QChar(0x200b), QLatin1Char(' '));
    return spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

int Widest(const QStringList& pieces, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& piece : pieces) widest = std::max(widest, metrics.horizontalAdvance(piece));
    return widest;
}

// A failed save's box with a long path: each line that fits stays as it is; a longer one may
// break after each folder and inside runs no wider than a third of a line, and keeps every
// character, up to the lines it may take; beyond that its middle gives way to an ellipsis while
// its beginning and its end stay. Widths are taken from the font's own measure, in two boxes
// whose lines are so many widths of an "n" wide.
TEST(Boxes, ALongPathBreaksInsideTheBoxOrLosesItsMiddle) {
    const QFont font;
    const QFontMetrics metrics(font);
    const int n = metrics.horizontalAdvance(QLatin1Char('n'));
    const QString folders = QStringLiteral("/home/ann/a-folder-of-some-length/another-one-below/");
    const struct {
        const char* name;
        QString path;
        bool whole;  // every character shown
    } rows[] = {
        {"a short path", QStringLiteral("/tmp/f.qz2"), true},
        {"long folder names", folders.repeated(3) + QStringLiteral("wave.qz2"), true},
        {"the longest name", folders + QString(255, 'n') + QStringLiteral(".qz2"), true},
        {"a path of four thousand characters", (folders + QString(200, 'p')).repeated(16), false},
    };
    const struct {
        int lineWidth;
        int mostLines;
    } boxes[] = {{45 * n, 8}, {61 * n + 1, 6}};
    for (const auto [lineWidth, mostLines] : boxes) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + " in " + std::to_string(lineWidth) + " pixels");
            const QString text = QStringLiteral("no more room\n") + row.path +
                                 QStringLiteral("\nNo space left on device");
            const QStringList lines =
                FitMessageText(text, metrics, lineWidth, mostLines).split('\n');
            ASSERT_EQ(lines.size(), 3);
            EXPECT_EQ(lines[0], QStringLiteral("no more room"));
            EXPECT_EQ(lines[2], QStringLiteral("No space left on device"));
            EXPECT_LE(Widest(Unbreakable(lines[1]), metrics), lineWidth / 3 + metrics.maxWidth());
            QString shown = lines[1];
            shown.remove(QChar(0x200b));
            const bool fits = metrics.horizontalAdvance(row.path) <= mostLines * lineWidth;
            ASSERT_EQ(fits, row.whole) << "the row is not what its name says";
            if (row.whole) {
                EXPECT_EQ(shown, row.path);
            } else {
                const QStringList ends = shown.split(QChar(0x2026));
                ASSERT_EQ(ends.size(), 2) << shown.toStdString();
                EXPECT_TRUE(row.path.startsWith(ends[0]) && ends[0].size() > 20);
                EXPECT_TRUE(row.path.endsWith(ends[1]) && ends[1].size() > 20);
                EXPECT_LE(metrics.horizontalAdvance(shown), mostLines * lineWidth);
            }
            if (metrics.horizontalAdvance(row.path) <= lineWidth) EXPECT_EQ(lines[1], row.path);
        }
    }
}

// The message box itself, shown on the screen, stays on it and its label shows every piece of
// a long path: none is wider than the label.
TEST(Boxes, AMessageBoxWithALongPathStaysOnTheScreen) {
    // Wider than any screen's box, within the lines a line may take.
    const QString path = QStringLiteral("/home/ann/a-folder-of-some-length/").repeated(2) +
                         QString(100, 'n') + QStringLiteral(".qz2");
    QMessageBox box(QMessageBox::Warning, "hmm ...", {}, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    FitMessageText(box, QStringLiteral("no more room\n") + path);
    FitCaption(box);
    box.show();
    QCoreApplication::processEvents();
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(box.frameGeometry())) << box.frameGeometry().width();
    const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(Widest(Unbreakable(label->text()), label->fontMetrics()), label->width());
    QString shown = label->text();
    EXPECT_EQ(shown.remove(QChar(0x200b)), QStringLiteral("no more room\n") + path);
    box.close();
}

using K = ControlKind;
constexpr ControlTemplate kGenControls[] = {
    {K::Edit, 211, "", 0, 0},         {K::Edit, 212, "", 1, 0},
    {K::Edit, 213, "", 2, 0},         {K::CheckBox, 271, "clip", 3, 0},
    {K::CheckBox, 272, "lock", 3, 1}, {K::DefButton, 1, "OK", 4, 0},
    {K::Button, 2, "Cancel", 4, 1},
};
constexpr DialogTemplate kGenTemplate{"GENTEST", "generic", kGenControls};

TEST(Boxes, GenDlgBindsEditsInOrderOnlyOnOk) {
    QString radius = "1.00", longitude = "0.00";
    TGenDlg dialog(nullptr, kGenTemplate, {{&radius, 6}, {&longitude, 255}});
    dialog.Create();
    EXPECT_EQ(QStringList({dialog.GetText(211), dialog.GetText(212), dialog.GetText(213)}),
              QStringList({"1.00", "0.00", ""}));
    dialog.SetText(211, "2.5");
    dialog.SetText(212, "45");
    EXPECT_EQ(dialog.Press(kIdOk), kIdOk);
    EXPECT_EQ(QStringList({radius, longitude}), QStringList({"2.5", "45"}));
    // The field's maximum length holds for typed text too.
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.Control(211, K::Edit))->maxLength(), 6);

    TGenDlg cancelled(nullptr, kGenTemplate, {{&radius, 20}});
    cancelled.Create();
    cancelled.SetText(211, "b");
    EXPECT_EQ(cancelled.Press(kIdCancel), kIdCancel);
    EXPECT_EQ(radius, QStringLiteral("2.5"));
}

TEST(Boxes, GenBoolDlgBindsTwoCheckBoxesOrHidesTheSecond) {
    QString a = "x";
    std::uint8_t clip = 1, lock = 0;
    TGenBoolDlg dialog(nullptr, kGenTemplate, {{&a, 20}}, &clip, &lock);
    dialog.Create();
    EXPECT_EQ(std::pair(dialog.IsChecked(271), dialog.IsChecked(272)), std::pair(true, false));
    dialog.Press(271);
    dialog.Press(272);
    EXPECT_EQ(clip, 1);  // nothing stored before OK
    EXPECT_EQ(dialog.Press(kIdOk), kIdOk);
    EXPECT_EQ(std::pair(clip, lock), (std::pair<std::uint8_t, std::uint8_t>(0, 1)));

    TGenBoolDlg single(nullptr, kGenTemplate, {{&a, 20}}, &clip, nullptr);
    single.Create();
    EXPECT_TRUE(single.IsControlShown(271) && !single.IsControlShown(272));
    single.SetChecked(271, true);
    EXPECT_EQ(single.Press(kIdOk), kIdOk);
    EXPECT_EQ(clip, 1);
}

}  // namespace
}  // namespace quorlin::platform
