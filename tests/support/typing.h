#pragma once
// Typing into a dialog's edit field as a user does, through the keyboard (QTest), so that the
// dialog hears of it as of any typing; the test links Qt6::Test.
#include <QTest>

#include <gtest/gtest.h>

#include "platform/dialog.h"

namespace quorlin::testing {

// Types `text` over the whole of edit field `id` (Ctrl+A, then the characters).
inline void TypeOver(platform::Dialog& d, int id, const char* text) {
    QWidget* edit = d.Control(id, platform::ControlKind::Edit);
    ASSERT_NE(edit, nullptr) << id;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QString::fromLatin1(text));
    ASSERT_EQ(d.GetText(id), QString::fromLatin1(text)) << id;
}

}  // namespace quorlin::testing
