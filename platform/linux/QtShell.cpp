#include "platform/linux/QtShell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "platform/linux/QtCanvas.h"

namespace platform::linuxdesktop {

bool QtShell::execute(Handle /*owner*/, const std::string& /*verb*/, const std::string& file,
                      int /*showCommand*/) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(ToQt(file)));
}

bool QtShell::setClipboardText(Handle /*owner*/, const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQt(text.c_str()));
  return true;
}

std::optional<std::string> QtShell::clipboardText(Handle /*owner*/) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  const std::string text = FromQt(data->text());
  return text.substr(0, text.find('\0'));
}

}  // namespace platform::linuxdesktop
