#include "standin/pages_markup.h"

#include "platform/codepage.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace markup {

std::string Document(std::string_view title, std::string_view body, std::string_view head) {
  std::string page;
  page.reserve(body.size() + 512);
  page += "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n";
  page += "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n";
  page += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n";
  page += "<title>";
  page += title;
  page += "</title>\r\n";
  page += head;
  page += "</head>\r\n<body>\r\n";
  page += body;
  page += "</body>\r\n</html>\r\n";
  return page;
}

std::string Gbk(std::string_view utf8) { return codepage::Utf8_ToGbk(utf8); }

}  // namespace markup

std::string Error_Page(int status) {
  const std::string code = std::to_string(status);
  const std::string message = status == 404 ? "您访问的页面不存在或已被删除。" : "服务器暂时无法处理该请求。";
  return markup::Gbk(markup::Document(
      code + " 错误",
      "<h1>" + code + " 错误</h1>\r\n<p>" + message + "</p>\r\n<p><a href=\"/\">返回首页</a></p>\r\n"));
}

}  // namespace mozhou::standin
