#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/dispatch.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Dispatch, AnExceptionFromAHandlerIsReportedAndTheProgramGoesOn)
{
    ErrorSpy errors;
    fw::PushButton button;
    button.Bind(fw::Event::Action, std::function<void()>([] { throw std::runtime_error("handler failed"); }));
    static_cast<QPushButton &>(button.Widget()).click();
    static_cast<QPushButton &>(button.Widget()).click();
    fw::Dispatch([] { throw 42; });
    EXPECT_EQ(errors.messages, (std::vector<std::string>{"handler failed", "handler failed", "An unknown error occurred."}));
}

TEST(Dispatch, TheDefaultServiceShowsTheMessageInAModalWarning)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    fw::Dispatch([] { throw std::runtime_error("Cannot save /x.png: Permission denied"); });
    EXPECT_EQ(shown, QStringLiteral("Cannot save /x.png: Permission denied"));
}

TEST(Dispatch, APaintErrorIsReportedAfterThePaintOnceForARunOfFailures)
{
    ErrorSpy errors;
    fw::Canvas canvas;
    bool fail = true;
    canvas.Bind(fw::Event::Paint, std::function<void(fw::Graphics &)>([&](fw::Graphics &) {
        if (fail)
            throw std::runtime_error("paint failed");
    }));
    canvas.Widget().show();
    const auto paint = [&] {
        const std::size_t before = errors.messages.size();
        canvas.Widget().repaint();
        EXPECT_EQ(errors.messages.size(), before) << "nothing is reported inside the paint";
        QCoreApplication::processEvents();
    };
    paint();
    paint();
    paint();
    EXPECT_EQ(errors.messages, std::vector<std::string>{"paint failed"});
    fail = false;
    paint();
    fail = true;
    paint();
    EXPECT_EQ(errors.messages.size(), 2u) << "a new failure after a good paint is reported again";
}

TEST(ControlEvents, CodeRaisesOnlyListIndexAndTextChangesAndEachOnce)
{
    int raised = 0;
    const std::function<void()> count = [&] { ++raised; };
    fw::CheckBox box;
    box.Bind(fw::Event::Action, count);
    box.SetValue(true);
    EXPECT_EQ(raised, 0) << "check box";

    fw::EditField field;
    field.Bind(fw::Event::TextChange, count);
    field.SetText("12");
    EXPECT_EQ(raised, 1) << "edit field text raises TextChange";

    fw::PopupMenu popup;
    popup.Bind(fw::Event::Change, count);
    popup.AddRow("256");
    popup.AddRow("512");
    EXPECT_EQ(popup.Text(), "") << "adding items selects nothing";
    popup.SetListIndex(1);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(popup.Text(), "512");

    fw::Listbox list;
    list.Bind(fw::Event::Change, count);
    for (const char *row : {"a", "b", "c"})
        list.AddRow(row);
    list.SetCell(1, 0, "B");
    EXPECT_EQ(raised, 2);
    list.SetListIndex(1);
    EXPECT_EQ(raised, 3);
    EXPECT_EQ(list.Text(), "B");
    list.SetListIndex(1);
    EXPECT_EQ(raised, 3) << "selecting the selected row changes nothing";
    list.Widget().show();
    auto &view = static_cast<QTableView &>(list.Widget());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(2, 0)).center());
    EXPECT_EQ(raised, 4) << "a click raises Change once";
    list.SetListIndex(-1);
    EXPECT_EQ(raised, 5);
    EXPECT_EQ(list.Text(), "");
}

} // namespace
