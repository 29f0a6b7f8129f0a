#pragma once
// The native counterparts of the program's controls on Qt Widgets. Each mirrors what its
// control tells it; what the user does comes back through WidgetEvents, and what the
// program sets is never reported back as the user's doing.

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::linuxdesktop {

class QtWidget : public Widget {
 public:
  // Takes the native widget; it goes with this object unless its parent took it first.
  QtWidget(QWidget* native, WidgetEvents& events);
  ~QtWidget() override;
  QtWidget(const QtWidget&) = delete;
  QtWidget& operator=(const QtWidget&) = delete;

  Handle handle() const override;
  void setText(const std::string& text) override;
  void setBounds(Bounds bounds) override;
  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;
  void setFont(const Font& font) override;
  void setChecked(bool /*checked*/) override {}
  void setItems(const std::vector<std::string>& /*items*/) override {}
  void setItemIndex(int /*index*/) override {}
  void setUpDown(int /*min*/, int /*max*/, int /*position*/, Widget* /*buddy*/) override {}
  void setIcon(const std::string& /*resourceName*/) override {}
  void setTabs(const std::vector<std::string>& /*captions*/, int /*active*/) override {}
  void show(bool /*centred*/) override {}
  void focus() override;
  void setHint(const std::string& hint) override;
  void invalidate() override;
  void setMouseCapture(bool capture) override;

  QWidget* native() const { return native_; }
  WidgetEvents& events() { return events_; }
  // A page control places the sheets made inside it.
  virtual void childMade(QtWidget& /*child*/) {}

 protected:
  // A widget that draws its caption itself takes the text here.
  virtual void applyText(const QString& text);

 private:
  QPointer<QWidget> native_;
  Handle handle_;
  WidgetEvents& events_;
};

std::unique_ptr<QtWidget> MakeQtWidget(WidgetKind kind, QtWidget* parent, const WidgetStyle& style,
                                       WidgetEvents& events);

}  // namespace platform::linuxdesktop
