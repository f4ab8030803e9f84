#include "launcher/plugin_handoff.h"

#include <string>

#include "launcher/launcher_window.h"
#include "platform/desktop.h"
#include "platform/library.h"

namespace mozhou::launcher {
namespace {

using ui::MessageButtons;

const Plugin* Plugin_ForEntry(const std::string& entry) {
  for (const Plugin& plugin : kPlugins) {
    if (entry == plugin.entry_text) return &plugin;
  }
  return nullptr;
}

std::string Plugin_BindError(const std::string& path, const Plugin& plugin,
                             const std::string& loader_message) {
  std::string text = "无法调用库文件“" + path + "”中的入口“" + std::string(plugin.export_name) + "”";
  if (!loader_message.empty()) text += "\r\n" + loader_message;
  return text;
}

}  // namespace

void Plugin_Load(Launcher& launcher) {
  ui::Window& window = launcher.window();
  ui::Desktop& desktop = ui::Desktop_Current();

  const Plugin* plugin = Plugin_ForEntry(window.Text("组合框1"));
  if (plugin == nullptr) {
    desktop.Message("敬请期待！", "敬请期待", MessageButtons::Ok);
    return;
  }
  const std::string path = launcher.places().plugin_directory + "/" + std::string(plugin->file);
  if (library::File_ReadAll(path).empty()) {
    desktop.Message("加载出错,请重试", "抱歉", MessageButtons::Ok);
    desktop.EndProcess(0);  // the window goes with the process
    return;
  }
  window.Hide();
  std::string loader_message;
  const library::PluginEntry entry =
      library::Library_Bind(path, std::string(plugin->export_name), &loader_message);
  if (entry == nullptr) {
    desktop.Message(Plugin_BindError(path, *plugin, loader_message), "运行时错误",
                    MessageButtons::Ok);
    desktop.EndProcess(kBindFailureExitCode);
    return;
  }
  entry(kPluginArgument);
  window.Show();
}

void Download_OpenAddress(Launcher& launcher) {
  ui::Desktop_Current().OpenAddress(launcher.Download_Address());
}

void Page_MoveFocus(Launcher& launcher) {
  ui::Window& window = launcher.window();
  window.SetFocus(window.Tab_Current("高级选择夹1") == 0 ? "按钮1" : "按钮3");
}

}  // namespace mozhou::launcher
