#include "app/startup.h"
#include "framework/application.h"
#include "test_support.h"
#include "window/window1.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kStillRunning = 99;

// Runs the event loop with `quit` posted into it; a loop that `quit` does not
// end is ended with kStillRunning.
int RunLoopAndQuitWith(const std::function<void()> &quit)
{
    QTimer::singleShot(0, quit);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(kStillRunning); });
    return fw::RuntimeRun();
}

using QuitTest = WindowTest;

TEST_F(QuitTest, TheQuitButtonEndsTheEventLoopWithZero)
{
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(RunLoopAndQuitWith([&] { QtChild<QPushButton>(window, "btnQuit").click(); }), 0);
}

TEST_F(QuitTest, FileQuitEndsTheEventLoopWithZero)
{
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(RunLoopAndQuitWith([&] { QtChild<QAction>(window, "FileQuit").trigger(); }), 0);
}

TEST_F(QuitTest, MainOpensTheWindowAndReturnsWhenTheUserQuits)
{
    QTimer::singleShot(0, [] {
        ASSERT_NE(fw::GetImplicitWindow("Window1"), nullptr);
        QtChild<QPushButton>(*fw::GetImplicitWindow("Window1"), "btnQuit").click();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(kStillRunning); });
    vantor::Main();
    ASSERT_NE(fw::RegisteredAppObject(), nullptr);
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_EQ(fw::GetImplicitWindow("Window1"), nullptr) << "the shutdown destroys the window";
}

TEST(Quit, OutsideTheEventLoopSetsTheExitStatus)
{
    fw::Quit(vantor::kStartupFailed);
    EXPECT_EQ(fw::RuntimeExit(), vantor::kStartupFailed);
}

} // namespace
