#include "platform/desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <type_traits>
#include <utility>

#include "platform/links.h"
#include "platform/process.h"
#include "platform/window.h"

namespace mozhou::ui {
namespace {

constexpr int kHandlerQueryTimeoutMs = 3000;
constexpr const char* kThunderMimeType = "x-scheme-handler/thunder";
constexpr const char* kWholeNumberPattern = "[-0-9]*";

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string WholeNumberPart(const std::string& text) {
  std::string kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
               [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
  return kept;
}

// Steps handed to the GUI thread. The hand-over itself goes through a std::mutex, not
// through a functor inside Qt's event, so that ThreadSanitizer (which cannot see into
// the uninstrumented Qt libraries) sees every step's data cross the threads.
class GuiSteps final : public QObject {
 public:
  void Post(std::function<void()> step) {
    {
      const std::lock_guard lock(mutex_);
      steps_.push_back(std::move(step));
    }
    QCoreApplication::postEvent(this, new QEvent(QEvent::User));  // the queue owns it
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    for (;;) {
      std::function<void()> step;
      {
        const std::lock_guard lock(mutex_);
        if (steps_.empty()) return true;
        step = std::move(steps_.front());
        steps_.pop_front();
      }
      step();
    }
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> steps_;
};

GuiSteps& GuiStepsOf(QCoreApplication& app) {
  // Never destroyed: like the application, it serves the whole life of the process.
  static GuiSteps* const steps = [&app] {
    auto* created = new GuiSteps;
    created->moveToThread(app.thread());
    return created;
  }();
  return *steps;
}

// Runs `step` on the GUI thread and gives its result; a caller on another thread waits
// (the GUI thread must be running an event loop, as it does while windows are open).
template <typename Step>
auto OnGuiThread(Step step) -> std::invoke_result_t<Step> {
  using Result = std::invoke_result_t<Step>;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) app = &EnsureApplication();
  if (QThread::currentThread() == app->thread()) return step();

  std::mutex mutex;
  std::condition_variable done_cv;
  bool done = false;
  std::conditional_t<std::is_void_v<Result>, bool, Result> result{};
  GuiStepsOf(*app).Post([&] {
    if constexpr (std::is_void_v<Result>) {
      step();
    } else {
      result = step();
    }
    const std::lock_guard lock(mutex);
    done = true;
    done_cv.notify_one();
  });
  std::unique_lock lock(mutex);
  done_cv.wait(lock, [&done] { return done; });
  if constexpr (!std::is_void_v<Result>) return result;
}

// Whether the desktop names an application for thunder:// links.
bool HasThunderHandler() {
  QProcess query;
  query.start("xdg-mime", {"query", "default", kThunderMimeType});
  if (!query.waitForStarted(kHandlerQueryTimeoutMs)) return false;
  if (!query.waitForFinished(kHandlerQueryTimeoutMs)) {
    query.kill();
    query.waitForFinished(kHandlerQueryTimeoutMs);
    return false;
  }
  if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return false;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

void OpenInBrowser(const std::string& address) {
  OnGuiThread([&address] { QDesktopServices::openUrl(QUrl(Q(address), QUrl::TolerantMode)); });
}

// A small input box: prompt, one line, OK and Cancel.
std::string RunInputBox(const std::string& prompt, const std::string& title,
                        const std::string& initial, bool whole_number) {
  QDialog box;
  box.setWindowTitle(Q(title));
  box.setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(&box);
  auto* label = new QLabel(Q(prompt), &box);
  label->setTextFormat(Qt::PlainText);
  auto* line = new QLineEdit(Q(initial), &box);
  if (whole_number) {
    line->setValidator(new QRegularExpressionValidator(QRegularExpression(kWholeNumberPattern), line));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
  layout->addWidget(label);
  layout->addWidget(line);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  bool typed = false;
  QObject::connect(line, &QLineEdit::textEdited, &box, [&typed] { typed = true; });

  const bool confirmed = box.exec() == QDialog::Accepted;
  if (!confirmed && !typed) return {};
  std::string text = line->text().toStdString();
  return whole_number ? WholeNumberPart(text) : text;
}

class SessionDesktop final : public Desktop {
 public:
  MessageAnswer Message(const std::string& text, const std::string& title,
                        MessageButtons buttons) override {
    return OnGuiThread([&] {
      const bool yes_no = buttons == MessageButtons::YesNo;
      QMessageBox box(yes_no ? QMessageBox::Question : QMessageBox::Information,
                      Q(title.empty() ? std::string(kDefaultMessageTitle) : title), Q(text),
                      yes_no ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
      box.setWindowModality(Qt::ApplicationModal);
      const int answer = box.exec();
      if (!yes_no) return MessageAnswer::Ok;
      return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    });
  }

  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial, bool whole_number) override {
    return OnGuiThread([&] { return RunInputBox(prompt, title, initial, whole_number); });
  }

  bool SetClipboardText(const std::string& text) override {
    return OnGuiThread([&] {
      QClipboard* clipboard = QGuiApplication::clipboard();
      if (clipboard == nullptr) return false;
      clipboard->setText(Q(text));
      return clipboard->text() == Q(text);  // a clipboard that refused keeps its old text
    });
  }

  void OpenAddress(const std::string& address) override {
    // Only web addresses reach the browser: an address from a page must never open a
    // local file or start a program.
    if (links::Link_IsWeb(address)) OpenInBrowser(address);
  }

  void HandDownload(const std::string& link) override {
    if (links::Link_IsWeb(link)) {
      OpenInBrowser(link);
      return;
    }
    if (!Q(link).startsWith("thunder:", Qt::CaseInsensitive)) return;
    if (HasThunderHandler()) {
      OpenInBrowser(link);
    } else if (const auto inner = links::Thunder_Decode(link)) {
      OpenInBrowser(*inner);
    }
  }

  void EndProcess(int code) override { process::End(code); }
};

struct DesktopSlot final {
  std::mutex mutex;
  std::unique_ptr<Desktop> current;
};

// Never destroyed: a worker thread may still reach the desktop while the process ends.
DesktopSlot& Slot() {
  static DesktopSlot& slot = *new DesktopSlot;
  return slot;
}

}  // namespace

Desktop& Desktop_Current() {
  DesktopSlot& slot = Slot();
  const std::lock_guard lock(slot.mutex);
  if (!slot.current) slot.current = Desktop_MakeQt();
  return *slot.current;
}

std::unique_ptr<Desktop> Desktop_Install(std::unique_ptr<Desktop> desktop) {
  DesktopSlot& slot = Slot();
  const std::lock_guard lock(slot.mutex);
  std::swap(slot.current, desktop);
  return desktop;
}

std::unique_ptr<Desktop> Desktop_MakeQt() { return std::make_unique<SessionDesktop>(); }

// ScriptedDesktop

void ScriptedDesktop::QueueAnswer(MessageAnswer answer) {
  const std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

void ScriptedDesktop::QueueInput(std::string text) {
  const std::lock_guard lock(mutex_);
  inputs_.push_back(std::move(text));
}

void ScriptedDesktop::SetClipboardWilling(bool willing) {
  const std::lock_guard lock(mutex_);
  clipboard_willing_ = willing;
}

std::vector<std::string> ScriptedDesktop::log() const {
  const std::lock_guard lock(mutex_);
  return log_;
}

std::vector<std::string> ScriptedDesktop::Entries(const std::string& kind) const {
  const std::string prefix = kind + "|";
  const std::lock_guard lock(mutex_);
  std::vector<std::string> lines;
  std::copy_if(log_.begin(), log_.end(), std::back_inserter(lines),
               [&prefix](const std::string& line) { return line.starts_with(prefix); });
  return lines;
}

void ScriptedDesktop::ClearLog() {
  const std::lock_guard lock(mutex_);
  log_.clear();
}

int ScriptedDesktop::end_code() const {
  const std::lock_guard lock(mutex_);
  return end_code_;
}

void ScriptedDesktop::Record(std::string line) {
  const std::lock_guard lock(mutex_);
  log_.push_back(std::move(line));
}

MessageAnswer ScriptedDesktop::Message(const std::string& text, const std::string& title,
                                       MessageButtons buttons) {
  Record("message|" + (title.empty() ? std::string(kDefaultMessageTitle) : title) + "|" + text);
  const std::lock_guard lock(mutex_);
  if (answers_.empty()) return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::string ScriptedDesktop::Input(const std::string& prompt, const std::string& title,
                                   const std::string& /*initial*/, bool whole_number) {
  Record("input|" + title + "|" + prompt);
  const std::lock_guard lock(mutex_);
  if (inputs_.empty()) return {};
  std::string text = std::move(inputs_.front());
  inputs_.pop_front();
  return whole_number ? WholeNumberPart(text) : text;
}

bool ScriptedDesktop::SetClipboardText(const std::string& text) {
  Record("clipboard|" + text);
  const std::lock_guard lock(mutex_);
  return clipboard_willing_;
}

void ScriptedDesktop::OpenAddress(const std::string& address) { Record("open|" + address); }

void ScriptedDesktop::HandDownload(const std::string& link) { Record("download|" + link); }

void ScriptedDesktop::EndProcess(int code) {
  Record("end|" + std::to_string(code));
  const std::lock_guard lock(mutex_);
  end_code_ = code;
}

}  // namespace mozhou::ui
