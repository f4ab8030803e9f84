// Installs a ScriptedDesktop for the life of a test and puts the previous desktop back.
#pragma once

#include <memory>

#include "platform/desktop.h"

namespace mozhou::testing {

class ScriptedDesktopScope final {
 public:
  ScriptedDesktopScope() {
    auto scripted = std::make_unique<ui::ScriptedDesktop>();
    desktop_ = scripted.get();
    previous_ = ui::Desktop_Install(std::move(scripted));
  }
  ~ScriptedDesktopScope() { ui::Desktop_Install(std::move(previous_)); }
  ScriptedDesktopScope(const ScriptedDesktopScope&) = delete;
  ScriptedDesktopScope& operator=(const ScriptedDesktopScope&) = delete;

  ui::ScriptedDesktop& desktop() const { return *desktop_; }

 private:
  ui::ScriptedDesktop* desktop_;
  std::unique_ptr<ui::Desktop> previous_;
};

}  // namespace mozhou::testing
