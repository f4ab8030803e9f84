// The desktop of a real session, answered through its real dialogs on the offscreen
// platform. Nothing here opens a browser or starts a program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>

#include "platform/desktop.h"

namespace mozhou::ui {
namespace {

constexpr int kDialogPollMs = 10;

// Waits in the event loop for the next modal dialog and answers it with `answer`.
class DialogAnswerer final {
 public:
  explicit DialogAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || !dialog->isVisible()) return;
      timer_.stop();
      title_ = dialog->windowTitle().toStdString();
      answer_(dialog);
    });
    timer_.start(kDialogPollMs);
  }
  const std::string& title() const { return title_; }

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  std::string title_;
};

std::function<void(QWidget*)> Press(QMessageBox::StandardButton button) {
  return [button](QWidget* dialog) { qobject_cast<QMessageBox*>(dialog)->button(button)->click(); };
}

std::function<void(QWidget*)> Type(const char* keys, QDialogButtonBox::StandardButton button) {
  return [keys, button](QWidget* dialog) {
    auto* line = dialog->findChild<QLineEdit*>();
    line->selectAll();
    if (*keys != '\0') QTest::keyClicks(line, keys);
    dialog->findChild<QDialogButtonBox*>()->button(button)->click();
  };
}

class SessionDesktopTest : public ::testing::Test {
 protected:
  std::unique_ptr<Desktop> desktop_ = Desktop_MakeQt();
};

TEST_F(SessionDesktopTest, MessageBoxAnswers) {
  {
    DialogAnswerer answerer(Press(QMessageBox::No));
    EXPECT_EQ(desktop_->Message("该版本已关闭,是否下载最新版？", "公告", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(answerer.title(), "公告");
  }
  {
    DialogAnswerer answerer(Press(QMessageBox::Yes));
    EXPECT_EQ(desktop_->Message("检测到新版本！是否查看详情？", "更新提示", MessageButtons::YesNo), MessageAnswer::Yes);
  }
  {
    DialogAnswerer answerer(Press(QMessageBox::Ok));
    EXPECT_EQ(desktop_->Message("如若网站无法打开", "", MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(answerer.title(), kDefaultMessageTitle);
  }
}

TEST_F(SessionDesktopTest, InputBoxGivesWhatWasTyped) {
  struct Case {
    const char* initial;
    const char* keys;
    QDialogButtonBox::StandardButton button;
    bool whole_number;
    std::string expected;
  };
  const Case cases[] = {
      {"", "12345", QDialogButtonBox::Ok, true, "12345"},
      {"", "12a-3b", QDialogButtonBox::Ok, true, "12-3"},       // only digits and "-" are taken
      {"", "678", QDialogButtonBox::Cancel, true, "678"},        // typed, then cancelled
      {"初值", "", QDialogButtonBox::Cancel, false, ""},         // cancelled before typing
      {"初值", "", QDialogButtonBox::Ok, false, "初值"},
      {"", "abc", QDialogButtonBox::Ok, false, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    DialogAnswerer answerer(Type(c.keys, c.button));
    EXPECT_EQ(desktop_->Input("请输入青岚编号!\r\n例:12345", "编号跳转", c.initial, c.whole_number), c.expected);
    EXPECT_EQ(answerer.title(), "编号跳转");
  }
}

TEST_F(SessionDesktopTest, DialogFromAnotherThreadRunsOnTheGuiThread) {
  DialogAnswerer answerer(Press(QMessageBox::Yes));
  QEventLoop loop;
  MessageAnswer answer = MessageAnswer::No;
  std::thread worker([&] {
    answer = desktop_->Message("预览中", "提示", MessageButtons::YesNo);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  EXPECT_EQ(answer, MessageAnswer::Yes);
}

TEST_F(SessionDesktopTest, ClipboardTakesText) {
  EXPECT_TRUE(desktop_->SetClipboardText("等待加载."));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "等待加载.");
}

}  // namespace
}  // namespace mozhou::ui
