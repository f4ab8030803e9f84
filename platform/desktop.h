// Dialogs and desktop actions behind one interface.
//
// The program reaches message boxes, the input box, the clipboard, the browser, the
// system's downloader and process end only through Desktop_Current(). The Qt desktop is
// the one installed by default; tests install a ScriptedDesktop that answers from a
// script and records every call.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mozhou::ui {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

inline constexpr const char* kDefaultMessageTitle = "信息：";

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box. An empty title shows kDefaultMessageTitle.
  virtual MessageAnswer Message(const std::string& text, const std::string& title,
                                MessageButtons buttons) = 0;

  // A modal input box; returns the text entered, confirmed or not (empty when cancelled
  // before anything was typed). In whole-number mode only the digits and "-" are taken.
  virtual std::string Input(const std::string& prompt, const std::string& title,
                            const std::string& initial, bool whole_number) = 0;

  // Puts text on the clipboard; true when the clipboard took it.
  virtual bool SetClipboardText(const std::string& text) = 0;

  // Opens an address in the default web browser (an empty address included: the request
  // is made and simply fails).
  virtual void OpenAddress(const std::string& address) = 0;

  // Hands a download link to the system. The link has passed the link rules (links.h).
  virtual void HandDownload(const std::string& link) = 0;

  // Ends the process with `code` after the registered clean-ups.
  virtual void EndProcess(int code) = 0;
};

Desktop& Desktop_Current();
// Replaces the current desktop; returns the previous one.
std::unique_ptr<Desktop> Desktop_Install(std::unique_ptr<Desktop> desktop);

// The desktop of a real session: QMessageBox, an input dialog, QClipboard,
// QDesktopServices, process::End. Callable from any thread: the dialogs run on the GUI
// thread (a caller on another thread waits for them). Only http and https addresses are
// opened; a Thunder link goes to the desktop's thunder handler, or, when there is none,
// its inner web address is opened. Anything else is dropped without a word.
std::unique_ptr<Desktop> Desktop_MakeQt();

// A desktop for tests: answers come from queues filled beforehand, every call is
// recorded as one line in log() ("message|title|text", "input|title|prompt",
// "clipboard|text", "open|address", "download|link", "end|code").
// A message's title is recorded as shown: an empty one as kDefaultMessageTitle.
// An empty answer queue answers Ok / Yes, the empty input text and a willing clipboard.
// A queued input text passes the whole-number filter when the call asks for it.
// EndProcess only records the code; the process goes on.
class ScriptedDesktop final : public Desktop {
 public:
  void QueueAnswer(MessageAnswer answer);
  void QueueInput(std::string text);
  void SetClipboardWilling(bool willing);

  std::vector<std::string> log() const;
  std::vector<std::string> Entries(const std::string& kind) const;  // lines of one kind
  void ClearLog();
  int end_code() const;  // -1 until EndProcess was called

  MessageAnswer Message(const std::string& text, const std::string& title,
                        MessageButtons buttons) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial, bool whole_number) override;
  bool SetClipboardText(const std::string& text) override;
  void OpenAddress(const std::string& address) override;
  void HandDownload(const std::string& link) override;
  void EndProcess(int code) override;

 private:
  void Record(std::string line);

  mutable std::mutex mutex_;
  std::deque<MessageAnswer> answers_;
  std::deque<std::string> inputs_;
  bool clipboard_willing_ = true;
  std::vector<std::string> log_;
  int end_code_ = -1;
};

}  // namespace mozhou::ui
